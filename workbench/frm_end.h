// The quit confirmation. Its answer is its tag: "NO" when created, "YES" or
// "NO" after a button. Escape and the close box answer "NO" like Cancel.
// While it shows, the reminder label blinks red and black once a second.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QPushButton;
class QTimer;

namespace orvex {

class FrmEnd : public QDialog {
    Q_OBJECT
  public:
    // Escape: the same as Cancel (or, for the splash, any key).
    void reject() override;
    explicit FrmEnd(QWidget* owner);

    QString Tag() const { return tag_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The red text colour the reminder starts with, and black.
    static constexpr int kRed = 255;
    static constexpr int kBlack = 0;

    void Form_Activate();
    void tmrQuit_Timer();
    void cmdYes_Click();
    void cmdNo_Click();

    std::array<QLabel*, 2> lblEndProg{};
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdNo = nullptr;
    QTimer* tmrQuit = nullptr;
    void SetReminderColour(int colour);
    QString tag_ = "NO";
    // The reminder's current colour as a 24-bit value (255 red, 0 black).
    int reminderColour_ = kRed;
};

}  // namespace orvex
