// The library's three links to the world outside it: the message reporter,
// the clock and the event pump. The library keeps no widgets; the program
// installs its own implementations at start-up, tests install recording or
// scripted ones. Every hook has a harmless default so that a command-line
// tool or a test that installs nothing still runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvex {

// Message box style: an icon plus a button set, added together as the values
// the windows expect (e.g. kIconCritical + kButtonsOk).
enum MsgStyle : int {
    kButtonsOk = 0,
    kButtonsOkCancel = 1,
    kButtonsAbortRetryIgnore = 2,
    kButtonsYesNoCancel = 3,
    kButtonsYesNo = 4,
    kButtonsRetryCancel = 5,
    kIconCritical = 16,
    kIconQuestion = 32,
    kIconExclamation = 48,
    kIconInformation = 64,
};

// The button that closed a message box.
enum MsgAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerAbort = 3,
    kAnswerRetry = 4,
    kAnswerIgnore = 5,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// A reporter shows one message box and returns the answer. Titles are passed
// as they stand (many start with a blank); a line break in a text is "\r\n".
using Reporter = std::function<int(int style, const std::string& title, const std::string& text)>;

// Installs the process-wide reporter; an empty function restores the default,
// which writes the message to standard error and answers OK.
void SetReporter(Reporter reporter);

// Shows a message through the installed reporter and returns its answer.
// While a TechnicalMessageLimit lives, a box with the critical or the
// exclamation icon after the first such box is not shown and answers OK.
int ReportMessage(int style, const std::string& title, const std::string& text);

// One computation's technical reports (an arithmetic failure, a routine that
// did not converge, an argument out of range) come as at most one box: the
// first. Scopes may nest; the outermost one counts. Messages with another
// icon (information, question) are not limited.
class TechnicalMessageLimit {
  public:
    TechnicalMessageLimit();
    ~TechnicalMessageLimit();
    TechnicalMessageLimit(const TechnicalMessageLimit&) = delete;
    TechnicalMessageLimit& operator=(const TechnicalMessageLimit&) = delete;
    // True once a technical box was shown within the outermost scope.
    static bool Shown();

  private:
    bool outermost_;
};

// The clock hook: seconds since local midnight (0 to 86400), as the
// one-second throttles of the library and Pause read it. The default reads
// the system clock.
using ClockSeconds = std::function<double()>;
void SetClock(ClockSeconds clock);
double TimerSeconds();

// The event pump: lets the window system handle its pending events. The
// default does nothing.
using EventPump = std::function<void()>;
void SetEventPump(EventPump pump);
void PumpEvents();

// A reporter for tests: records every message and answers from a script
// (kAnswerOk when the script is empty). Install it with Install(); the
// destructor puts the default reporter back.
class RecordingReporter {
  public:
    struct Message {
        int style;
        std::string title;
        std::string text;
    };
    RecordingReporter();
    ~RecordingReporter();
    RecordingReporter(const RecordingReporter&) = delete;
    RecordingReporter& operator=(const RecordingReporter&) = delete;

    std::vector<Message> messages;
    std::vector<int> answers;  // consumed from the front

    void Clear() { messages.clear(); }
};

// A settable clock for tests; installs itself, the destructor restores the
// system clock.
class ManualClock {
  public:
    explicit ManualClock(double seconds = 43200.0);
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;
    double seconds;
};

}  // namespace orvex
