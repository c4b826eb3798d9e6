// Saturn's heliocentric place from the VSOP87 series read from Planet.dat.
//
// Unlike the other planets, whose series are constants of the program,
// Saturn's periodic terms lie in the data file Planet.dat in the program
// folder (AppPath()). The file is read at the first request for Saturn and
// kept for the life of the process; every request then sums the series
// (terms A cos(B + C tau), tau in Julian millennia, six powers of tau for each
// of longitude, latitude and radius vector) and applies the correction from
// the series' dynamical frame to FK5. The result is referred to the ecliptic
// and equinox of date; no precession is applied to it anywhere.
//
// Planet.dat: 18 blocks, no header, in the order L0..L5, B0..B5, R0..R5; each
// term is three IEEE 754 little-endian doubles A, B, C (24 bytes); the term
// counts are those of kSaturnTermCounts, 3,621 terms, 86,904 bytes in all.
// A is in radians (L, B) or astronomical units (R), B in radians, C in
// radians per Julian millennium.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace orvex {

// Terms per block, in file order L0..L5, B0..B5, R0..R5.
inline constexpr std::array<int, 18> kSaturnTermCounts = {500, 350, 321, 148, 68, 27,   // L0..L5
                                                          300, 260, 111, 58,  26, 11,   // B0..B5
                                                          500, 350, 342, 157, 64, 28};  // R0..R5
inline constexpr int kSaturnTermTotal = 3621;
inline constexpr std::size_t kSaturnFileBytes = 86904;  // 3,621 terms x 24 bytes

// The title of every message about the series file.
inline constexpr const char* kSaturnFileErrorTitle = " Saturn data file access error";

// Why a series file was refused: the host's error number and its reason.
struct SaturnLoadProblem {
    int Number = 0;
    std::string Description;
};

// One block of the series. Term j (0 .. terms - 1) is A(j) cos(B(j) + C(j) tau).
struct SaturnSeriesBlock {
    int terms = 0;
    const double* abc = nullptr;  // A, B, C of term 0, then of term 1, ...

    double A(int j) const { return abc[3 * j]; }
    double B(int j) const { return abc[3 * j + 1]; }
    double C(int j) const { return abc[3 * j + 2]; }

    // Sum over all terms of A cos(B + C tau); 0 for an empty block.
    double Sum(double tau) const;
};

// The series summed about one instant tau0 (Julian millennia) together with
// the sums of its terms' first four derivatives by tau: the sums at a tau a
// short time away follow from them by Taylor's formula, with no new sines.
// moments[v][k][n] for the variable v (L, B, R), the power k of tau and the
// derivative n.
struct SaturnExpansion {
    double tau = 0.0;
    double moments[3][6][5] = {};
};

// The tables of the series file with their loading rules. The program keeps
// one process-wide instance (see SaturnHeliocentric); tests may make their own.
class SaturnSeries {
  public:
    SaturnSeries();

    // True once a complete, valid file has been read. Never reset.
    bool Loaded() const { return loaded_; }

    // Reads the series from path. Only a file of exactly 86,904 bytes of
    // finite numbers whose first amplitude is not 0 and that places Saturn
    // where the program's own series does is accepted (see Accept); the
    // tables are replaced only after the whole file was read and checked. On any failure the
    // message of SaturnFileErrorText is shown once (exclamation icon, OK button, title
    // kSaturnFileErrorTitle), the tables stay as they were and false is returned.
    bool Load(const std::string& path);

    // As Load, but shows nothing: a failure is only described in `problem`.
    bool Read(const std::string& path, SaturnLoadProblem& problem);

    // Takes the series from the bytes of a file (size bytes at data). Refused
    // (number 62 when short, 321 otherwise): any other size, a number that is
    // not finite, a first amplitude of 0, and a series whose sums differ by
    // more than 1e-8 (radians, AU) from those of the program's own series at
    // five dates from 1900 to 2100. Shows nothing.
    bool Accept(const unsigned char* data, std::size_t size, SaturnLoadProblem& problem);

    // Heliocentric latitude (degrees), longitude (degrees, NOT reduced to
    // 0..360: it may lie outside) and radius vector (astronomical units) for
    // T Julian centuries of UT from J2000.0. Loads the file from
    // SaturnDataFilePath() when the tables are not loaded yet; while they
    // cannot be loaded every call reports the failure again and gives
    // latitude 0, longitude 0, radius 1e-11.
    void Heliocentric(double T, double& latitude, double& longitude, double& radius);

    // The series' raw sums L, B (radians) and R (AU) at tau Julian millennia,
    // before the FK5 correction. Zero sums while not loaded.
    void RawSums(double tau, double& L, double& B, double& R) const;

    // Block k (0..17) in file order.
    SaturnSeriesBlock Block(int k) const;

    // The expansion of the loaded series about tau (zero while not loaded).
    SaturnExpansion Expand(double tau) const;

    // RawSums at tau from an expansion: at its own tau the very same sums.
    static void RawSumsFrom(const SaturnExpansion& x, double tau, double& L, double& B, double& R);

    // The place of Heliocentric from raw sums L, B (radians), R (AU) at T
    // Julian centuries: the correction from the frame of the series to FK5.
    static void ToFk5(double T, double L, double B, double R, double& latitude, double& longitude,
                      double& radius);

  private:
    static bool PlacesSaturnPlausibly(const SaturnSeries& s);

    std::vector<double> values_;  // 3 x 3,621 doubles in file order
    bool loaded_ = false;
};

// The series file's path: AppPath() followed by "/Planet.dat".
std::string SaturnDataFilePath();

// The message for a failure to read the series file: error number n (53 for
// a missing file), the full path and the system's description of the error.
//   52, 64  "Saturn file specification invalid:" CR LF path "."
//   68      "The drive specified is not found:" CR LF path "."
//   71      "Close the disk drive door and try again."
//   others  "An error occured during file access:" CR LF path "." CR LF
//           "Please report the following error:" CR LF "Error " n ": " description
std::string SaturnFileErrorText(int n, const std::string& path, const std::string& description);

// Saturn's heliocentric place from the process-wide series (see
// SaturnSeries::Heliocentric for units and the behaviour without the file).
void SaturnHeliocentric(double T, double& latitude, double& longitude, double& radius);

// Saturn's heliocentric places at instants within about a third of a day of
// T (a place and its light-time place) from one summation of the process-
// wide series made at T. Each place is SaturnHeliocentric's to the last bit
// or two; an instant farther away, or a series not loaded when the object
// was made, goes through SaturnHeliocentric itself.
class SaturnPlacesNear {
  public:
    explicit SaturnPlacesNear(double T);
    void At(double T, double& latitude, double& longitude, double& radius) const;

  private:
    double tau_;
    mutable SaturnExpansion expansion_;
    mutable bool expanded_ = false;
};

// For a computation that must not run on the fallback place: true when the
// process-wide series is loaded, reading Planet.dat first when it is not yet
// (quietly: the caller tells the user). False, with the reason in `problem`
// and the file's path in `path`, when the file cannot be used.
bool SaturnSeriesReady(std::string& path, SaturnLoadProblem& problem);

// Forgets the process-wide series, as at the start of the program, so that
// the next request reads Planet.dat again. The program itself never calls it.
void ResetSaturnSeries();

}  // namespace orvex
