// The splash window, which serves twice: at start-up ("FromStart") it shows
// the program's picture and version and hides itself after 4400 ms or at
// the first click or key; ever after ("FromMenu") it is the about box, with
// the about text in place of the pictures and no timer.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

namespace orvex {

class RichTextBox;

class FrmSplash : public QDialog {
    Q_OBJECT
  public:
    // Escape: the same as Cancel (or, for the splash, any key).
    void reject() override;
    explicit FrmSplash(QWidget* owner = nullptr);

    // "FromStart" until the splash first closes, then "FromMenu".
    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }

    // The version shown in lblSplash ("1.21").
    void SetVersionText(const QString& version) { versionText_ = version; }

    // The first line of lblSplash (program, version, credit) and the maker's
    // name; the splash adds the release date to the maker's line.
    static QString ProgramLine(const QString& version);
    static QString MakerName();
    static QString ReleaseDate();

    // Runs when the window is shown: the splash starts its timer, the about
    // box shows the about text.
    void Form_Activate();
    // The close step of a click or a key anywhere in the window.
    void CloseStep();
    // The timer's tick: the same as a click at start-up.
    void tmrSplash_Timer();

    QLabel* picSplash = nullptr;
    QLabel* picSplashFix = nullptr;
    QLabel* lblSplash = nullptr;
    QLabel* lblReadAbout = nullptr;
    RichTextBox* rtfAboutProg = nullptr;
    QTimer* tmrSplash = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void EndStartMode();
    QString tag_ = "FromStart";
    QString versionText_;
};

// The splash picture: the program's name over a night sky and horizon.
QPixmap SplashPicture(int width, int height);

// The program's logo (OrvexLogo.png in the program folder) scaled to the
// given height; the splash picture in its place when the file is missing.
QPixmap ProgramLogo(int height);

}  // namespace orvex
