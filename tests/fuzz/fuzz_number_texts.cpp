// The position, bearing and number parsers with any text, and format ->
// parse round trips with "." and "," as decimal separator. The first byte
// picks the separator; the next eight, read as a double, are the value
// formatted; the whole rest is also parsed as typed text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool IsSentinel(double v) {
    return v == orvex::kBadHemisphere || v == orvex::kBadMinutes || v == orvex::kBadDegrees;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    if (size < 1) return 0;
    const std::string sep = (data[0] & 1) ? "," : ".";
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // Typed text: a value in range or a sentinel, never anything else.
    const double lat = ParseLatitude(text);
    Check(IsSentinel(lat) || std::fabs(lat) <= 90.0);
    const double lon = ParseLongitude(text);
    Check(IsSentinel(lon) || std::fabs(lon) <= 180.0);
    const double wide = ParseLongitude(text, true);
    Check(IsSentinel(wide) || (wide >= 0.0 && wide <= 360.0));
    const double bearing = ParseBearingText(text, sep);
    Check(bearing == kBearingNegative || (bearing >= 0.0 && bearing <= 360.0) ||
          bearing == kBearingOver360);
    Check(std::isfinite(ParseNumberText(text, sep)) && std::isfinite(ParsePositiveText(text, sep)));

    if (size < 9) return 0;
    double v = 0.0;
    std::memcpy(&v, data + 1, 8);
    if (!std::isfinite(v)) return 0;
    const double tenth = 0.05 / 60.0 + 1e-9;  // half the shown tenth of a minute

    const double la = std::fmod(v, 90.0);
    Check(std::fabs(ParseLatitude(FormatLatitude(la, sep)) - la) <= tenth);
    const double lo = std::fmod(v, 180.0);
    Check(std::fabs(std::remainder(ParseLongitude(FormatLongitude(lo, sep)) - lo, 360.0)) <= tenth);
    const double b = std::fmod(std::fabs(v), 360.0);
    Check(std::fabs(ParseBearingText(FormatNumber(b, "000°.0", sep), sep) - b) <= 0.05 + 1e-9);
    if (std::fabs(v) < 1e9) {
        const std::string shown = FormatNumber(v, "0.00", sep);
        double back = 0.0;
        Check(ReadLocaleNumber(shown, sep, back));
        Check(std::fabs(back - v) <= 0.005 + 1e-9 * std::fabs(v));
        Check(ParseNumberText(shown, sep) == back);
    }
    return 0;
}
