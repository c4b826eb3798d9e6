// The settings store as the main window uses it: application "Orvex",
// section "Settings", keys of the window's geometry. A read answers the
// stored text, or empty when the key is missing. Tests hand the main window
// a fake one.
#pragma once

#include <functional>
#include <string>

namespace orvex {

struct MainSettings {
    std::function<std::string(const std::string& key)> Read;
    std::function<void(const std::string& key, const std::string& value)> Write;
};

// The real store of application "Orvex", section "Settings": each write is
// saved at once.
MainSettings PlatformMainSettings();

}  // namespace orvex
