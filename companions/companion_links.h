// What the star-fix wizard and the azimuth tool need of the main window,
// handed to them as plain values and callbacks (the companion windows know
// nothing of the main window's classes).
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace orvex {

class SystemClock;

struct CompanionLinks {
    // The user's decimal separator: one character (masks and shown numbers).
    std::string DecSep = ".";
    // The PC clock; nullptr reads the host's clock. Tests put a manual one.
    std::shared_ptr<SystemClock> Clock;
    // Shows the time-store dialog modally, owned by `owner`; nothing is
    // read back by the caller.
    std::function<void(QWidget* owner)> ShowTimeStore;
    // The wizard closed (Cancel, End or unload): the main window clears
    // its WizardOpen flag and enables its wizard menu; also its start-screen
    // wizard picture when enablePicture is true.
    std::function<void(bool enablePicture)> WizardClosed;
    // The azimuth tool ended: the main window gives its controls back.
    std::function<void()> AzimuthEnded;

    // The present UT instant, days since 1899 December 30 (the PC's local
    // clock plus its UTC offset).
    double UtNow() const;
};

}  // namespace orvex
