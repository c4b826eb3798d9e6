// The sample observation files that ship in the program's Observations
// folder, made from a known truth: for each scenario the ship's true position
// at the wanted time, its course and speed, the conditions, and the bodies
// and times of the sights. A sight's sextant altitude is the altitude of the
// body at the ship's true position of that moment (the program's own
// ephemeris), with the navigator's corrections undone (instrument correction,
// dip, refraction, parallax, semi-diameter), read to the tenth of a minute as
// on a sextant. Loading such a file and computing the fix gives back the
// truth to within the rounding of the readings.
//
// Used by make_sample_observations (which writes the files) and by the tests
// (which load them and compare the fix with the truth).
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/date_time.h"
#include "navlib/earth_model.h"
#include "navlib/rhumb_line.h"
#include "navlib/sight_reduction.h"
#include "navlib/star_fix_types.h"
#include "workbench/core/observation_file.h"

namespace orvex::samples {

struct SampleSight {
    const char* Body;
    double MinutesAfterFirst;  // minutes after the scenario's first sight
};

struct SampleScenario {
    const char* FileName;
    const char* Story;           // one line for the people who read the folder
    double FirstSight;           // UT of the first sight, days
    double TimeTruePos;          // UT of the wanted position, days
    double TimeEstPos;           // UT of the estimated position, days
    double TruthLat, TruthLong;  // true position at TimeTruePos, degrees
    double EstLat, EstLong;      // the navigator's estimated position, degrees
    double Course, Speed;        // true course (degrees) and speed (knots) made good
    double HeightEye;            // metres
    double InstErrMinutes;       // instrument correction, minutes of arc
    double TempAirC, TempWaterC, PressMBars;
    std::vector<SampleSight> Sights;
};

inline const std::vector<SampleScenario>& SampleScenarios() {
    static const std::vector<SampleScenario> s = {
        {"08Dec26A.obs",
         "Evening star sights west of the Azores, 8 December 2026",
         MakeDateTime(2026, 12, 8, 19, 22, 0),
         MakeDateTime(2026, 12, 8, 19, 40, 0),
         MakeDateTime(2026, 12, 8, 16, 0, 0),
         38.0 + 12.4 / 60,
         -(31.0 + 47.9 / 60),
         38.0 + 30.0 / 60,
         -(31.0 + 20.0 / 60),
         235.0,
         11.5,
         14.0,
         -1.2,
         17.0,
         18.0,
         1021.0,
         {{"VEGA", 0.0},
          {"ALTAIR", 2.5},
          {"FOMALHAUT", 5.0},
          {"SATURN", 7.5},
          {"HAMAL", 10.0},
          {"CAPELLA", 12.5},
          {"KOCHAB", 15.0}}},
        {"09Dec26A.obs",
         "Sun, Moon and Venus by day in the trade winds, 9 December 2026",
         MakeDateTime(2026, 12, 9, 13, 5, 0),
         MakeDateTime(2026, 12, 9, 20, 0, 0),
         MakeDateTime(2026, 12, 9, 12, 0, 0),
         16.0 + 41.7 / 60,
         -(46.0 + 3.2 / 60),
         16.0 + 20.0 / 60,
         -(45.0 + 0.0 / 60),
         262.0,
         7.0,
         3.2,
         0.8,
         26.0,
         27.0,
         1015.0,
         {{"SUNLOW", 0.0},
          {"VENUS", 25.0},
          {"MOONLOW", 55.0},
          {"SUNLOW", 95.0},
          {"SUNLOW", 180.0},
          {"SUNUPP", 300.0},
          {"SUNLOW", 390.0}}},
        {"10Dec26A.obs",
         "Evening stars in the Southern Ocean, 10 December 2026",
         MakeDateTime(2026, 12, 10, 15, 58, 0),
         MakeDateTime(2026, 12, 10, 16, 15, 0),
         MakeDateTime(2026, 12, 10, 8, 0, 0),
         -(40.0 + 27.3 / 60),
         62.0 + 18.6 / 60,
         -(40.0 + 5.0 / 60),
         61.0 + 40.0 / 60,
         96.0,
         13.0,
         18.5,
         2.4,
         9.0,
         10.0,
         998.0,
         {{"RIGEL", 0.0},
          {"SIRIUS", 2.0},
          {"CANOPUS", 4.0},
          {"MIAPLACIDUS", 6.0},
          {"ATRIA", 8.0},
          {"PEACOCK", 10.0},
          {"FOMALHAUT", 12.0},
          {"DIPHDA", 14.0},
          {"MENKAR", 16.0}}},
    };
    return s;
}

// The ship's true position at time t (days) on the scenario's track.
inline void TruePosition(const SampleScenario& sc, double t, double& lat, double& lon) {
    const EarthModel E;
    RhumbLineDirect(sc.TruthLat, sc.TruthLong, sc.Course, (t - sc.TimeTruePos) * 24.0 * sc.Speed,
                    lat, lon, E);
}

// The sextant altitude (degrees, to the tenth of a minute) of a body seen
// at time t from the scenario's true track. altitude: the true altitude.
inline double SextantAltitude(const SampleScenario& sc, const std::string& body, double t,
                              double* altitude = nullptr) {
    ObservationSet o(1);
    double lat = 0, lon = 0;
    TruePosition(sc, t, lat, lon);
    double gha = 0, dec = 0, dist = 0;
    StarFixEphemeris()(body, t, gha, dec, dist);
    const double hc = ComputeAltitude(lat, lon, gha, dec);
    if (altitude) *altitude = hc;
    o.SetSight(1, t, body, hc, sc.InstErrMinutes / 60.0);
    o.ObsLat(1) = lat;
    o.ObsLong(1) = lon;
    o.ObsGHA(1) = gha;
    o.ObsDec(1) = dec;
    o.ObsDist(1) = dist;
    for (int k = 0; k < 30; ++k) {
        ReduceSights(1, sc.HeightEye, sc.TempAirC, sc.TempWaterC, sc.PressMBars, o);
        const double step = hc - o.ObsHo(1);
        o.ObsHs(1) += step;
        if (std::fabs(step) < 1e-10) break;
    }
    return std::round(o.ObsHs(1) * 600.0) / 600.0;
}

// The file of a scenario, in the current layout.
inline ObservationFileData SampleFile(const SampleScenario& sc) {
    ObservationFileData d;
    d.TimeEstPos = sc.TimeEstPos;
    d.Lat = sc.EstLat;
    d.Long = sc.EstLong;
    d.TimeTruePos = sc.TimeTruePos;
    d.CourseInput = sc.Course;
    d.SpeedInput = sc.Speed;
    d.HeightEye = sc.HeightEye;
    d.InstErr = sc.InstErrMinutes;
    d.TempAirC = sc.TempAirC;
    d.TempWaterC = sc.TempWaterC;
    d.PressMBars = sc.PressMBars;
    for (const SampleSight& s : sc.Sights) {
        const double t = sc.FirstSight + s.MinutesAfterFirst / 1440.0;
        d.Sights.push_back({t, s.Body, SextantAltitude(sc, s.Body, t), sc.InstErrMinutes / 60.0});
    }
    return d;
}

}  // namespace orvex::samples
