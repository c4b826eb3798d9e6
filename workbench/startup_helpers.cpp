#include "workbench/startup_helpers.h"

#include <QLocale>
#include <QString>
#include <cmath>

#include "platform/settings_store.h"

namespace orvex {

std::string BuildVersionText(int major, int minor, int revision) {
    const std::string rev = std::to_string(revision);
    return std::to_string(major) + "." + std::to_string(minor) + rev.substr(0, 1);
}

std::string TrimAtNull(const std::string& s) {
    const auto pos = s.find('\0');
    return pos == std::string::npos ? s : s.substr(0, pos);
}

void AddBackslash(std::string& path, char sep) {
    std::string trimmed = path;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    if (trimmed.empty() || trimmed.back() != sep) path = trimmed + sep;
}

std::string CleanCommandLine(const std::string& arguments) {
    const std::string cut = TrimAtNull(arguments);
    std::string out;
    for (unsigned char c : cut)
        if (c > 31 && c != '"') out.push_back(static_cast<char>(c));
    return out;
}

bool ReadGeometryNumber(const std::string& text, double* value) {
    const QString t = QString::fromStdString(text).trimmed();
    double v = 0.0;
    if (!ReadStoredNumber(t, v)) {
        // A value written in the user's own locale reads too.
        bool ok = false;
        v = QLocale().toDouble(t, &ok);
        if (!ok || !std::isfinite(v)) return false;
    }
    // The window stores single-precision values.
    *value = static_cast<double>(static_cast<float>(v));
    return true;
}

TwipsRect RestoreMainGeometry(const std::function<std::string(const std::string&)>& readSetting,
                              double screenWidth, double screenHeight) {
    TwipsRect r;
    auto read = [&](const char* key, double fallback, bool mustBePositive) {
        double v = 0.0;
        if (!ReadGeometryNumber(readSetting(key), &v)) return fallback;
        if (mustBePositive && v <= 0.0) return fallback;
        return v;
    };
    r.Width = read("MainWidth", static_cast<float>(screenWidth * 0.95), true);
    r.Left = read("MainLeft", std::floor((screenWidth - r.Width) * 0.5), false);
    r.Height = read("MainHeight", static_cast<float>(screenHeight * 0.94), true);
    r.Top = read("MainTop", std::floor((screenHeight - r.Height) * 0.25), false);
    return r;
}

}  // namespace orvex
