// Any four stored texts (lines of the input) as the main window's geometry
// keys: the restored window is finite, no larger than the screen it lands
// on, and its title bar is reachable there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "workbench/startup_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    const std::string in(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> store;
    const char* keys[] = {"MainWidth", "MainLeft", "MainHeight", "MainTop"};
    std::size_t start = 0;
    for (const char* key : keys) {
        const std::size_t end = std::min(in.find('\n', start), in.size());
        if (start <= in.size()) store[key] = in.substr(start, end - start);
        start = end + 1;
    }
    auto read = [&store](const std::string& k) { return store[k]; };
    const std::vector<TwipsRect> screens = {{0, 0, 19200, 14400},  // 1280 x 960 pixels
                                            {19200, -2000, 28800, 16200}};
    const TwipsRect r =
        KeepOnScreen(RestoreMainGeometry(read, screens[0].Width, screens[0].Height), screens);
    for (double v : {r.Left, r.Top, r.Width, r.Height})
        if (!std::isfinite(v) || std::fabs(v) > kMaxGeometryTwips) std::abort();
    if (!(r.Width > 0 && r.Height > 0)) std::abort();
    // The title bar lies on a screen no smaller than the window, with
    // enough of the width showing.
    bool reachable = false;
    for (const TwipsRect& s : screens) {
        const double w = std::min(r.Left + r.Width, s.Left + s.Width) - std::max(r.Left, s.Left);
        reachable = reachable || (r.Width <= s.Width && r.Height <= s.Height && r.Top >= s.Top &&
                                  r.Top <= s.Top + s.Height - kTitleRoomTwips &&
                                  w >= std::min(r.Width, kVisibleWidthTwips) * (1 - 1e-9));
    }
    if (!reachable) std::abort();
    return 0;
}
