#include "navlib/hooks.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <utility>

namespace orvex {

namespace {

int DefaultReporter(int, const std::string& title, const std::string& text) {
    std::cerr << "[" << title << "] " << text << std::endl;
    return kAnswerOk;
}

double SystemSecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const double frac = duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

Reporter& CurrentReporter() {
    static Reporter r = DefaultReporter;
    return r;
}
ClockSeconds& CurrentClock() {
    static ClockSeconds c = SystemSecondsSinceMidnight;
    return c;
}
EventPump& CurrentPump() {
    static EventPump p = [] {};
    return p;
}

// The technical-box limit: how many scopes are open, and whether the
// outermost one has shown its box.
struct TechnicalLimitState {
    int open = 0;
    bool shown = false;
};
TechnicalLimitState& TechnicalLimit() {
    static TechnicalLimitState state;
    return state;
}

bool IsTechnical(int style) {
    const int icon = style & 0x70;
    return icon == kIconCritical || icon == kIconExclamation;
}

}  // namespace

void SetReporter(Reporter reporter) {
    CurrentReporter() = reporter ? std::move(reporter) : Reporter(DefaultReporter);
}

int ReportMessage(int style, const std::string& title, const std::string& text) {
    TechnicalLimitState& limit = TechnicalLimit();
    if (limit.open > 0 && IsTechnical(style)) {
        if (limit.shown) return kAnswerOk;
        limit.shown = true;
    }
    return CurrentReporter()(style, title, text);
}

TechnicalMessageLimit::TechnicalMessageLimit() : outermost_(TechnicalLimit().open == 0) {
    if (outermost_) TechnicalLimit().shown = false;
    ++TechnicalLimit().open;
}

TechnicalMessageLimit::~TechnicalMessageLimit() {
    --TechnicalLimit().open;
}

bool TechnicalMessageLimit::Shown() {
    return TechnicalLimit().shown;
}

void SetClock(ClockSeconds clock) {
    CurrentClock() = clock ? std::move(clock) : ClockSeconds(SystemSecondsSinceMidnight);
}

double TimerSeconds() {
    return CurrentClock()();
}

void SetEventPump(EventPump pump) {
    CurrentPump() = pump ? std::move(pump) : EventPump([] {});
}

void PumpEvents() {
    CurrentPump()();
}

RecordingReporter::RecordingReporter() {
    SetReporter([this](int style, const std::string& title, const std::string& text) {
        messages.push_back({style, title, text});
        if (answers.empty()) return static_cast<int>(kAnswerOk);
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
}

RecordingReporter::~RecordingReporter() {
    SetReporter(nullptr);
}

ManualClock::ManualClock(double s) : seconds(s) {
    SetClock([this] { return seconds; });
}

ManualClock::~ManualClock() {
    SetClock(nullptr);
}

}  // namespace orvex
