#include "ephemeris/saturn_series.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

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
constexpr int kErrMissing = 53;      // the file is not there
constexpr int kErrBadFileName = 64;  // the system refuses the name
constexpr int kErrPastEnd = 62;      // shorter than the series
constexpr int kErrDeviceIo = 57;     // the read itself failed
constexpr int kErrAccess = 75;       // the file cannot be opened
constexpr int kErrFileFormat = 321;  // wrong size or not a series

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

// The program's own series (the shipped Planet.dat) at five dates from 1900
// to 2100: its raw sums L, B (radians) and R (AU), as RawSums gives them for
// tau = T / 10 with T in Julian centuries from J2000. A file is accepted only
// when it gives these same values; any damage that moves Saturn is refused.
struct SaturnReferenceSums {
    double T, L, B, R;
};
constexpr SaturnReferenceSums kSaturnReferenceSums[] = {
    {-1.00, -20.481457766238179, 0.019270109796800987, 10.066852993115461},
    {-0.45, -8.6589806160369971, 0.040653795381278647, 9.8706313308565612},
    {0.10, 3.1167072311519108, 0.039291925783024269, 9.475103309249052},
    {0.55, 12.515736839158754, -0.038634501840116853, 9.5596635596446404},
    {1.00, 22.340328869929998, 0.043190781410615581, 9.6662760382605981}};
// Places farther than this (Julian millennia, 0.37 day) from the instant of
// an expansion are summed anew: within it the fifth power of the fastest
// term's phase step (10,213 radians per millennium) stays below 1e-12.
constexpr double kSaturnNearMillennia = 1e-6;

// Far below any change in a term that matters (2 milliarcseconds, 1.5 km),
// far above the rounding of the summation.
constexpr double kSaturnReferenceTolerance = 1e-8;  // radians and AU

}  // namespace

// A corrupt but finite series (one amplitude or phase damaged) gives Saturn
// another place at some of the reference dates.
bool SaturnSeries::PlacesSaturnPlausibly(const SaturnSeries& s) {
    for (const SaturnReferenceSums& ref : kSaturnReferenceSums) {
        double L = 0.0, B = 0.0, R = 0.0;
        s.RawSums(ref.T / 10.0, L, B, R);
        if (!(std::fabs(L - ref.L) <= kSaturnReferenceTolerance)) return false;
        if (!(std::fabs(B - ref.B) <= kSaturnReferenceTolerance)) return false;
        if (!(std::fabs(R - ref.R) <= kSaturnReferenceTolerance)) return false;
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

bool SaturnSeries::Accept(const unsigned char* data, std::size_t size, SaturnLoadProblem& problem) {
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

SaturnExpansion SaturnSeries::Expand(double tau) const {
    SaturnExpansion x;
    x.tau = tau;
    for (int v = 0; v < 3; ++v)
        for (int k = 0; k < 6; ++k) {
            const SaturnSeriesBlock b = Block(6 * v + k);
            double* m = x.moments[v][k];
            for (int j = 0; j < b.terms; ++j) {
                const double theta = b.B(j) + b.C(j) * tau;
                const double c = std::cos(theta), s = std::sin(theta);
                const double a = b.A(j), f = b.C(j);
                m[0] += a * c;
                m[1] -= a * f * s;
                m[2] -= a * f * f * c;
                m[3] += a * f * f * f * s;
                m[4] += a * f * f * f * f * c;
            }
        }
    return x;
}

void SaturnSeries::RawSumsFrom(const SaturnExpansion& x, double tau, double& L, double& B,
                               double& R) {
    const double d = tau - x.tau;
    const double step[5] = {1.0, d, d * d / 2.0, d * d * d / 6.0, d * d * d * d / 24.0};
    double sums[3] = {0.0, 0.0, 0.0};
    for (int v = 0; v < 3; ++v) {
        double power = 1.0;
        for (int k = 0; k < 6; ++k) {
            const double* m = x.moments[v][k];
            double block = m[0];
            if (d != 0.0)
                for (int n = 1; n < 5; ++n) block += step[n] * m[n];
            sums[v] += block * power;
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
    ToFk5(T, L, B, R, latitude, longitude, radius);
}

void SaturnSeries::ToFk5(double T, double L, double B, double R, double& latitude,
                         double& longitude, double& radius) {
    // From the dynamical frame of the series to FK5 (T in centuries).
    const double lp = L - kFk5Linear * T - kFk5Quadratic * T * T;
    const double dB = kFk5Arcsec1 * (std::cos(lp) - std::sin(lp)) / 3600.0 * kDegToRad;
    const double dL = (kFk5Arcsec1 * (std::cos(lp) + std::sin(lp)) * std::tan(B) - kFk5Arcsec2) /
                      3600.0 * kDegToRad;

    latitude = (B + dB) * kRadToDeg;
    longitude = (L + dL) * kRadToDeg;
    radius = R;
}

std::string SaturnDataFilePath() {
    return AppPath() + "/Planet.dat";
}

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

SaturnPlacesNear::SaturnPlacesNear(double T) : tau_(T / 10.0) {}

void SaturnPlacesNear::At(double T, double& latitude, double& longitude, double& radius) const {
    // Expanded when first needed with the series loaded: a place at the
    // instant itself is the plain sum either way.
    if (!expanded_ && ProcessSeries().Loaded()) {
        expansion_ = ProcessSeries().Expand(tau_);
        expanded_ = true;
    }
    if (!expanded_ || !(std::fabs(T / 10.0 - expansion_.tau) <= kSaturnNearMillennia)) {
        SaturnHeliocentric(T, latitude, longitude, radius);
        return;
    }
    double L = 0.0, B = 0.0, R = 0.0;
    SaturnSeries::RawSumsFrom(expansion_, T / 10.0, L, B, R);
    SaturnSeries::ToFk5(T, L, B, R, latitude, longitude, radius);
}

bool SaturnSeriesReady(std::string& path, SaturnLoadProblem& problem) {
    path = SaturnDataFilePath();
    SaturnSeries& series = ProcessSeries();
    return series.Loaded() || series.Read(path, problem);
}

void ResetSaturnSeries() {
    ProcessSeries() = SaturnSeries();
}

}  // namespace orvex
