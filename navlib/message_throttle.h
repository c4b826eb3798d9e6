// Keeps one message from being shown again and again when the same failure
// repeats within a second (a solver called in a loop, a field left twice).
#pragma once

#include <optional>
#include <string>

namespace orvex {

// Remembers the last message shown and the clock second it was shown in.
//   text   the message; an empty text never counts as a repeat
//   now    seconds since local midnight (0 to 86400), as TimerSeconds() gives
// A message is a repeat when its text equals the last one and the two whole
// clock seconds differ by at most one. The clock restarts at midnight: 86399.6
// and 0.2 are one second apart, not a day.
class MessageThrottle {
  public:
    // True when the message should be shown; remembers it either way.
    bool Admit(const std::string& text, double now);
    // True when the message was shown within the last second (nothing remembered).
    bool IsRepeat(const std::string& text, double now) const;
    // Forgets the last message (tests, and a new run that must show it again).
    void Reset() { last_.reset(); }

  private:
    struct Shown {
        std::string text;
        double time;
    };
    std::optional<Shown> last_;
};

// Whole seconds between two readings of the midnight clock, from -43200 to 43200.
double ClockSecondsApart(double earlier, double later);

}  // namespace orvex
