#include "navlib/number_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "navlib/date_time.h"
#include "navlib/false_warnings.h"

namespace orvex {

namespace {

// A non-negative number rounded to a number of decimals, as digit strings:
// the integer digits without leading zeros ("" for 0) and exactly `decimals`
// fraction digits.
struct Digits {
    std::string whole;
    std::string frac;
    bool IsZero() const {
        return whole.empty() && frac.find_first_not_of('0') == std::string::npos;
    }
};

// Rounds |a| (finite) half away from zero at `decimals` places, working on
// its 15-significant-digit decimal form.
Digits RoundDecimal(double a, int decimals) {
    Digits r;
    r.frac.assign(static_cast<size_t>(decimals), '0');
    a = std::fabs(a);
    if (a == 0.0) return r;
    // d.dddddddddddddde[+-]XX, whatever the C library's LC_NUMERIC.
    char buf[64];
    const char* last =
        std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14).ptr;
    std::string mant;
    const char* p = buf;
    for (; p != last && *p != 'e'; ++p)
        if (std::isdigit(static_cast<unsigned char>(*p))) mant.push_back(*p);
    int exp10 = 0;
    if (p != last) {
        ++p;
        if (p != last && *p == '+') ++p;
        std::from_chars(p, last, exp10);
    }
    // Digits kept: those up to 10^-decimals.
    const long keep = static_cast<long>(exp10) + 1 + decimals;
    if (keep < 0) return r;
    std::string kept;
    char next;
    if (keep == 0) {
        next = mant[0];
    } else {
        const size_t k = static_cast<size_t>(keep);
        kept = mant.substr(0, std::min(k, mant.size()));
        if (kept.size() < k) kept.append(k - kept.size(), '0');
        next = k < mant.size() ? mant[k] : '0';
    }
    if (next >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        if (i >= 0)
            ++kept[static_cast<size_t>(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    if (kept.size() < static_cast<size_t>(decimals) + 1)
        kept.insert(0, static_cast<size_t>(decimals) + 1 - kept.size(), '0');
    const size_t split = kept.size() - static_cast<size_t>(decimals);
    r.frac = kept.substr(split);
    r.whole = kept.substr(0, split);
    const size_t nz = r.whole.find_first_not_of('0');
    r.whole = (nz == std::string::npos) ? std::string() : r.whole.substr(nz);
    return r;
}

bool IsPlaceholder(char c) {
    return c == '0' || c == '#';
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (;;) {
        const size_t semi = pattern.find(';', start);
        out.push_back(pattern.substr(start, semi == std::string_view::npos ? semi : semi - start));
        if (semi == std::string_view::npos) break;
        start = semi + 1;
    }
    return out;
}

int DecimalPlaces(std::string_view section) {
    const size_t point = section.find('.');
    if (point == std::string_view::npos) return 0;
    int n = 0;
    for (size_t i = point + 1; i < section.size(); ++i)
        if (IsPlaceholder(section[i])) ++n;
    return n;
}

// The layout puts short texts in front of and into strings ("-" + text,
// s = "0"): g++ 12's false -Wrestrict (navlib/false_warnings.h).
ORVEX_GCC12_FALSE_RESTRICT_BEGIN

// Lays rounded digits into one section. `dashes` prints the "0" places as
// "-" (no value to show).
std::string Layout(std::string_view section, const Digits& d, std::string_view decSep,
                   bool dashes = false) {
    const size_t point = section.find('.');
    const std::string_view intPat = section.substr(0, point);
    std::string out;

    int places = 0;
    for (char c : intPat)
        if (IsPlaceholder(c)) ++places;
    const int len = static_cast<int>(d.whole.size());

    int p = 0;  // index of the current integer place, from the left
    for (char c : intPat) {
        if (!IsPlaceholder(c)) {
            out.push_back(c);
            continue;
        }
        // Place p holds digit number (len - places + p) of the whole part;
        // the first place also takes every digit further left.
        const int idx = len - places + p;
        std::string s;
        if (dashes) {
            if (c == '0') s = "-";
        } else if (p == 0) {
            if (idx >= 0) s = d.whole.substr(0, static_cast<size_t>(idx) + 1);
        } else if (idx >= 0) {
            s = d.whole.substr(static_cast<size_t>(idx), 1);
        }
        if (s.empty() && c == '0' && !dashes) s = "0";
        out += s;
        ++p;
    }
    if (places == 0 && !dashes) out += d.whole;

    if (point == std::string_view::npos) return out;
    out.append(decSep);
    const std::string_view fracPat = section.substr(point + 1);
    // Trailing zeros at "#" places are left out.
    std::vector<size_t> slots;
    for (size_t i = 0; i < fracPat.size(); ++i)
        if (IsPlaceholder(fracPat[i])) slots.push_back(i);
    size_t shown = slots.size();
    while (shown > 0 && fracPat[slots[shown - 1]] == '#' && (dashes || d.frac[shown - 1] == '0'))
        --shown;
    size_t k = 0;
    for (size_t i = 0; i < fracPat.size(); ++i) {
        const char c = fracPat[i];
        if (!IsPlaceholder(c)) {
            if (c != '.') out.push_back(c);
            continue;
        }
        if (k < shown) out.push_back(dashes ? '-' : d.frac[k]);
        ++k;
    }
    return out;
}

// Chooses the section for a value already rounded to digits: `negative` is
// the sign of the value. rounder(section) gives the digits for a section.
template <typename Rounder>
std::string FormatWithSections(double value, std::string_view pattern, std::string_view decSep,
                               Rounder rounder) {
    const std::vector<std::string_view> sec = SplitSections(pattern);
    if (!std::isfinite(value)) return Layout(sec[0], Digits{}, decSep, true);
    const bool negative = value < 0.0;
    const bool hasNeg = sec.size() >= 2 && !sec[1].empty();
    const bool hasZero = sec.size() >= 3 && !sec[2].empty();
    std::string_view use = (negative && hasNeg) ? sec[1] : sec[0];
    Digits d = rounder(use);
    if (d.IsZero()) {
        if (hasZero) return Layout(sec[2], rounder(sec[2]), decSep);
        if (negative) return Layout(sec[0], rounder(sec[0]), decSep);
    }
    if (negative && !hasNeg) return "-" + Layout(use, d, decSep);
    return Layout(use, d, decSep);
}

ORVEX_GCC12_FALSE_RESTRICT_END

std::string PlainNumber(double value, std::string_view decSep) {
    if (!std::isfinite(value)) return "-";
    char buf[64];
    const char* last =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
    std::string s;
    for (const char* p = buf; p != last; ++p) {
        if (*p == '.')
            s.append(decSep);
        else
            s.push_back(*p);
    }
    if (s == "-0") s = "0";
    return s;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, std::string_view decSep) {
    if (pattern.empty()) return PlainNumber(value, decSep);
    return FormatWithSections(value, pattern, decSep, [&](std::string_view section) {
        return RoundDecimal(value, DecimalPlaces(section));
    });
}

std::string FormatDegreesMinutes(double degrees, std::string_view pattern,
                                 std::string_view decSep) {
    if (pattern.empty()) pattern = "00°00'.0";
    return FormatWithSections(degrees, pattern, decSep, [&](std::string_view section) {
        const int decimals = DecimalPlaces(section);
        const Digits minutes = RoundDecimal(std::fabs(degrees) * 60.0, decimals);
        if (minutes.whole.size() > 15) {
            // Far beyond any angle: the minutes are noise at this size.
            return RoundDecimal(std::trunc(std::fabs(degrees)) * 100.0, decimals);
        }
        const long long total = minutes.whole.empty() ? 0 : std::stoll(minutes.whole);
        const long long deg = total / 60;
        const long long min = total % 60;
        Digits packed;
        packed.frac = minutes.frac;
        if (deg > 0)
            packed.whole = std::to_string(deg) + (min < 10 ? "0" : "") + std::to_string(min);
        else if (min > 0)
            packed.whole = std::to_string(min);
        return packed;
    });
}

std::string FormatDateTime(double when, std::string_view pattern, const DateNames& names) {
    const CalendarTime c = SplitDateTime(when);
    auto two = [](int v) {
        std::string s = std::to_string(v);
        return s.size() < 2 ? "0" + s : s;
    };
    // Tokenise first, so that "m" can look at its neighbours.
    struct Token {
        char letter;  // 0 for a literal
        size_t count;
        std::string_view text;
    };
    std::vector<Token> tokens;
    for (size_t i = 0; i < pattern.size();) {
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        if (lc == 'd' || lc == 'm' || lc == 'y' || lc == 'h' || lc == 'n' || lc == 's') {
            size_t j = i;
            while (j < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[j])) == lc)
                ++j;
            tokens.push_back({lc, j - i, pattern.substr(i, j - i)});
            i = j;
        } else {
            size_t j = i;
            while (j < pattern.size()) {
                const char l =
                    static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[j])));
                if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 'n' || l == 's') break;
                ++j;
            }
            tokens.push_back({0, j - i, pattern.substr(i, j - i)});
            i = j;
        }
    }
    std::string out;
    char lastField = 0;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token& tk = tokens[t];
        if (tk.letter == 0) {
            out.append(tk.text);
            continue;
        }
        char nextField = 0;
        for (size_t u = t + 1; u < tokens.size(); ++u)
            if (tokens[u].letter) {
                nextField = tokens[u].letter;
                break;
            }
        switch (tk.letter) {
            case 'd':
                if (tk.count == 1)
                    out += std::to_string(c.day);
                else if (tk.count == 2)
                    out += two(c.day);
                else if (tk.count == 3)
                    out += names.dayShort[static_cast<size_t>(WeekdayOf(when) - 1)];
                else
                    out += names.dayLong[static_cast<size_t>(WeekdayOf(when) - 1)];
                break;
            case 'm':
                if (tk.count <= 2 && (lastField == 'h' || nextField == 's'))
                    out += tk.count == 1 ? std::to_string(c.minute) : two(c.minute);
                else if (tk.count == 1)
                    out += std::to_string(c.month);
                else if (tk.count == 2)
                    out += two(c.month);
                else if (tk.count == 3)
                    out += names.monthShort[static_cast<size_t>(c.month - 1)];
                else
                    out += names.monthLong[static_cast<size_t>(c.month - 1)];
                break;
            case 'y':
                if (tk.count == 1) {
                    const double jan1 = MakeDateTime(c.year, 1, 1);
                    const double day = MakeDateTime(c.year, c.month, c.day);
                    out += std::to_string(static_cast<int>(day - jan1) + 1);
                } else if (tk.count == 2) {
                    out += two(c.year % 100);
                } else {
                    out += std::to_string(c.year);
                }
                break;
            case 'h':
                out += tk.count == 1 ? std::to_string(c.hour) : two(c.hour);
                break;
            case 'n':
                out += tk.count == 1 ? std::to_string(c.minute) : two(c.minute);
                break;
            case 's':
                out += tk.count == 1 ? std::to_string(c.second) : two(c.second);
                break;
        }
        lastField = tk.letter;
    }
    return out;
}

}  // namespace orvex
