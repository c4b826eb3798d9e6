// The observation file's text form: what is written, what reads back, and
// what is refused.
#include <gtest/gtest.h>

#include <string>

#include "ephemeris/ephemeris.h"
#include "navlib/date_time.h"
#include "navlib/false_warnings.h"
#include "workbench/core/observation_file.h"

namespace orvex {
namespace {

ObservationFileData SomeData() {
    ObservationFileData d;
    d.TimeEstPos = MakeDateTime(2026, 12, 8, 16, 0, 0);
    d.Lat = -38.123456789;
    d.Long = 171.5;
    d.TimeTruePos = MakeDateTime(2026, 12, 9);  // midnight
    d.CourseInput = 359.9;
    d.SpeedInput = 0.1;
    d.HeightEye = 12.3;
    d.InstErr = -1.25;
    d.TempAirC = -5;
    d.TempWaterC = 2;
    d.PressMBars = 987;
    d.Sights = {{MakeDateTime(2026, 12, 8, 19, 1, 2), "SIRIUS", 20.5 + 1.0 / 3, -1.25 / 60},
                {MakeDateTime(2026, 12, 8, 19, 3, 4), "MOONUPP", 0.0125, 0.0}};
    return d;
}

// ---- The text form --------------------------------------------------------------

// Guards the written form: CR LF lines, # dates with the date alone at
// midnight, period decimals, quoted names, the signature last.
TEST(ObservationFileText, WrittenForm) {
    const std::string t = WriteObservationFile(SomeData());
    EXPECT_EQ(t,
              "#2026-12-08 16:00:00#\r\n"
              "-38.123456789,171.5\r\n"
              "#2026-12-09#\r\n"
              "359.9,0.1\r\n"
              "12.3,-1.25\r\n"
              "-5,2,987\r\n"
              "2\r\n"
              "#2026-12-08 19:01:02#,\"SIRIUS\",20.833333333333332,-0.020833333333333332\r\n"
              "#2026-12-08 19:03:04#,\"MOONUPP\",0.0125,0\r\n"
              "\"This is an Orvex 1.x observations data file.\"\r\n");
}

// Guards the round trip: every value read back exactly, and the 1.0
// signature and bare LF lines read like the current file.
TEST(ObservationFileText, RoundTripAndSignatures) {
    const ObservationFileData in = SomeData();
    std::string text = WriteObservationFile(in);
    for (int variant = 0; variant < 3; ++variant) {
        std::string t = text;
        if (variant == 1)
            t.replace(t.find("Orvex 1.x observations data"), 27, "Orve 1.0 observations data");
        ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // replace (navlib/false_warnings.h)
        if (variant == 2)
            for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, "\n");
        ORVEX_GCC12_FALSE_RESTRICT_END
        ObservationFileData out;
        const ObsFileProblem p = ParseObservationFile(t, BodyNames(), out);
        ASSERT_EQ(p.Number, 0) << variant << " " << p.Description;
        EXPECT_EQ(out.Layout, ObsFileLayout::Current);
        EXPECT_EQ(out.TimeEstPos, in.TimeEstPos);
        EXPECT_EQ(out.TimeTruePos, in.TimeTruePos);
        EXPECT_EQ(out.Lat, in.Lat);
        EXPECT_EQ(out.Long, in.Long);
        EXPECT_EQ(out.CourseInput, in.CourseInput);
        EXPECT_EQ(out.SpeedInput, in.SpeedInput);
        EXPECT_EQ(out.HeightEye, in.HeightEye);
        EXPECT_EQ(out.InstErr, in.InstErr);
        EXPECT_EQ(out.TempAirC, in.TempAirC);
        EXPECT_EQ(out.PressMBars, in.PressMBars);
        ASSERT_EQ(out.Sights.size(), 2u);
        EXPECT_EQ(out.Sights[1].Body, "MOONUPP");
        EXPECT_EQ(out.Sights[0].Hs, in.Sights[0].Hs);
        EXPECT_EQ(out.Sights[0].InstErr, in.Sights[0].InstErr);
        EXPECT_EQ(out.Sights[1].Time, in.Sights[1].Time);
    }
    // The classic writer's ".5" and "-.5" read too.
    text.replace(text.find("359.9,0.1"), 9, "359.9,.5");
    text.replace(text.find("12.3,-1.25"), 10, "12.3,-.5");
    ObservationFileData out;
    ASSERT_EQ(ParseObservationFile(text, BodyNames(), out).Number, 0);
    EXPECT_EQ(out.SpeedInput, 0.5);
    EXPECT_EQ(out.InstErr, -0.5);
}

// Guards the refusals: each damage gets its error number and a description
// naming the line, and nothing is taken from the file.
TEST(ObservationFileText, DamagedFilesAreRefused) {
    const std::string good = WriteObservationFile(SomeData());
    auto problem = [](const std::string& t) {
        ObservationFileData out;
        return ParseObservationFile(t, BodyNames(), out);
    };
    auto with = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return problem(t);
    };
    // Not an Orvex file: no signature, an empty line after it, a lone
    // quote difference, an empty file, binary bytes.
    EXPECT_EQ(problem(good + "\r\n").Number, kObsNotOrvexFile);
    EXPECT_EQ(with("Orvex 1.x", "orvex 1.x").Number, kObsNotOrvexFile);
    EXPECT_EQ(problem("").Number, kObsNotOrvexFile);
    EXPECT_EQ(problem(std::string("\x7f"
                                  "ELF\0\0\x01\x02",
                                  8))
                  .Number,
              kObsNotOrvexFile);
    // Truncated anywhere: without its signature, not an Orvex file; with
    // the signature kept, input past the end.
    for (size_t cut = 0; cut + 50 < good.size(); cut += 7)
        EXPECT_EQ(problem(good.substr(0, cut)).Number, kObsNotOrvexFile) << cut;
    const std::string sig = "\"This is an Orvex 1.x observations data file.\"\r\n";
    const ObsFileProblem shortFile = problem("#2026-12-08 16:00:00#\r\n1,2\r\n" + sig);
    EXPECT_EQ(shortFile.Number, 62);
    EXPECT_NE(shortFile.Description.find("line 3"), std::string::npos) << shortFile.Description;
    EXPECT_EQ(with("2\r\n#2026-12-08 19:01", "3\r\n#2026-12-08 19:01").Number, 62);
    // Garbled fields.
    EXPECT_EQ(with("12.3,-1.25", "12.3,abc").Number, 13);
    EXPECT_EQ(with("12.3,-1.25", "12.3").Number, 13);
    EXPECT_EQ(with("-5,2,987", "#NULL#,2,987").Number, 13);  // no input left blank there
    EXPECT_EQ(with("#2026-12-09#", "#2026-02-30#").Number, 13);
    EXPECT_EQ(with("#2026-12-09#", "\"2026-12-09\"").Number, 13);
    EXPECT_EQ(with("\"SIRIUS\"", "\"SIRIUSX\"").Number, 13);
    EXPECT_EQ(with("\"SIRIUS\"", "\"SIRIUS").Number, 13);
    EXPECT_EQ(with("2\r\n#2026-12-08 19:01", "1\r\n#2026-12-08 19:01").Number, 13);
    EXPECT_EQ(with("2\r\n#2026-12-08 19:01", "2.5\r\n#2026-12-08 19:01").Number, 13);
    EXPECT_EQ(with("-38.123456789", "nan").Number, 13);
    EXPECT_EQ(with("-38.123456789", "1e999").Number, 13);
    std::string nul = good;
    nul[30] = '\0';
    EXPECT_EQ(problem(nul).Number, 13);
    // Out of range values and a sight count the grid cannot hold.
    EXPECT_EQ(with("-38.123456789", "-91").Number, 6);
    EXPECT_EQ(with("12.3,-1.25", "100,-1.25").Number, 6);
    EXPECT_EQ(with("12.3,-1.25", "12.3,-100").Number, 6);
    EXPECT_EQ(with("359.9,0.1", "361,0.1").Number, 6);
    EXPECT_EQ(with(",20.833333333333332,", ",90,").Number, 6);
    EXPECT_EQ(with("2\r\n#2026-12-08 19:01", "50\r\n#2026-12-08 19:01").Number, 9);
    // Far too large a file.
    EXPECT_EQ(problem(std::string(kObsFileMaxBytes + 1, ' ') + sig).Number, 7);
}

// Guards the oldest layout: the typed texts are kept as texts.
TEST(ObservationFileText, OldTextLayout) {
    const std::string t =
        "\"8 Dec 2026 16:00:00\"\r\n\"38°30'.0 N\",\"031°20'.0 W\"\r\n\"8 Dec 2026 19:40:00\"\r\n"
        "\"235°.0\",\"011.5\"\r\n\"14.0\",\"-01.20\"\r\n\"017\",\"018\",\"1021\"\r\n1\r\n"
        "\"8 Dec 2026 19:22:00\",\"VEGA\",\"46°23'.8\",\"-01.20\"\r\n"
        "\"This is an Orve 0.9 observations datas file.\"\r\n";
    ObservationFileData out;
    ASSERT_EQ(ParseObservationFile(t, BodyNames(), out).Number, 0);
    EXPECT_EQ(out.Layout, ObsFileLayout::Text09);
    EXPECT_EQ(out.Texts[1], "38°30'.0 N");
    EXPECT_EQ(out.Texts[10], "1021");
    ASSERT_EQ(out.TextSights.size(), 1u);
    EXPECT_EQ(out.TextSights[0][2], "46°23'.8");
}

}  // namespace
}  // namespace orvex
