#include "workbench/core/observation_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "inputs/condition_checks.h"
#include "navlib/date_time.h"
#include "navlib/false_warnings.h"
#include "navlib/unit_conversions.h"

namespace orvex {

const double kObsFileMaxHeightEye = FeetToMetres(kMaxHeightFeet);

namespace {

enum class FieldKind { Number, Text, Date, NotEntered };

struct Field {
    FieldKind Kind = FieldKind::Number;
    std::string Raw;  // the number's text, the quoted text, the date's text
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits one record into its fields; false when it is not a record.
bool SplitRecord(std::string_view line, std::vector<Field>& fields) {
    fields.clear();
    size_t i = 0;
    const size_t n = line.size();
    for (;;) {
        while (i < n && IsBlank(line[i])) ++i;
        Field f;
        if (i < n && line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) return false;
            f.Kind = FieldKind::Text;
            f.Raw = std::string(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (i < n && line[i] == '#') {
            const size_t end = line.find('#', i + 1);
            if (end == std::string_view::npos) return false;
            f.Raw = std::string(line.substr(i + 1, end - i - 1));
            f.Kind =
                "#" + f.Raw + "#" == kObsFileNotEntered ? FieldKind::NotEntered : FieldKind::Date;
            i = end + 1;
        } else {
            size_t end = i;
            while (end < n && line[end] != ',') ++end;
            size_t last = end;
            while (last > i && IsBlank(line[last - 1])) --last;
            f.Kind = FieldKind::Number;
            f.Raw = std::string(line.substr(i, last - i));
            if (f.Raw.empty()) return false;
            i = end;
        }
        fields.push_back(std::move(f));
        while (i < n && IsBlank(line[i])) ++i;
        if (i == n) return true;
        if (line[i] != ',') return false;
        ++i;
    }
}

bool ReadNumber(const std::string& s, double& v) {
    if (s.empty() || s.size() > 40) return false;
    std::string t = s;
    // The classic writer leaves out the zero before the point (".5", "-.5").
    ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // insert (navlib/false_warnings.h)
    if (t[0] == '.') t.insert(0, "0");
    if (t.size() > 1 && (t[0] == '-' || t[0] == '+') && t[1] == '.') t.insert(1, "0");
    ORVEX_GCC12_FALSE_RESTRICT_END
    const char* b = t.data() + (t[0] == '+' ? 1 : 0);
    const char* e = t.data() + t.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e && std::isfinite(v);
}

bool Digits(std::string_view s, size_t from, size_t count, int& v) {
    if (from + count > s.size()) return false;
    v = 0;
    for (size_t k = from; k < from + count; ++k) {
        if (s[k] < '0' || s[k] > '9') return false;
        v = v * 10 + (s[k] - '0');
    }
    return true;
}

bool ReadDate(std::string_view s, double& days) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
    if (s.size() != 10 && s.size() != 19) return false;
    if (!Digits(s, 0, 4, y) || s[4] != '-' || !Digits(s, 5, 2, mo) || s[7] != '-' ||
        !Digits(s, 8, 2, d))
        return false;
    if (s.size() == 19 && (s[10] != ' ' || !Digits(s, 11, 2, h) || s[13] != ':' ||
                           !Digits(s, 14, 2, mi) || s[16] != ':' || !Digits(s, 17, 2, se)))
        return false;
    if (y < 100 || mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || se > 59) return false;
    static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d > kDays[mo - 1]) return false;
    if (mo == 2 && d == 29 && !((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return false;
    if (!ObsFileDateShown(y, mo, d)) return false;
    days = MakeDateTime(y, mo, d, h, mi, se);
    return true;
}

// The lines of a file: CR LF, LF or CR ends a line; a final line ending does
// not start another line.
std::vector<std::string_view> SplitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' || content[i] == '\n') {
            lines.push_back(content.substr(start, i - start));
            if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < content.size()) lines.push_back(content.substr(start));
    return lines;
}

ObsFileProblem Problem(int number, std::string text) {
    return ObsFileProblem{number, std::move(text)};
}

// Reads line `index` (0-based) as the given field kinds.
struct LineReader {
    const std::vector<std::string_view>& lines;
    size_t count;  // lines before the signature
    std::vector<Field> fields;
    // Where #NULL# may stand for a number or a date.
    bool mayBeNotEntered = false;

