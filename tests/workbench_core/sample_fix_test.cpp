// From a sample observation file to the numeric report's texts without a
// window: the file read, the session filled as the star-fix page fills it,
// SolveFix, and the report built from what the fix kept.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "inputs/main_lists.h"
#include "navlib/app_path.h"
#include "navlib/hooks.h"
#include "navlib/sight_reduction.h"
#include "tests/locale_switch.h"
#include "workbench/core/observation_file.h"
#include "workbench/core/report_numeric.h"
#include "workbench/core/session_file.h"
#include "workbench/core/solve_fix.h"

namespace orvex {
namespace {

std::string ReadSample(const char* name) {
    std::ifstream in(std::string(ORVEX_SOURCE_DIR) + "/data/files/Observations/" + name,
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The session as loading the file on the star-fix page leaves it.
StarFixSession SessionOf(const ObservationFileData& d) {
    StarFixSession s;
    LoadObservationFile(d, s);
    return s;
}

NumericReport ReportOf(const StarFixSession& s) {
    return BuildNumericReport(ReportInputsOf(s), s.Fix, s.Obs, s.Details);
}

std::string Slot(const NumericReport& r, int k) {
    return r.fills[static_cast<size_t>(k - 1)].Text();
}

// Guards the road a navigator takes, file to report, and the report reading
// only what the fix kept: building it twice changes no sight and no text.
TEST(SampleFix, FileToReportTexts) {
    RecordingReporter rec;
    SetAppPath(ORVEX_PROGRAM_DIR);  // Saturn's series file
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    StarFixSession s = SessionOf(d);
    ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
    EXPECT_TRUE(rec.messages.empty()) << rec.messages.front().text;

    const ObservationSet solved = s.Obs;
    const NumericReport r = ReportOf(s);
    ASSERT_EQ(r.fills.size(), static_cast<size_t>(kReportSlotCount));
    // The fix the window shows for this file.
    EXPECT_EQ(Slot(r, 1), "8 Dec 2026 19:40:00");
    EXPECT_EQ(Slot(r, 2) + " " + Slot(r, 3), "38°12'.4 N 031°47'.9 W");
    EXPECT_NE(Slot(r, 11).find("the number of observations = 7, less than 8."), std::string::npos);
    EXPECT_EQ(Slot(r, 14), "2");
    EXPECT_EQ(Slot(r, 20), "14.0");
    EXPECT_EQ(Slot(r, 22) + "/" + Slot(r, 24) + "/" + Slot(r, 26), "17/18/1021");
    EXPECT_EQ(Slot(r, 31), "38°30'.0 N");
    EXPECT_EQ(Slot(r, 33).rfind("1) VEGA on 8 Dec 2026 19:22:00\r\n", 0), 0u);
    EXPECT_NE(Slot(r, 33).find("7) KOCHAB on 8 Dec 2026 19:37:00"), std::string::npos);
    EXPECT_EQ(s.Obs.ObsHo(1), solved.ObsHo(1));
    EXPECT_EQ(Slot(ReportOf(s), 33), Slot(r, 33));
    SetAppPath("");
}

// A chart of the last fix may still be on screen when another set fails to
// solve (two identical sights): the session keeps that fix, its estimated
// position, sights' figures and lines, so a redraw shows the same chart.
TEST(SampleFix, FailedSolveKeepsTheLastFix) {
    RecordingReporter rec;
    SetAppPath(ORVEX_PROGRAM_DIR);
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    StarFixSession s = SessionOf(d);
    ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
    const StarFixSession solved = s;

    const ObsFileSight& vega = d.Sights.front();
    ASSERT_EQ(vega.Body, "VEGA");
    s.Obs.Resize(2);
    for (int i = 1; i <= 2; ++i) s.Obs.SetSight(i, vega.Time, vega.Body, vega.Hs, vega.InstErr);
    s.Lat(6) += 0.5;
    EXPECT_EQ(SolveFix(s, false), SolveOutcome::Failed);
    EXPECT_FALSE(rec.messages.empty());
    EXPECT_EQ(s.Fix.MppLat, solved.Fix.MppLat);
    EXPECT_EQ(s.Fix.MppLong, solved.Fix.MppLong);
    EXPECT_EQ(s.Fix.EllipseNS, solved.Fix.EllipseNS);
    EXPECT_EQ(s.Fix.EllipseEW, solved.Fix.EllipseEW);
    EXPECT_EQ(s.EstLat, solved.EstLat);
    EXPECT_EQ(s.Course, solved.Course);
    EXPECT_EQ(s.Lines.Intercept(1), solved.Lines.Intercept(1));
    EXPECT_EQ(s.Obs.ObsHo(1), 0.0);  // the new sights were never reduced
    SetAppPath("");
}

// The sample fixes, their reports and the files saved from them, under the
// decimal-comma locales a user runs the program in and under the C locale:
// the C library's LC_NUMERIC must change nothing, the report only its
// separator as the window hands it in. The Earth model comes from the list
// as the window reads it, after the sphere was chosen.
TEST(SampleFix, SameUnderDecimalCommaLocales) {
    struct Outcome {
        std::vector<double> figures;
        std::vector<std::string> point, comma;  // the report with either separator
        std::string file;
    };
    auto solveSamples = [] {
        RecordingReporter rec;
        std::vector<Outcome> all;
        for (const char* name : {"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs"}) {
            Outcome o;
            ObservationFileData d;
            EXPECT_EQ(ParseObservationFile(ReadSample(name), BodyNames(), d).Number, 0) << name;
            StarFixSession s = SessionOf(d);
            const auto& sph = EllipsoidRows()[kSphereEllipsoidRow];
            const auto& wgs = EllipsoidRows()[kWgs84EllipsoidRow];
            s.E = EarthModelFromEllipsoidRow(
                EllipsoidRowText(wgs, ","), wgs.ItemData, ",",
                EarthModelFromEllipsoidRow(EllipsoidRowText(sph, ","), sph.ItemData, ",", {}));
            EXPECT_EQ(SolveFix(s, false), SolveOutcome::Solved) << name;
            const FixResult& f = s.Fix;
            o.figures = {f.MppLat,    f.MppLong,      f.Course,  f.Speed,          f.EllipseNS,
                         f.EllipseEW, f.CircleRadius, f.SystErr, s.E.InvFlattening};
            for (const std::string sep : {".", ","}) {
                NumericReportInputs in = ReportInputsOf(s);
                in.DecSep = sep;
                const NumericReport r = BuildNumericReport(in, s.Fix, s.Obs, s.Details);
                auto& texts = sep == "." ? o.point : o.comma;
                for (const ReportSlot& slot : r.fills) texts.push_back(slot.Text());
                texts.push_back(r.closing.Text());
            }
            o.file = WriteObservationFile(ObservationFileOf(s));
            EXPECT_EQ(o.file, ReadSample(name)) << name;  // saved as the sample was
            all.push_back(o);
        }
        EXPECT_TRUE(rec.messages.empty());
        return all;
    };
    SetAppPath(ORVEX_PROGRAM_DIR);
    std::vector<Outcome> inC;
    {
        test::LocaleSwitch c("C");
        inC = solveSamples();
    }
    ASSERT_EQ(inC.size(), 3u);
    EXPECT_EQ(inC[0].point[1] + " " + inC[0].point[2], "38°12'.4 N 031°47'.9 W");
    EXPECT_EQ(inC[0].comma[1] + " " + inC[0].comma[2], "38°12',4 N 031°47',9 W");
    EXPECT_EQ(inC[0].figures.back(), 298.257223560493);
    for (const char* name : test::kCommaLocales) {
        test::LocaleSwitch locale(name);
        if (!locale.Installed()) GTEST_SKIP() << name << " is not installed";
        const std::vector<Outcome> here = solveSamples();
        ASSERT_EQ(here.size(), inC.size());
        for (size_t k = 0; k < here.size(); ++k) {
            EXPECT_EQ(here[k].figures, inC[k].figures) << name << " sample " << k;
            EXPECT_EQ(here[k].point, inC[k].point) << name << " sample " << k;
            EXPECT_EQ(here[k].comma, inC[k].comma) << name << " sample " << k;
            EXPECT_EQ(here[k].file, inC[k].file) << name << " sample " << k;
        }
    }
    SetAppPath("");
}

// The conditions a check refuses stay as they were, with their views in
// the other units; an input not entered stays not entered; and the save
// writes back what the load took.
TEST(SampleFix, LoadKeepsWhatTheChecksRefuse) {
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    d.TempAirC = 80;
    d.PressMBars = 900;
    d.Entered[4] = false;  // the course
    StarFixSession s;
    LoadObservationFile(d, s);
    EXPECT_EQ(s.TempAirC, 20.0);
    EXPECT_EQ(s.TempAirF, 68.0);
    EXPECT_EQ(s.TempWaterC, 18.0);
    EXPECT_DOUBLE_EQ(s.TempWaterF, 64.4);
    EXPECT_EQ(s.PressMBars, 1013.0);
    EXPECT_EQ(s.PressHg, 29.91389);
    EXPECT_FALSE(s.FixEntered[5]);
    EXPECT_EQ(s.Course, 0.0);
    const ObservationFileData back = ObservationFileOf(s);
    EXPECT_FALSE(back.Entered[4]);
    EXPECT_EQ(back.Sights.size(), d.Sights.size());
    EXPECT_EQ(back.Sights.back().Hs, d.Sights.back().Hs);
}

// The refusals before the solver, each told once through the reporter.
TEST(SampleFix, RefusalsBeforeTheSolver) {
    RecordingReporter rec;
    StarFixSession s;
    // The inputs are checked once, before the caller reads its sights.
    int reads = 0;
    const auto read = [&reads] { return ++reads > 1; };
    EXPECT_EQ(SolveFix(s, false, read), SolveOutcome::Refused);
    EXPECT_EQ(reads, 0);
    s.FixEntered.fill(true);
    EXPECT_EQ(SolveFix(s, false, read), SolveOutcome::Refused);  // the reading refused
    s.Obs.Resize(1);
    EXPECT_EQ(SolveFix(s, false, read), SolveOutcome::Refused);
    EXPECT_EQ(reads, 2);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].title, "Missing data");
    EXPECT_EQ(rec.messages[1].text,
              "You must enter at least 2 observations in order\r\nto get a star fix.");
}

// An estimated position on or by a pole once gave the fix hundreds of miles
// off, or as "141°47'.6 N": on the report's pages every latitude is within
// 90°, and the fix is the one from the file's own estimated position,
// moving or stopped.
TEST(SampleFix, NoLatitudeBeyondNinetyFromAPole) {
    RecordingReporter rec;
    SetAppPath(ORVEX_PROGRAM_DIR);
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    const std::regex latitude("(\\d+)°(\\d\\d)'\\.\\d [NS]");
    for (double speed : {d.SpeedInput, 0.0}) {
        StarFixSession s = SessionOf(d);
        s.Speed = s.SpeedInput = speed;
        ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
        const NumericReport own = ReportOf(s);
        for (double lat : {90.0, 89.0, -90.0}) {
            StarFixSession p = SessionOf(d);
            p.Speed = p.SpeedInput = speed;
            p.Lat(6) = lat;
            p.Long(6) = 0.0;
            ASSERT_EQ(SolveFix(p, false), SolveOutcome::Solved) << lat;
            const NumericReport r = ReportOf(p);
            int seen = 0;
            EXPECT_EQ(Slot(r, 2) + " " + Slot(r, 3), Slot(own, 2) + " " + Slot(own, 3)) << lat;
            for (const auto& fill : r.fills) {
                const std::string text = fill.Text();
                for (std::sregex_iterator m(text.begin(), text.end(), latitude), end; m != end;
                     ++m) {
                    const int degrees = std::stoi((*m)[1]), minutes = std::stoi((*m)[2]);
                    ++seen;
                    EXPECT_TRUE(degrees < 90 || (degrees == 90 && minutes == 0)) << m->str();
                }
            }
            EXPECT_GT(seen, 9);  // the fix, the estimate, the sights' positions
        }
    }
    EXPECT_TRUE(rec.messages.empty()) << rec.messages.front().text;
    SetAppPath("");
}

// What a set of sights cannot give is said, once, and never shown as a fix
// or as a 0 nm ellipse: two sights on one bearing, or five of one star at
// one instant (once 22 boxes), cross too flatly for a position; two sights
// that cross well, or three with the systematic error sought, fix it with
// no check of its precision.
TEST(SampleFix, WhatTheSightsCannotGiveIsSaid) {
    SetAppPath(ORVEX_PROGRAM_DIR);
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    const ObsFileSight& vega = d.Sights.front();
    struct Set {
        std::vector<ObsFileSight> sights;
        bool sought;
        bool solved;
    };
    ObsFileSight vega2 = vega;
    vega2.Time += 90.0 / 86400.0;
    vega2.Hs += 0.25;
    const std::vector<Set> sets = {
        {{vega, vega2}, false, false},
        {std::vector<ObsFileSight>(5, vega), false, false},
        {{vega, d.Sights.back()}, false, true},
        {{vega, d.Sights[1], d.Sights.back()}, true, true},
    };
    for (const Set& set : sets) {
        RecordingReporter rec;
        StarFixSession s = SessionOf(d);
        const int n = static_cast<int>(set.sights.size());
        s.Obs.Resize(n);
        for (int i = 1; i <= n; ++i) {
            const ObsFileSight& o = set.sights[static_cast<size_t>(i - 1)];
            s.Obs.SetSight(i, o.Time, o.Body, o.Hs, o.InstErr);
        }
        const SolveOutcome outcome = SolveFix(s, set.sought);
        ASSERT_EQ(rec.messages.size(), 1u) << n;
        const auto& m = rec.messages[0];
        if (!set.solved) {
            EXPECT_EQ(outcome, SolveOutcome::Failed);
            EXPECT_EQ(m.title, " Error when computing the true position");
            EXPECT_EQ(m.text.rfind("The lines of position cross too flatly", 0), 0u) << m.text;
            continue;
        }
        ASSERT_EQ(outcome, SolveOutcome::Solved) << n;
        EXPECT_EQ(m.title, "Position without a check");
        EXPECT_EQ(m.style, kIconInformation + kButtonsOk);
        const NumericReport r = ReportOf(s);
        for (int slot : {5, 6, 7}) EXPECT_EQ(Slot(r, slot), kNotAvailable) << n << " " << slot;
    }
    SetAppPath("");
}

// Sights typed with the name of a body below the horizon (the Sun, the Moon
// or a planet for a star) are blunders like any other: they lose their
// weight, the fix stays with the good sights and nobody good is named.
TEST(SampleFix, BodiesBelowTheHorizonAreBlunders) {
    RecordingReporter rec;
    SetAppPath(ORVEX_PROGRAM_DIR);
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(ReadSample("08Dec26A.obs"), BodyNames(), d).Number, 0);
    StarFixSession good = SessionOf(d);
    ASSERT_EQ(SolveFix(good, false), SolveOutcome::Solved);
    // Two of the sights given to the first bodies found well below the
    // horizon at their times.
    const int wrong[2] = {2, 5};
    std::vector<std::string> below;
    for (int k : wrong)
        for (const char* body : {"SUNLOW", "MOONLOW", "VENUS", "MARS", "JUPITER"}) {
            EphemerisResult e;
            ComputeEphemeris(body, d.Sights[static_cast<size_t>(k - 1)].Time, e);
            const double hc = ComputeAltitude(good.Fix.MppLat, good.Fix.MppLong, e.gha, e.dec);
            if (hc < -10.0 && (below.empty() || below[0] != body)) {
                below.push_back(body);
                break;
            }
        }
    ASSERT_EQ(below.size(), 2u);
    StarFixSession s = SessionOf(d);
    for (int j = 0; j < 2; ++j)
        s.Obs.ObsBody[static_cast<size_t>(wrong[j])] = below[static_cast<size_t>(j)];
    // The fix of the good sights alone.
    StarFixSession five = SessionOf(d);
    five.Obs.Resize(5);
    for (int i = 1, k = 1; i <= 7; ++i)
        if (i != wrong[0] && i != wrong[1]) {
            const ObsFileSight& o = d.Sights[static_cast<size_t>(i - 1)];
            five.Obs.SetSight(k++, o.Time, o.Body, o.Hs, o.InstErr);
        }
    ASSERT_EQ(SolveFix(five, false), SolveOutcome::Solved);
    rec.Clear();
    ASSERT_EQ(SolveFix(s, false), SolveOutcome::Solved);
    for (const auto& m : rec.messages) ADD_FAILURE() << m.title << ": " << m.text;
    for (int i = 1; i <= s.Obs.ObsCount; ++i)
        if (i == wrong[0] || i == wrong[1])
            EXPECT_EQ(s.Obs.ObsWeight(i), 0.0) << i;
        else
            EXPECT_GT(s.Obs.ObsWeight(i), 0.5) << i;
    const double miles = 60.0 * std::hypot(s.Fix.MppLat - five.Fix.MppLat,
                                           (s.Fix.MppLong - five.Fix.MppLong) *
                                               std::cos(five.Fix.MppLat * 0.0174532925199));
    EXPECT_LT(miles, 0.2);
    SetAppPath("");
}

}  // namespace
}  // namespace orvex
