#include "ephemeris/saturn_series.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <filesystem>
#include <fstream>

#include "navlib/app_path.h"
#include "navlib/constants.h"
#include "navlib/hooks.h"

namespace orvex {

namespace {

// FK5 correction of the VSOP87 places (1.397 and 0.00031 degrees in radians;
// 0.03916" and 0.09033").
constexpr double kFk5Linear = 0.02438224965035463;
constexpr double kFk5Quadratic = 5.410520681181056e-06;
constexpr double kFk5Arcsec1 = 0.03916;
constexpr double kFk5Arcsec2 = 0.09033;

// Radius vector of the fallback place (latitude and longitude 0).
constexpr double kFallbackRadius = 1e-11;

// Error numbers and the descriptions shown with them.
constexpr int kErrMissing = 53;       // the file is not there
constexpr int kErrBadFileName = 64;   // the system refuses the name
constexpr int kErrPastEnd = 62;       // shorter than the series
constexpr int kErrDeviceIo = 57;      // the read itself failed
constexpr int kErrAccess = 75;        // the file cannot be opened
constexpr int kErrFileFormat = 321;   // wrong size or not a series

std::size_t BlockStart(int k) {
    std::size_t start = 0;
    for (int i = 0; i < k; ++i) start += static_cast<std::size_t>(kSaturnTermCounts[i]);
    return 3 * start;
}

double ReadLittleEndianDouble(const unsigned char* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

// Saturn's orbit: perihelion 9.04 AU, aphelion 10.12 AU, inclination 2.49
// degrees; the heliocentric longitude stays within the equation of the
// centre (6.5 degrees) and the great inequality (0.8 degree) of the mean
// longitude 50.077444 + 1223.5110686 T degrees (T in Julian centuries from
// J2000, equinox of date). The limits leave a margin around these.
constexpr double kSaturnMinRadius = 8.9, kSaturnMaxRadius = 10.3;  // AU
constexpr double kSaturnMaxLatitude = 2.8;                           // degrees
constexpr double kSaturnMaxLongitudeOffset = 10.0;                   // degrees

}  // namespace

// A corrupt but finite series (one amplitude damaged) gives Saturn a place
// nowhere near its orbit at some date; the unreduced series longitude
// follows the unreduced mean longitude.
bool SaturnSeries::PlacesSaturnPlausibly(const SaturnSeries& s) {
    for (double T : {-1.0, -0.45, 0.1, 0.55, 1.0}) {
        double L = 0.0, B = 0.0, R = 0.0;
        s.RawSums(T / 10.0, L, B, R);
        const double meanLongitude = 50.077444 + 1223.5110686 * T;
        if (!(R >= kSaturnMinRadius && R <= kSaturnMaxRadius)) return false;
        if (!(std::fabs(B * kRadToDeg) <= kSaturnMaxLatitude)) return false;
        if (!(std::fabs(L * kRadToDeg - meanLongitude) <= kSaturnMaxLongitudeOffset)) return false;
    }
    return true;
}

namespace {

void Report(int n, const std::string& path, const std::string& description) {
    ReportMessage(kIconExclamation + kButtonsOk, kSaturnFileErrorTitle,
                  SaturnFileErrorText(n, path, description));
}

}  // namespace

double SaturnSeriesBlock::Sum(double tau) const {
    double s = 0.0;
    for (int j = 0; j < terms; ++j) s += A(j) * std::cos(B(j) + C(j) * tau);
    return s;
}

SaturnSeries::SaturnSeries() : values_(3 * static_cast<std::size_t>(kSaturnTermTotal), 0.0) {}

SaturnSeriesBlock SaturnSeries::Block(int k) const {
    SaturnSeriesBlock b;
    if (k < 0 || k >= static_cast<int>(kSaturnTermCounts.size())) return b;
    b.terms = kSaturnTermCounts[static_cast<std::size_t>(k)];
    b.abc = values_.data() + BlockStart(k);
    return b;
}

bool SaturnSeries::Load(const std::string& path) {
    SaturnLoadProblem problem;
    if (Read(path, problem)) return true;
    Report(problem.Number, path, problem.Description);
    return false;
}

bool SaturnSeries::Read(const std::string& path, SaturnLoadProblem& problem) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A name the system refuses (too long) is a bad file name; a missing
    // file (or a folder of that name) is a file not found.
    const bool regular = fs::is_regular_file(path, ec);
    if (ec == std::errc::filename_too_long) {
        problem = {kErrBadFileName, "Bad file name"};
        return false;
    }
    if (!regular) {
        problem = {kErrMissing, "File not found"};
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = {kErrAccess, "Path/File access error"};
        return false;
    }
    std::vector<unsigned char> bytes(kSaturnFileBytes + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        problem = {kErrDeviceIo, "Device I/O error"};
        return false;
    }
    return Accept(bytes.data(), static_cast<std::size_t>(in.gcount()), problem);
}

bool SaturnSeries::Accept(const unsigned char* data, std::size_t size,
                          SaturnLoadProblem& problem) {
    if (size < kSaturnFileBytes) {
        problem = {kErrPastEnd, "Input past end of file"};
        return false;
    }
    const SaturnLoadProblem bad{kErrFileFormat, "Invalid file format"};
    if (size > kSaturnFileBytes) {
        problem = bad;
        return false;
    }
    SaturnSeries candidate;
    std::vector<double>& values = candidate.values_;
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = ReadLittleEndianDouble(data + 8 * i);
        if (!std::isfinite(values[i])) {
            problem = bad;
            return false;
        }
    }
    // The first term of L0 is Saturn's mean longitude term; a zero there is
    // no series at all (and would read as "not loaded" for ever).
    if (values[0] == 0.0 || !PlacesSaturnPlausibly(candidate)) {
        problem = bad;
        return false;
    }
    values_.swap(values);
    loaded_ = true;
    return true;
}