    ObsFileProblem Read(size_t index, const std::vector<FieldKind>& kinds, const char* what) {
        const std::string name = "line " + std::to_string(index + 1) + " (" + what + ")";
        if (index >= count)
            return Problem(62, "Input past end of file: the file ends before " + name + ".");
        if (!SplitRecord(lines[index], fields) || fields.size() != kinds.size())
            return Problem(13, "Type mismatch: " + name + " should hold " +
                                   std::to_string(kinds.size()) + " field(s).");
        for (size_t k = 0; k < kinds.size(); ++k)
            if (fields[k].Kind != kinds[k] &&
                !(mayBeNotEntered && fields[k].Kind == FieldKind::NotEntered))
                return Problem(
                    13, "Type mismatch in " + name + ", field " + std::to_string(k + 1) + ".");
        return {};
    }
    bool NotEntered(size_t k) const { return fields[k].Kind == FieldKind::NotEntered; }
    ObsFileProblem Number(size_t index, size_t k, double lo, double hi, const char* what,
                          double& v) {
        const std::string name = "line " + std::to_string(index + 1);
        if (!ReadNumber(fields[k].Raw, v))
            return Problem(13, "Type mismatch in " + name + ": " + what + " is not a number.");
        if (v < lo || v > hi) {
            // The limits as the file writes its numbers, with a point.
            auto limit = [](double x) {
                char buf[32];
                return std::string(
                    buf,
                    std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 6).ptr);
            };
            return Problem(6, "Overflow in " + name + ": " + what + " is out of range (" +
                                  limit(lo) + " to " + limit(hi) + ").");
        }
        return {};
    }
    ObsFileProblem Date(size_t index, size_t k, const char* what, double& v) {
        if (!ReadDate(fields[k].Raw, v))
            return Problem(13, "Type mismatch in line " + std::to_string(index + 1) + ": " + what +
                                   " is not a date and time.");
        return {};
    }
};

#define ORVEX_TRY(expr)                \
    do {                               \
        ObsFileProblem p_ = (expr);    \
        if (p_.Number != 0) return p_; \
    } while (false)

}  // namespace

ObsFileProblem ParseObservationFile(std::string_view content,
                                    const std::vector<std::string>& bodyNames,
                                    ObservationFileData& out) {
    // A text editor may have put the UTF-8 byte-order mark in front.
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    if (static_cast<long long>(content.size()) > kObsFileMaxBytes)
        return Problem(7, "Out of memory: the file holds " + std::to_string(content.size()) +
                              " bytes, far more than any observations file.");
    const std::vector<std::string_view> lines = SplitLines(content);
    if (lines.empty()) return Problem(kObsNotOrvexFile, "");
    const std::string_view last = lines.back();
    ObservationFileData d;
    if (last == kObsSignature09)
        d.Layout = ObsFileLayout::Text09;
    else if (last == kObsSignatureCurrent || last == kObsSignature10)
        d.Layout = ObsFileLayout::Current;
    else
        return Problem(kObsNotOrvexFile, "");
    // A stray NUL or control byte is no text file, whatever its last line.
    for (char c : content)
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n' && c != '\t')
            return Problem(13, "Type mismatch: the file holds bytes that are not text.");

    LineReader r{lines, lines.size() - 1, {}};
    using K = FieldKind;
    const bool text = d.Layout == ObsFileLayout::Text09;
    const K T = K::Text;
    if (text) {
        const struct {
            size_t line;
            int count;
            const char* what;
        } rows[] = {{0, 1, "time of the estimated position"},
                    {1, 2, "estimated latitude and longitude"},
                    {2, 1, "time of the position wanted"},
                    {3, 2, "course and speed"},
                    {4, 2, "height of eye and instrument correction"},
                    {5, 3, "temperatures and pressure"}};
        size_t t = 0;
        for (const auto& row : rows) {
            ORVEX_TRY(
                r.Read(row.line, std::vector<K>(static_cast<size_t>(row.count), T), row.what));
            for (const Field& f : r.fields) d.Texts[t++] = f.Raw;
        }
    } else {
        // The eight inputs of lines 1 to 5, in file order; #NULL# marks one
        // that was not entered.
        size_t input = 0;
        auto number = [&](size_t line, size_t k, double lo, double hi, const char* what,
                          double& v) {
            const bool entered = d.Entered[input++] = !r.NotEntered(k);
            return entered ? r.Number(line, k, lo, hi, what, v) : ObsFileProblem{};
        };
        auto date = [&](size_t line, const char* what, double& v) {
            const bool entered = d.Entered[input++] = !r.NotEntered(0);
            return entered ? r.Date(line, 0, what, v) : ObsFileProblem{};
        };
        r.mayBeNotEntered = true;
        ORVEX_TRY(r.Read(0, {K::Date}, "time of the estimated position"));
        ORVEX_TRY(date(0, "the time of the estimated position", d.TimeEstPos));
        ORVEX_TRY(r.Read(1, {K::Number, K::Number}, "estimated latitude and longitude"));
        ORVEX_TRY(number(1, 0, -90, 90, "the latitude", d.Lat));
        ORVEX_TRY(number(1, 1, -180, 180, "the longitude", d.Long));
        ORVEX_TRY(r.Read(2, {K::Date}, "time of the position wanted"));
        ORVEX_TRY(date(2, "the time of the position wanted", d.TimeTruePos));
        ORVEX_TRY(r.Read(3, {K::Number, K::Number}, "course and speed"));
        ORVEX_TRY(number(3, 0, 0, 360, "the course", d.CourseInput));
        ORVEX_TRY(number(3, 1, 0, 999.9, "the speed", d.SpeedInput));
        ORVEX_TRY(r.Read(4, {K::Number, K::Number}, "height of eye and instrument correction"));
        ORVEX_TRY(number(4, 0, 0, kObsFileMaxHeightEye, "the height of eye", d.HeightEye));
        ORVEX_TRY(number(4, 1, -99.99, 99.99, "the instrument correction", d.InstErr));
        r.mayBeNotEntered = false;
        ORVEX_TRY(r.Read(5, {K::Number, K::Number, K::Number}, "temperatures and pressure"));
        ORVEX_TRY(r.Number(5, 0, -99, 999, "the air temperature", d.TempAirC));
        ORVEX_TRY(r.Number(5, 1, -99, 999, "the sea temperature", d.TempWaterC));
        ORVEX_TRY(r.Number(5, 2, 0, 9999, "the pressure", d.PressMBars));
    }
    ORVEX_TRY(r.Read(6, {K::Number}, "number of sights"));
    double count = 0;
    if (!ReadNumber(r.fields[0].Raw, count) || count != std::floor(count) ||
        std::fabs(count) > 32767)
        return Problem(13, "Type mismatch in line 7: the number of sights is not a whole number.");
    if (count > kObsFileMaxSights)
        return Problem(9, "Subscript out of range: the file announces " +
                              std::to_string(static_cast<int>(count)) +
                              " sights, more than the grid's " + std::to_string(kObsFileMaxSights) +
                              " rows.");
    const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
    if (7 + n < r.count)
        return Problem(13, "Type mismatch: line " + std::to_string(8 + n) +
                               " should be the file's last line, its signature.");
    for (size_t i = 0; i < n; ++i) {
        const size_t line = 7 + i;
        if (text) {
            ORVEX_TRY(r.Read(line, {T, T, T, T}, "a sight"));
            d.TextSights.push_back(
                {r.fields[0].Raw, r.fields[1].Raw, r.fields[2].Raw, r.fields[3].Raw});
            continue;
        }
        ORVEX_TRY(r.Read(line, {K::Date, K::Text, K::Number, K::Number}, "a sight"));
        ObsFileSight s;
        ORVEX_TRY(r.Date(line, 0, "the time of the sight", s.Time));
        s.Body = r.fields[1].Raw;
        if (std::find(bodyNames.begin(), bodyNames.end(), s.Body) == bodyNames.end())
            return Problem(13, "Type mismatch in line " + std::to_string(line + 1) + ": \"" +
                                   s.Body.substr(0, 40) + "\" is no body the program knows.");
        ORVEX_TRY(r.Number(line, 2, 0, 90 - 0.05 / 60, "the sextant altitude", s.Hs));
        ORVEX_TRY(
            r.Number(line, 3, -99.99 / 60, 99.99 / 60, "the instrument correction", s.InstErr));
        d.Sights.push_back(std::move(s));
    }
    out = std::move(d);
    return {};
}

std::string ObsFileDateTime(double days) {
    const CalendarTime c = SplitDateTime(days);
    char buf[32];
    if (c.hour == 0 && c.minute == 0 && c.second == 0)
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", c.year, c.month, c.day);
    else
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d %02d:%02d:%02d#", c.year, c.month, c.day,
                      c.hour, c.minute, c.second);
    return buf;
}

