#include "workbench/startup_helpers.h"

#include <QLocale>
#include <QString>
#include <algorithm>
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
        if (!ok) return false;
    }
    // Read as double: a value past the single-precision range must not turn
    // into an infinite window.
    if (!std::isfinite(v) || std::fabs(v) > kMaxGeometryTwips) return false;
    *value = v;
    return true;
}

TwipsRect KeepOnScreen(const TwipsRect& window, const std::vector<TwipsRect>& screens) {
    if (screens.empty()) return window;
    // A hair less than asked, so that rounding never moves a window that
    // shows just enough.
    const double slack = 1 - 1e-9;
    for (const TwipsRect& s : screens) {
        TwipsRect r = window;
        r.Width = std::min(r.Width, s.Width);
        r.Height = std::min(r.Height, s.Height);
        // The title bar must lie on this screen, with room below it.
        const double lowestTop = s.Top + std::max(0.0, s.Height - kTitleRoomTwips);
        if (r.Top < s.Top || r.Top > lowestTop) continue;
        const double w = std::min(r.Left + r.Width, s.Left + s.Width) - std::max(r.Left, s.Left);
        if (w >= std::min(r.Width, kVisibleWidthTwips) * slack) return r;
    }
    const TwipsRect& s = screens.front();
    TwipsRect r = window;
    r.Width = std::min(r.Width, s.Width);
    r.Height = std::min(r.Height, s.Height);
    r.Left = std::max(s.Left, std::min(r.Left, s.Left + s.Width - r.Width));
    // A window shorter than the title room still keeps that room below its
    // top edge.
    const double lowestTop = s.Top + std::max(0.0, s.Height - std::max(r.Height, kTitleRoomTwips));
    r.Top = std::max(s.Top, std::min(r.Top, lowestTop));
    return r;
}

TwipsRect RestoreMainGeometry(const std::function<std::string(const std::string&)>& readSetting,
                              double screenWidth, double screenHeight) {
    TwipsRect r;
    auto read = [&](const char* key, double fallback, bool isSize) {
        double v = 0.0;
        if (!ReadGeometryNumber(readSetting(key), &v)) return fallback;
        if (isSize && v < kMinWindowTwips) return fallback;
        return v;
    };
    r.Width = read("MainWidth", static_cast<float>(screenWidth * 0.95), true);
    r.Left = read("MainLeft", std::floor((screenWidth - r.Width) * 0.5), false);
    r.Height = read("MainHeight", static_cast<float>(screenHeight * 0.94), true);
    r.Top = read("MainTop", std::floor((screenHeight - r.Height) * 0.25), false);
    return r;
}

}  // namespace orvex
