#include "workbench/core/session_file.h"

#include "inputs/condition_checks.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"

namespace orvex {

ObservationFileData ObservationFileOf(const StarFixSession& s) {
    ObservationFileData d;
    d.TimeEstPos = s.TimeEstPos;
    d.Lat = s.Lat(6);
    d.Long = s.Long(6);
    d.TimeTruePos = s.TimeTruePos;
    d.CourseInput = s.CourseInput;
    d.SpeedInput = s.SpeedInput;
    d.HeightEye = s.HeightEye;
    d.InstErr = s.InstErr;
    d.TempAirC = s.TempAirC;
    d.TempWaterC = s.TempWaterC;
    d.PressMBars = s.PressMBars;
    for (size_t i = 0; i < d.Entered.size(); ++i) d.Entered[i] = s.FixEntered[i + 1];
    for (int i = 1; i <= s.Obs.ObsCount; ++i)
        d.Sights.push_back({s.Obs.ObsTime(i), s.Obs.ObsBody[static_cast<size_t>(i)], s.Obs.ObsHs(i),
                            s.Obs.ObsInstErr(i)});
    return d;
}

void LoadObservationFile(const ObservationFileData& d, StarFixSession& s) {
    const auto& entered = d.Entered;
    auto take = [&s](size_t input, bool yes) { s.FixEntered[input] = s.FixEntered[input] || yes; };
    if (entered[0]) s.TimeEstPos = d.TimeEstPos;
    if (entered[1]) s.Lat(6) = d.Lat;
    if (entered[2]) s.Long(6) = d.Long;
    if (entered[3]) s.TimeTruePos = d.TimeTruePos;
    if (entered[4]) s.CourseInput = s.Course = d.CourseInput;
    if (entered[5]) s.SpeedInput = s.Speed = d.SpeedInput;
    const bool height =
        entered[6] && CheckHeightMetresText(FormatNumber(d.HeightEye, "00.0", "."), ".").Accepted;
    if (height) s.HeightEye = d.HeightEye;
    if (entered[7]) s.InstErr = d.InstErr;
    for (size_t i = 0; i < 8; ++i) take(i + 1, i == 6 ? height : entered[i]);

    if (CheckTemperatureText(ObsFileNumber(d.TempAirC), ".", false).Accepted) {
        s.TempAirC = d.TempAirC;
        s.TempAirF = CelsiusToFahrenheit(d.TempAirC);
    }
    if (CheckTemperatureText(ObsFileNumber(d.TempWaterC), ".", false).Accepted) {
        s.TempWaterC = d.TempWaterC;
        s.TempWaterF = CelsiusToFahrenheit(d.TempWaterC);
    }
    if (CheckPressureMBarsText(ObsFileNumber(d.PressMBars), ".").Accepted) {
        s.PressMBars = d.PressMBars;
        s.PressHg = MillibarsToInchesHg(d.PressMBars);
    }

    const int n = static_cast<int>(d.Sights.size());
    if (n <= 0) return;
    s.Sights.LoadFileRows(d.Sights);
    s.Obs.Resize(n);
    for (int i = 1; i <= n; ++i) {
        const ObsFileSight& o = d.Sights[static_cast<size_t>(i - 1)];
        s.Obs.SetSight(i, o.Time, o.Body, o.Hs, o.InstErr);
    }
}

}  // namespace orvex
