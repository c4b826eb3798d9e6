#include "navlib/message_throttle.h"

#include <cmath>

namespace orvex {

double ClockSecondsApart(double earlier, double later) {
    double diff = std::floor(later) - std::floor(earlier);
    if (diff > 43200.0) diff -= 86400.0;
    if (diff < -43200.0) diff += 86400.0;
    return diff;
}

bool MessageThrottle::IsRepeat(const std::string& text, double now) const {
    return last_ && !text.empty() && last_->text == text &&
           std::fabs(ClockSecondsApart(last_->time, now)) <= 1.0;
}

bool MessageThrottle::Admit(const std::string& text, double now) {
    const bool show = !IsRepeat(text, now);
    last_ = Shown{text, now};
    return show;
}

}  // namespace orvex
