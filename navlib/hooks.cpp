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

}  // namespace

void SetReporter(Reporter reporter) {
    CurrentReporter() = reporter ? std::move(reporter) : Reporter(DefaultReporter);
}

int ReportMessage(int style, const std::string& title, const std::string& text) {
    return CurrentReporter()(style, title, text);
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
