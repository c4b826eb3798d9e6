// The observation file: one set of sights with its conditions, as text lines
// ended by CR LF, each line a delimited record: fields separated by commas,
// texts in double quotes (a quote inside a text is not escaped: it ends the
// text), numbers with a period as decimal point whatever the user's locale,
// date-times as #yyyy-mm-dd hh:mm:ss# (UT; exactly midnight as #yyyy-mm-dd#).
//
// Lines of the current layout:
//   1        time of the estimated position (date-time)
//   2        estimated latitude, longitude (degrees, north and east positive)
//   3        time of the position wanted (date-time)
//   4        course (degrees true), speed (knots), as entered
//   5        height of eye (metres), instrument correction (minutes of arc)
//   6        air and sea temperatures (degrees Celsius), pressure (hPa)
//   7        N, the number of sights (0..50)
//   8..7+N   time (date-time), body name (text), sextant altitude (degrees),
//            instrument correction of that sight (degrees)
//   last     the signature "This is an Orvex 1.x observations data file."
// An input of lines 1 to 5 that the navigator had not entered when the file
// was saved stands as #NULL# in place of its value; a file saved from a
// complete form holds no #NULL#.
// A date before 14 September 1752, the first day the date pickers show, is
// refused. A UTF-8 byte-order mark in front of the first line is skipped.
// The signature of the 1.0 files reads the same layout. The oldest files (the
// 0.9 signature) hold on the same lines the texts the user typed into each
// field, every field a quoted text but the count of line 7.
//
// Reading and writing touch no file and no widget: the window reads the
// bytes, hands them here and applies the result only when the whole file is
// sound, so a bad file never leaves the inputs half loaded.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The three signatures, quotes included, as they stand on a file's last line.
inline constexpr std::string_view kObsSignatureCurrent =
    "\"This is an Orvex 1.x observations data file.\"";
inline constexpr std::string_view kObsSignature10 =
    "\"This is an Orve 1.0 observations data file.\"";
inline constexpr std::string_view kObsSignature09 =
    "\"This is an Orve 0.9 observations datas file.\"";

// The largest file the loader reads: fifty sights take about 4 kB.
inline constexpr long long kObsFileMaxBytes = 64 * 1024;
// Whether a date can be in a file: on or after 14 September 1752, the
// first day the date pickers show.
constexpr bool ObsFileDateShown(int year, int month, int day) {
    return year > 1752 || (year == 1752 && (month > 9 || (month == 9 && day >= 14)));
}
// The highest height of eye a file holds, metres: what the feet field takes
// (327.9 ft, 99.94392 m), a little above the metres field's 99.9 m.
extern const double kObsFileMaxHeightEye;
// The grid holds at most this many sights.
inline constexpr int kObsFileMaxSights = 49;

enum class ObsFileLayout {
    Current,  // values (the 1.x and 1.0 signatures)
    Text09,   // the typed texts of the 0.9 files
};

// One sight of the current layout.
struct ObsFileSight {
    double Time = 0.0;     // days (UT), from 30 December 1899
    std::string Body;      // upper-case body name
    double Hs = 0.0;       // sextant altitude, degrees
    double InstErr = 0.0;  // instrument correction, degrees
};

// The field written for an input that was not entered.
inline constexpr std::string_view kObsFileNotEntered = "#NULL#";

struct ObservationFileData {
    ObsFileLayout Layout = ObsFileLayout::Current;
    // Current layout. Entered: whether each input of lines 1 to 5 was
    // entered, in file order (time of the estimated position, latitude,
    // longitude, wanted time, course, speed, height of eye, instrument
    // correction); the value of an input not entered reads as 0 and is
    // not written.
    std::array<bool, 8> Entered{true, true, true, true, true, true, true, true};
    double TimeEstPos = 0.0;  // days, UT
    double Lat = 0.0;         // degrees, -90..90
    double Long = 0.0;        // degrees, -180..180
    double TimeTruePos = 0.0;
    double CourseInput = 0.0;                   // degrees, 0..360
    double SpeedInput = 0.0;                    // knots, 0..999.9
    double HeightEye = 0.0;                     // metres, 0..kObsFileMaxHeightEye
    double InstErr = 0.0;                       // minutes, -99.99..99.99
    double TempAirC = 20.0, TempWaterC = 20.0;  // degrees Celsius, -99..999
    double PressMBars = 1013.0;                 // hPa, 0..9999
    std::vector<ObsFileSight> Sights;
    // Old text layout: the fields' texts in file order (time of the estimated
    // position, latitude, longitude, wanted time, course, speed, height,
    // correction, air, sea, pressure) and the four cell texts of each sight.
    std::array<std::string, 11> Texts;
    std::vector<std::array<std::string, 4>> TextSights;
};

// What went wrong with a file. Number 0: sound. kObsNotOrvexFile: the last
// line is no signature. Others carry the run-time error numbers of the
// classic file input (62 input past end of file, 13 type mismatch, 9 a sight
// count the grid cannot hold, 6 a value out of range, 7 a file too large)
// and a description that names the line.
inline constexpr int kObsNotOrvexFile = -1;
struct ObsFileProblem {
    int Number = 0;
    std::string Description;
};

// Reads a whole file. bodyNames: the known body names (a sight of another
// body is refused). Never throws; a problem leaves `out` unspecified.
ObsFileProblem ParseObservationFile(std::string_view content,
                                    const std::vector<std::string>& bodyNames,
                                    ObservationFileData& out);

// The current layout of `data` (its Texts are not used), the signature last,
// every line ended by CR LF.
std::string WriteObservationFile(const ObservationFileData& data);

// A date-time field: "#2026-12-08 18:00:00#", "#2026-12-08#" at midnight.
std::string ObsFileDateTime(double days);

// A number field: the shortest text that reads back to the same double.
std::string ObsFileNumber(double value);

}  // namespace orvex