void SaturnSeries::RawSums(double tau, double& L, double& B, double& R) const {
    double sums[3] = {0.0, 0.0, 0.0};
    for (int v = 0; v < 3; ++v) {
        double power = 1.0;  // tau^0 = 1, also for tau = 0
        for (int k = 0; k < 6; ++k) {
            sums[v] += Block(6 * v + k).Sum(tau) * power;
            power *= tau;
        }
    }
    L = sums[0];
    B = sums[1];
    R = sums[2];
}

void SaturnSeries::Heliocentric(double T, double& latitude, double& longitude, double& radius) {
    if (!loaded_ && !Load(SaturnDataFilePath())) {
        latitude = 0.0;
        longitude = 0.0;
        radius = kFallbackRadius;
        return;
    }
    double L = 0.0, B = 0.0, R = 0.0;
    RawSums(T / 10.0, L, B, R);

    // From the dynamical frame of the series to FK5 (T in centuries).
    const double lp = L - kFk5Linear * T - kFk5Quadratic * T * T;
    const double dB = kFk5Arcsec1 * (std::cos(lp) - std::sin(lp)) / 3600.0 * kDegToRad;
    const double dL =
        (kFk5Arcsec1 * (std::cos(lp) + std::sin(lp)) * std::tan(B) - kFk5Arcsec2) / 3600.0 *
        kDegToRad;

    latitude = (B + dB) * kRadToDeg;
    longitude = (L + dL) * kRadToDeg;
    radius = R;
}

std::string SaturnDataFilePath() { return AppPath() + "/Planet.dat"; }

std::string SaturnFileErrorText(int n, const std::string& path, const std::string& description) {
    switch (n) {
        case 52:
        case 64:
            return "Saturn file specification invalid:\r\n" + path + ".";
        case 68:
            return "The drive specified is not found:\r\n" + path + ".";
        case 71:
            return "Close the disk drive door and try again.";
        default:
            return "An error occured during file access:\r\n" + path +
                   ".\r\nPlease report the following error:\r\nError " + std::to_string(n) + ": " +
                   description;
    }
}

namespace {
SaturnSeries& ProcessSeries() {
    static SaturnSeries series;
    return series;
}
}  // namespace

void SaturnHeliocentric(double T, double& latitude, double& longitude, double& radius) {
    ProcessSeries().Heliocentric(T, latitude, longitude, radius);
}

bool SaturnSeriesReady(std::string& path, SaturnLoadProblem& problem) {
    path = SaturnDataFilePath();
    SaturnSeries& series = ProcessSeries();
    return series.Loaded() || series.Read(path, problem);
}

void ResetSaturnSeries() { ProcessSeries() = SaturnSeries(); }

}  // namespace orvex
