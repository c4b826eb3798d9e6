// Every message box, modal dialog, file dialog and shell link of the program
// passes through this one seam. In the running program the seam shows the
// real Qt window; a test installs a PlatformScript, which records each call
// and answers from a script, so that no test ever waits on a modal window.
//
// The library (navlib, ephemeris) reports through orvex::ReportMessage;
// InstallPlatformReporter() routes those reports into ShowMessage, so a
// library message and a window's own message look and behave the same.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "navlib/hooks.h"

class QDialog;
class QWidget;

namespace orvex {

// Shows one message box and returns the button that closed it.
//   style  icon plus button set, as in navlib/hooks.h: kIconCritical (16),
//          kIconQuestion (32), kIconExclamation (48), kIconInformation (64)
//          plus kButtonsOk (0) ... kButtonsRetryCancel (5); an unknown
//          button set shows OK alone
//   title  shown exactly as given (many titles start with a blank)
//   text   "\r\n" and "\n" both break the line
//   parent the window that owns the box; nullptr uses the active window of
//          the program (the box then lies above the window the user works
//          in), else the owner set with SetMessageOwner (the main window)
// Adding kDefaultButton2 to the style makes the second button the default
// (e.g. No of Yes/No).
// Returns kAnswerOk ... kAnswerNo. Closing the box with Escape or its close
// box gives the answer of the escape button (Cancel, No, Abort or OK).
// With a PlatformScript installed nothing is shown: the script answers.
// On the offscreen platform without a script the box is not shown either
// (nobody could close it): the message goes to standard error and the
// default button answers.
inline constexpr int kDefaultButton2 = 256;
int ShowMessage(int style, const QString& title, const QString& text, QWidget* parent = nullptr);
int ShowMessage(int style, const std::string& title, const std::string& text,
                QWidget* parent = nullptr);
// Texts in UTF-8 ("°" and "±" included), e.g. ShowMessage(s, " ERROR", "...").
int ShowMessage(int style, const char* title, const char* text, QWidget* parent = nullptr);

// The button that answers when the user just presses Enter: the first
// button of the set (OK, OK, Abort, Yes, Yes, Retry).
int DefaultAnswer(int style);

// The window that owns message boxes shown without a parent (the main
// window sets itself at start). nullptr clears it.
void SetMessageOwner(QWidget* owner);

// Makes ShowMessage the library's reporter hook (orvex::SetReporter), so
// that every ReportMessage of navlib and ephemeris becomes a message box.
void InstallPlatformReporter();

// Runs a dialog modally and returns its result (QDialog::Accepted or
// QDialog::Rejected, or whatever done() was given). With a PlatformScript
// installed the dialog is not run: the script's dialog handler gets it
// (and may fill its fields and accept it) and its answer is returned.
int ExecDialog(QDialog& dialog);

// The file dialogs of the observation files. Return the chosen path, or an
// empty text when the user cancelled. A script answers from its fileNames
// (the names as typed: no suffix is added to them).
//   filter         Qt filter text, e.g. "Observation files (*.obs)"
//   folder         the starting folder; for the save dialog also a path
//                  whose file name is offered
//   defaultSuffix  without its dot ("obs"): the save dialog adds it to a
//                  name typed without one
// The save dialog never asks about replacing an existing file: the caller
// asks about the file it will write.
QString AskOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter);
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter, const QString& defaultSuffix = QString());

// A scripted stand-in for every modal window of the program, for tests.
// Constructing one installs it (and routes the library's reports into it);
// the destructor restores the real windows and the library's default
// reporter (standard error). Only one script may be installed at a time.
class PlatformScript {
  public:
    struct Message {
        int style;
        QString title;
        QString text;
        QWidget* owner = nullptr;  // the window the box would lie above
    };

    PlatformScript();
    ~PlatformScript();
    PlatformScript(const PlatformScript&) = delete;
    PlatformScript& operator=(const PlatformScript&) = delete;

    // Every message box asked for, in order.
    std::vector<Message> messages;
    // Answers to the message boxes, consumed from the front; when empty the
    // box's default button answers (DefaultAnswer).
    std::vector<int> answers;
    // Called at each message box before it is answered, e.g. to look at the
    // windows as they stand while the box would be up.
    std::function<void(const Message&)> onMessage;

    // Every dialog run through ExecDialog: its objectName, in order.
    std::vector<QString> dialogs;
    // Answers a dialog instead of running it; by default the dialog is
    // rejected (as if its Cancel or close box was pressed).
    std::function<int(QDialog&)> dialogHandler;

    // Answers of the file dialogs, consumed from the front; empty means
    // the user cancelled.
    std::vector<QString> fileNames;
    // Every file dialog asked for: its caption.
    std::vector<QString> fileDialogs;
    // and where it started: the folder, or for the save dialog the path offered.
    std::vector<QString> fileStarts;

    // Every address given to ShellOpen, in order, and what ShellOpen answers.
    std::vector<QString> openedUrls;
    bool shellOpenSucceeds = true;

    // The titles of the recorded messages, for short assertions.
    std::vector<QString> Titles() const;
    // The text of the last message, or empty.
    QString LastText() const;
    void Clear();

    // The installed script, or nullptr.
    static PlatformScript* Current();
};

}  // namespace orvex
