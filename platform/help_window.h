// The program's manual: HTML pages beside the program (folder "help",
// first page "index.html"), shown in our own help windows. Links between
// pages stay in the window; links to the web open in the user's browser
// through ShellOpen. Every help window the program opened is closed on quit
// (CloseAllHelpWindows). A help window opens centred on its owner and on
// the owner's screen; Escape closes it.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>

namespace orvex {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    // Shows `page` (a path to an HTML file).
    explicit HelpWindow(const QString& page, QWidget* parent = nullptr);
    ~HelpWindow() override;

    QTextBrowser& Browser() { return *browser_; }
    // The page shown, as a local file path.
    QString CurrentPage() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_;
};

// The manual's first page: AppPath() + "/help/index.html".
QString HelpIndexPath();

// Opens the manual at `page` (the first page when empty) in a help window
// owned by `owner`, or brings the window already open to the front and shows
// the page there. A missing manual is reported in a message box titled
// " Help" and no window opens. Returns the window, or nullptr.
HelpWindow* ShowHelp(QWidget* owner, const QString& page = QString());

// Closes every help window the program opened.
void CloseAllHelpWindows();

// How many help windows are open.
int OpenHelpWindowCount();

}  // namespace orvex
