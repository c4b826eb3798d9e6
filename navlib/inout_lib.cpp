#include "navlib/inout_lib.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "navlib/math_lib.h"
#include "navlib/number_format.h"

namespace orvex {

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Splits a text into characters: each well-formed UTF-8 sequence is one
// character, each byte that is not part of one is a character of its own.
std::vector<std::string_view> SplitCharacters(std::string_view s) {
    std::vector<std::string_view> chars;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        size_t n = 1;
        if (b >= 0xC2 && b <= 0xDF)
            n = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            n = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            n = 4;
        if (n > 1) {
            bool ok = i + n <= s.size();
            for (size_t k = 1; ok && k < n; ++k)
                ok = IsContinuation(static_cast<unsigned char>(s[i + k]));
            if (ok && n == 3) {
                const unsigned char b1 = static_cast<unsigned char>(s[i + 1]);
                ok = !(b == 0xE0 && b1 < 0xA0) && !(b == 0xED && b1 >= 0xA0);
            } else if (ok && n == 4) {
                const unsigned char b1 = static_cast<unsigned char>(s[i + 1]);
                ok = !(b == 0xF0 && b1 < 0x90) && !(b == 0xF4 && b1 >= 0x90);
            }
            if (!ok) n = 1;
        }
        chars.push_back(s.substr(i, n));
        i += n;
    }
    return chars;
}

// The hemisphere letter at the end of a position text, upper-cased; 0 when
// the last character is not an ASCII letter.
char LastLetter(const std::vector<std::string_view>& chars) {
    if (chars.empty() || chars.back().size() != 1) return 0;
    const char c = chars.back()[0];
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
    return 0;
}

// The leading number of the characters at positions first..last (from 1):
// blanks are skipped, digits read, anything else ends the number. The prompt
// "_" is a blank (promptIsZero false) or the digit 0. Positions beyond the
// text read as nothing.
double SliceNumber(const std::vector<std::string_view>& chars, size_t first, size_t last,
                   bool promptIsZero) {
    double v = 0.0;
    for (size_t pos = first; pos <= last && pos <= chars.size(); ++pos) {
        const std::string_view c = chars[pos - 1];
        if (c.size() != 1) break;
        char ch = c[0];
        if (ch == '_') {
            if (!promptIsZero) continue;
            ch = '0';
        }
        if (ch == ' ' || ch == '\t' || ch == '\n') continue;
        if (ch < '0' || ch > '9') break;
        v = v * 10.0 + (ch - '0');
    }
    return v;
}

bool IsDegreeSign(std::string_view c) {
    return c == "\xC2\xB0" || (c.size() == 1 && static_cast<unsigned char>(c[0]) == 0xB0);
}

// The text without the characters for which drop() holds.
template <typename Pred>
std::string Without(std::string_view s, Pred drop) {
    std::string out;
    for (std::string_view c : SplitCharacters(s))
        if (!drop(c)) out.append(c);
    return out;
}

}  // namespace

double ParseLatitude(std::string_view s) {
    const std::vector<std::string_view> chars = SplitCharacters(s);
    double sign;
    switch (LastLetter(chars)) {
        case 'N':
            sign = 1.0;
            break;
        case 'S':
            sign = -1.0;
            break;
        default:
            return kBadHemisphere;
    }
    const double minutes = SliceNumber(chars, 4, 5, false);
    if (minutes > 59) return kBadMinutes;
    const double d = SliceNumber(chars, 1, 2, false) + minutes / 100.0 +
                     SliceNumber(chars, 8, 8, false) / 1000.0;
    if (d > 90) return kBadDegrees;
    const double lat = DMToDeg(d);
    return lat == 0.0 ? 0.0 : sign * lat;
}

double ParseLongitude(std::string_view s, bool wide) {
    const std::vector<std::string_view> chars = SplitCharacters(s);
    bool west;
    switch (LastLetter(chars)) {
        case 'E':
            west = false;
            break;
        case 'W':
            west = true;
            break;
        default:
            return kBadHemisphere;
    }
    const double minutes = SliceNumber(chars, 5, 6, true);
    if (minutes > 59) return kBadMinutes;
    const double d =
        SliceNumber(chars, 1, 3, true) + minutes / 100.0 + SliceNumber(chars, 9, 9, true) / 1000.0;
    if (d > 180) return kBadDegrees;
    const double lon = DMToDeg(d);
    if (!west) return lon;
    if (wide) return 360.0 - lon;
    return lon == 0.0 ? 0.0 : -lon;
}

std::string FormatLatitude(double lat, std::string_view decSep) {
    return FormatDegreesMinutes(std::fabs(lat), "00°00'.0", decSep) + (lat < 0 ? " S" : " N");
}

std::string FormatLongitude(double lon, std::string_view decSep) {
    const double x = Norm180(lon);
    return FormatDegreesMinutes(std::fabs(x), "000°00'.0", decSep) + (x < 0 ? " W" : " E");
}

bool ReadLocaleNumber(std::string_view s, std::string_view decSep, double& value) {
    const std::vector<std::string_view> chars = SplitCharacters(s);
    auto isBlank = [](std::string_view c) { return c == " " || c == "\t"; };
    size_t i = 0, end = chars.size();
    while (i < end && isBlank(chars[i]) && chars[i] != decSep) ++i;
    while (end > i && isBlank(chars[end - 1]) && chars[end - 1] != decSep) --end;

    std::string ascii;  // the number rewritten for from_chars
    if (i < end && (chars[i] == "+" || chars[i] == "-")) {
        if (chars[i] == "-") ascii.push_back('-');
        ++i;
        while (i < end && isBlank(chars[i]) && chars[i] != decSep) ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const std::string_view c = chars[i];
        if (c.size() == 1 && c[0] >= '0' && c[0] <= '9') {
            ascii.push_back(c[0]);
            ++digits;
        } else if (c == decSep && !point) {
            ascii.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < end && (chars[i] == "e" || chars[i] == "E")) {
        ascii.push_back('e');
        ++i;
        if (i < end && (chars[i] == "+" || chars[i] == "-")) ascii.append(chars[i++]);
        int expDigits = 0;
        for (; i < end && chars[i].size() == 1 && chars[i][0] >= '0' && chars[i][0] <= '9'; ++i) {
            ascii.push_back(chars[i][0]);
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (i != end) return false;
    double v = 0.0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size() || !std::isfinite(v))
        return false;
    value = v == 0.0 ? 0.0 : v;
    return true;
}

double ParseBearingText(std::string_view s, std::string_view decSep) {
    const std::string t =
        Without(s, [](std::string_view c) { return c == "_" || IsDegreeSign(c); });
    double v = 0.0;
    if (!ReadLocaleNumber(t, decSep, v)) return kBearingOver360;
    if (v > 360) return kBearingOver360;
    if (v < 0) return kBearingNegative;
    return v;
}

double ParsePositiveText(std::string_view s, std::string_view decSep) {
    const std::string t = Without(s, [](std::string_view c) { return c == "_"; });
    double v = 0.0;
    if (!ReadLocaleNumber(t, decSep, v)) return kNegativeNumber;
    if (v < 0) return kNegativeNumber;
    return v;
}

double ParseNumberText(std::string_view s, std::string_view decSep) {
    const std::string t = Without(s, [](std::string_view c) { return c == "_"; });
    double v = 0.0;
    if (!ReadLocaleNumber(t, decSep, v)) return kNotANumber;
    return v;
}

}  // namespace orvex