std::string ObsFileNumber(double value) {
    if (value == 0.0) return "0";  // no "-0"
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string WriteObservationFile(const ObservationFileData& d) {
    const std::string eol = "\r\n";
    auto num = ObsFileNumber;
    // The inputs of lines 1 to 5, in file order.
    size_t input = 0;
    auto in = [&](const std::string& text) {
        return d.Entered[input++] ? text : std::string(kObsFileNotEntered);
    };
    std::string s;
    ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // "," + string (navlib/false_warnings.h)
    s += in(ObsFileDateTime(d.TimeEstPos)) + eol;
    s += in(num(d.Lat));
    s += "," + in(num(d.Long)) + eol;
    s += in(ObsFileDateTime(d.TimeTruePos)) + eol;
    s += in(num(d.CourseInput));
    s += "," + in(num(d.SpeedInput)) + eol;
    s += in(num(d.HeightEye));
    s += "," + in(num(d.InstErr)) + eol;
    ORVEX_GCC12_FALSE_RESTRICT_END
    s += num(d.TempAirC) + "," + num(d.TempWaterC) + "," + num(d.PressMBars) + eol;
    s += std::to_string(d.Sights.size()) + eol;
    for (const ObsFileSight& o : d.Sights)
        s += ObsFileDateTime(o.Time) + ",\"" + o.Body + "\"," + num(o.Hs) + "," + num(o.InstErr) +
             eol;
    s += std::string(kObsSignatureCurrent) + eol;
    return s;
}

}  // namespace orvex
