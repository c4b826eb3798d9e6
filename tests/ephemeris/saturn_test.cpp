// Saturn's series file: its exact bytes, the summation with the FK5
// correction, and the loading rules (missing, short, corrupted files).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "ephemeris/saturn_series.h"
#include "full_saturn_series.h"
#include "navlib/app_path.h"
#include "navlib/hooks.h"
#include "saturn_folder.h"
#include "test_data_files.h"

namespace orvex {
namespace {

using testing::ReadAllBytes;
using testing::ScratchFolder;
using testing::SourceDataFolder;
using testing::WriteAllBytes;

using testing::SaturnFolder;

std::string GenericMessage(const std::string& path, int n, const std::string& description) {
    return "An error occured during file access:\r\n" + path +
           ".\r\nPlease report the following error:\r\nError " + std::to_string(n) + ": " +
           description;
}

// A generator that wrote the blocks in another order, truncated differently
// or in another byte order would give another file; the digest pins it.
TEST(PlanetDat, HasTheExactBytesOfTheSeries) {
    const auto bytes = ReadAllBytes(SourceDataFolder() / "Planet.dat");
    ASSERT_EQ(bytes.size(), kSaturnFileBytes);
    const unsigned char head[8] = {0xb8, 0xd0, 0x79, 0x3e, 0xeb, 0xf7, 0xeb, 0x3f};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], head[i]) << "byte " << i;
    for (int i = 8; i < 24; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(testing::Sha256Hex(bytes),
              "41fa8e67552d382ce8b88baa66e6211876fb40fe33dca110f647f57be3b87925");
}

TEST(PlanetDat, TermCountsAddUpToTheFileSize) {
    int total = 0;
    for (int n : kSaturnTermCounts) total += n;
    EXPECT_EQ(total, kSaturnTermTotal);
    EXPECT_EQ(static_cast<std::size_t>(total) * 24, kSaturnFileBytes);
}

// The digest of an independent SHA-256 test vector, so that a wrong digest
// routine cannot pass the check above by accident.
TEST(PlanetDat, DigestRoutineMatchesTheStandardVector) {
    const std::string abc = "abc";
    EXPECT_EQ(testing::Sha256Hex(std::vector<unsigned char>(abc.begin(), abc.end())),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// Heliocentric places from the complete VSOP87D series (all terms) with the
// FK5 correction; the truncated file must stay within 0.1" and 2e-6 AU. A
// block read with a wrong offset, a wrong power of tau, or the correction
// taken with tau instead of T fails by far more.
TEST(SaturnHeliocentric, AgreesWithTheFullSeries) {
    SaturnFolder guard(SourceDataFolder());
    RecordingReporter rec;
    struct Row {
        double T, lat, lon, r;
    };
    const Row rows[] = {{-0.10, 0.3225333, -73.8788080, 10.02714820},
                        {0.00, -2.3031997, 45.7222284, 9.18384837},
                        {0.10, 2.2512489, 178.5741316, 9.47510349},
                        {0.25, -2.0583276, 349.7761826, 9.63051481}};
    for (const Row& row : rows) {
        double b = 0, l = 0, r = 0;
        SaturnHeliocentric(row.T, b, l, r);
        EXPECT_NEAR(b, row.lat, 0.1 / 3600) << "T = " << row.T;
        // The longitude is not reduced: compare it on the circle.
        EXPECT_NEAR(std::remainder(l - row.lon, 360.0), 0.0, 0.1 / 3600) << "T = " << row.T;
        EXPECT_NEAR(r, row.r, 2e-6) << "T = " << row.T;
    }
    EXPECT_TRUE(rec.messages.empty());
}

// The complete series (the test oracle) gives the table to its last digit,
// and Planet.dat is exactly its first N terms of each block in the
// published order: a block cut at the wrong count or terms out of order
// fail here.
TEST(PlanetDat, IsTheFullSeriesTruncatedInPublishedOrder) {
    const testing::FullSaturnSeries full;
    ASSERT_TRUE(full.ok());
    const double table[4][4] = {{-0.10, 0.3225333, -73.8788080, 10.02714820},
                                {0.00, -2.3031997, 45.7222284, 9.18384837},
                                {0.10, 2.2512489, 178.5741316, 9.47510349},
                                {0.25, -2.0583276, 349.7761826, 9.63051481}};
    for (const auto& row : table) {
        double b = 0, l = 0, r = 0;
        full.Place(row[0], b, l, r);
        EXPECT_NEAR(b, row[1], 6e-8);
        EXPECT_NEAR(std::remainder(l - row[2], 360.0), 0.0, 6e-8);
        EXPECT_NEAR(r, row[3], 6e-9);
    }
    SaturnSeries s;
    ASSERT_TRUE(s.Load((SourceDataFolder() / "Planet.dat").string()));
    const auto bytes = ReadAllBytes(std::filesystem::path(ORVEX_SOURCE_DIR) / "tests" /
                                    "ephemeris" / "data" / "saturn_vsop87d_full.bin");
    std::size_t off = 18 * 4;
    for (int k = 0; k < 18; ++k) {
        const SaturnSeriesBlock blk = s.Block(k);
        ASSERT_LE(static_cast<std::size_t>(blk.terms), full.terms(k));
        EXPECT_EQ(std::memcmp(blk.abc, bytes.data() + off, 24 * std::size_t(blk.terms)), 0)
            << "block " << k;
        off += 24 * full.terms(k);
    }
}

// At T = 0 only the constant blocks count and the FK5 rotation angle is the
// series longitude itself: the place is A cos B summed over L0, B0, R0 plus
// the fixed correction.
TEST(SaturnHeliocentric, AtJ2000OnlyTheConstantBlocksCount) {
    SaturnSeries s;
    ASSERT_TRUE(s.Load((SourceDataFolder() / "Planet.dat").string()));
    double L = 0, B = 0, R = 0;
    for (int j = 0; j < s.Block(0).terms; ++j) L += s.Block(0).A(j) * std::cos(s.Block(0).B(j));
    for (int j = 0; j < s.Block(6).terms; ++j) B += s.Block(6).A(j) * std::cos(s.Block(6).B(j));
    for (int j = 0; j < s.Block(12).terms; ++j) R += s.Block(12).A(j) * std::cos(s.Block(12).B(j));
    double rl = 0, rb = 0, rr = 0;
    s.RawSums(0.0, rl, rb, rr);
    EXPECT_DOUBLE_EQ(rl, L);
    EXPECT_DOUBLE_EQ(rb, B);
    EXPECT_DOUBLE_EQ(rr, R);
    double b = 0, l = 0, r = 0;
    s.Heliocentric(0.0, b, l, r);
    const double rad = 0.01745329251993889;
    EXPECT_NEAR(b, (B + 0.03916 * (std::cos(L) - std::sin(L)) / 3600 * rad) / rad, 1e-12);
    EXPECT_NEAR(
        l, (L + (0.03916 * (std::cos(L) + std::sin(L)) * std::tan(B) - 0.09033) / 3600 * rad) / rad,
        1e-12);
    EXPECT_DOUBLE_EQ(r, R);
}

// A place and its light-time place from one summation: at the instant of the
// expansion the very sums, an hour or a third of a day away the sums made
// anew to 1e-12 (radians, AU); so a planet's place needs the series once.
TEST(SaturnHeliocentric, ExpansionGivesTheSumsNearItsInstant) {
    SaturnSeries s;
    ASSERT_TRUE(s.Load((SourceDataFolder() / "Planet.dat").string()));
    for (double tau : {-0.123, 0.0, 0.0266}) {
        const SaturnExpansion x = s.Expand(tau);
        for (double hours : {0.0, -1.4, 8.0}) {
            const double t = tau + hours / 24.0 / 365250.0;
            double L = 0, B = 0, R = 0, l = 0, b = 0, r = 0;
            s.RawSums(t, L, B, R);
            SaturnSeries::RawSumsFrom(x, t, l, b, r);
            if (hours == 0.0) {
                EXPECT_EQ(l, L);
                EXPECT_EQ(b, B);
                EXPECT_EQ(r, R);
            }
            EXPECT_NEAR(l, L, 1e-12) << tau << " " << hours;
            EXPECT_NEAR(b, B, 1e-12) << tau << " " << hours;
            EXPECT_NEAR(r, R, 1e-12) << tau << " " << hours;
        }
    }
}

// The longitude is the series value without reduction: a few centuries on
// it has run past 360 and keeps going.
TEST(SaturnHeliocentric, LongitudeIsNotReduced) {
    SaturnSeries s;
    ASSERT_TRUE(s.Load((SourceDataFolder() / "Planet.dat").string()));
    double b = 0, l = 0, r = 0;
    s.Heliocentric(0.5, b, l, r);
    EXPECT_GT(l, 360.0);
}

class SaturnFileFailures : public ::testing::Test {
  protected:
    SaturnFileFailures() : folder_("saturn_files"), guard_(folder_.path()) {}
    std::string Path() const { return (folder_.path() / "Planet.dat").string(); }
    std::vector<unsigned char> GoodBytes() const {
        return ReadAllBytes(SourceDataFolder() / "Planet.dat");
    }
    void ExpectFallback(double T, int n, const std::string& description) {
        RecordingReporter rec;
        double b = 5, l = 5, r = 5;
        SaturnHeliocentric(T, b, l, r);
        EXPECT_EQ(b, 0.0);
        EXPECT_EQ(l, 0.0);
        EXPECT_EQ(r, 1e-11);
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(rec.messages[0].title, " Saturn data file access error");
        EXPECT_EQ(rec.messages[0].text, GenericMessage(Path(), n, description));
    }
    void ExpectLoadsNow() {
        RecordingReporter rec;
        double b = 0, l = 0, r = 0;
        SaturnHeliocentric(0.0, b, l, r);
        EXPECT_TRUE(rec.messages.empty());
        EXPECT_NEAR(r, 9.18384837, 2e-6);
    }
    ScratchFolder folder_;
    SaturnFolder guard_;
};

// A missing file is reported on every request, with its reason, and once
// the file is put in place the next request reads it.
TEST_F(SaturnFileFailures, MissingFileIsReportedOnEveryRequestThenRead) {
    ExpectFallback(0.0, 53, "File not found");
    ExpectFallback(0.1, 53, "File not found");
    WriteAllBytes(Path(), GoodBytes());
    ExpectLoadsNow();
}

// A folder named Planet.dat is no file: reported as missing, no crash.
TEST_F(SaturnFileFailures, FolderInPlaceOfTheFileCountsAsMissing) {
    std::filesystem::create_directory(Path());
    ExpectFallback(0.0, 53, "File not found");
}

// A short file must not leave half-filled tables that then count as loaded
// and give a wrong Saturn silently: it is refused, every request again.
TEST_F(SaturnFileFailures, ShortFileIsRefusedAndRetried) {
    auto bytes = GoodBytes();
    bytes.resize(kSaturnFileBytes - 24);
    WriteAllBytes(Path(), bytes);
    ExpectFallback(0.0, 62, "Input past end of file");
    ExpectFallback(0.0, 62, "Input past end of file");
    WriteAllBytes(Path(), GoodBytes());
    ExpectLoadsNow();
}

TEST_F(SaturnFileFailures, EmptyFileIsRefused) {
    WriteAllBytes(Path(), {});
    ExpectFallback(0.0, 62, "Input past end of file");
}

TEST_F(SaturnFileFailures, LongerFileIsRefused) {
    auto bytes = GoodBytes();
    bytes.push_back(0);
    WriteAllBytes(Path(), bytes);
    ExpectFallback(0.0, 321, "Invalid file format");
}

// A corrupted number deep in the file (here in R5) would poison every
// Saturn place with NaN; the whole file is refused instead.
TEST_F(SaturnFileFailures, NonFiniteNumberIsRefused) {
    auto bytes = GoodBytes();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(bytes.data() + kSaturnFileBytes - 8, &nan, 8);
    WriteAllBytes(Path(), bytes);
    ExpectFallback(0.0, 321, "Invalid file format");
    const double inf = std::numeric_limits<double>::infinity();
    bytes = GoodBytes();
    std::memcpy(bytes.data() + 40000, &inf, 8);
    WriteAllBytes(Path(), bytes);
    ExpectFallback(0.0, 321, "Invalid file format");
    WriteAllBytes(Path(), GoodBytes());
    ExpectLoadsNow();
}

// A finite but absurd amplitude (in L1, B3 or R5) once passed and put Saturn
// hundreds of miles off in the fix; a damaged phase or a smaller amplitude
// moved it less but still wrongly. The series must give the program's own
// places.
TEST_F(SaturnFileFailures, ImplausibleSeriesIsRefused) {
    for (std::size_t offset : {12000u, 50040u, 86232u}) {
        auto bytes = GoodBytes();
        const double huge = 1e300;
        std::memcpy(bytes.data() + offset, &huge, 8);
        WriteAllBytes(Path(), bytes);
        ExpectFallback(0.0, 321, "Invalid file format");
    }
    // Doubling a phase of L0's second term (double 4) moved Saturn 8.9
    // degrees and an amplitude of its fourth (double 9) 13 minutes of arc,
    // both still within its orbit.
    for (std::size_t index : {4u, 9u}) {
        auto bytes = GoodBytes();
        double v = 0;
        std::memcpy(&v, bytes.data() + 8 * index, 8);
        v *= 2;
        std::memcpy(bytes.data() + 8 * index, &v, 8);
        WriteAllBytes(Path(), bytes);
        ExpectFallback(0.0, 321, "Invalid file format");
    }
}

// A file of the right size whose first amplitude is 0 is no Saturn series;
// it is refused (and therefore read again at the next request).
TEST_F(SaturnFileFailures, ZeroFirstAmplitudeIsRefusedAndReadAgain) {
    auto bytes = GoodBytes();
    std::memset(bytes.data(), 0, 8);
    WriteAllBytes(Path(), bytes);
    ExpectFallback(0.0, 321, "Invalid file format");
    ExpectFallback(0.0, 321, "Invalid file format");
}

// Once loaded the tables stay: removing the file afterwards changes nothing.
TEST_F(SaturnFileFailures, LoadedTablesAreKept) {
    WriteAllBytes(Path(), GoodBytes());
    ExpectLoadsNow();
    std::filesystem::remove(Path());
    ExpectLoadsNow();
}

// A program folder whose name the system refuses (longer than a file name
// may be) is reported as an invalid file specification naming the path,
// not as a missing file with "Error 0".
TEST(SaturnHeliocentric, TooLongAFileNameIsAnInvalidSpecification) {
    const std::string folder = "/tmp/" + std::string(300, 'x');
    SaturnFolder guard(folder);
    RecordingReporter rec;
    double b = 5, l = 5, r = 5;
    SaturnHeliocentric(0.1, b, l, r);
    EXPECT_EQ(b, 0.0);
    EXPECT_EQ(l, 0.0);
    EXPECT_EQ(r, 1e-11);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " Saturn data file access error");
    EXPECT_EQ(rec.messages[0].text,
              "Saturn file specification invalid:\r\n" + folder + "/Planet.dat.");
}

TEST(SaturnFileErrorText, FixedMessagesForTheKnownNumbers) {
    EXPECT_EQ(SaturnFileErrorText(52, "/x/Planet.dat", "d"),
              "Saturn file specification invalid:\r\n/x/Planet.dat.");
    EXPECT_EQ(SaturnFileErrorText(64, "/x/Planet.dat", "d"),
              "Saturn file specification invalid:\r\n/x/Planet.dat.");
    EXPECT_EQ(SaturnFileErrorText(68, "/x/Planet.dat", "d"),
              "The drive specified is not found:\r\n/x/Planet.dat.");
    EXPECT_EQ(SaturnFileErrorText(71, "/x/Planet.dat", "d"),
              "Close the disk drive door and try again.");
    EXPECT_EQ(SaturnFileErrorText(75, "/x/Planet.dat", "Path/File access error"),
              GenericMessage("/x/Planet.dat", 75, "Path/File access error"));
}

// The path is the program folder and the file name, nothing else.
TEST(SaturnDataFilePath, IsTheProgramFolderAndTheFileName) {
    SetAppPath("/opt/orvex");
    EXPECT_EQ(SaturnDataFilePath(), "/opt/orvex/Planet.dat");
    SetAppPath("");
}

}  // namespace
}  // namespace orvex
