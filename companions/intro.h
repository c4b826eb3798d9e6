// The introduction window: the introduction letter, with buttons to the
// product's web page and to a mail message to its authors. A new window is
// made at each showing; Continue closes it.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace orvex {

class RichTextBox;

class FrmIntro : public QDialog {
    Q_OBJECT
  public:
    explicit FrmIntro(QWidget* owner = nullptr);

    // The product's web page and the mail link (subject "Orvex comments").
    static QString WebAddress();
    static QString MailAddress();

    void cmdWeb_Click();
    void cmdMail_Click();
    void cmdContinue_Click();

    RichTextBox* rtfIntroLetter = nullptr;
    QLabel* picSplashFix = nullptr;
    QPushButton* cmdWeb = nullptr;
    QPushButton* cmdMail = nullptr;
    QPushButton* cmdContinue = nullptr;
};

}  // namespace orvex
