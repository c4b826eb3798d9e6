#include "workbench/core/report_numeric.h"

#include <cmath>

#include "navlib/array_lib.h"
#include "navlib/constants.h"
#include "navlib/false_warnings.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"
#include "program_version.h"

namespace orvex {

namespace {

constexpr const char* kDatePattern = "d mmm yyyy hh:mm:ss";
constexpr const char* kLineBreak = "\r\n";
constexpr const char* kBodyFont = "Arial";
constexpr const char* kTableFont = "Courier New";
constexpr double kBodySize = 12.0;
constexpr double kSmallSize = 8.0;
constexpr double kGapSize = 6.0;
// A weights table name column: names are padded to this width.
constexpr size_t kNameColumn = 13;
// The time spread below which the solver keeps the entered course and speed.
constexpr const char* kSpreadHours = "3";

// Builds the pieces of one slot.
class SlotWriter {
  public:
    explicit SlotWriter(ReportSlot& slot) : slot_(slot) {}
    SlotWriter& Text(const std::string& t) {
        if (!pending_ && !slot_.pieces.empty()) {
            slot_.pieces.back().text += t;
        } else {
            slot_.pieces.push_back({next_, t});
            next_ = ReportFormat();
            pending_ = false;
        }
        return *this;
    }
    SlotWriter& Break() { return Text(kLineBreak); }
    SlotWriter& Font(const char* name) {
        next_.fontName = name;
        pending_ = true;
        return *this;
    }
    SlotWriter& Size(double points) {
        next_.fontSize = points;
        pending_ = true;
        return *this;
    }
    SlotWriter& Bold(bool on) {
        next_.bold = on;
        pending_ = true;
        return *this;
    }
    SlotWriter& Italic(bool on) {
        next_.italic = on;
        pending_ = true;
        return *this;
    }
    SlotWriter& Centre() {
        next_.centre = true;
        pending_ = true;
        return *this;
    }
    // A few characters at 8 pt, then back to the body size.
    SlotWriter& Small(const std::string& t) { return Size(kSmallSize).Text(t).Size(kBodySize); }
    // An empty line at 6 pt.
    SlotWriter& Gap() { return Size(kGapSize).Break().Size(kBodySize); }

  private:
    ReportSlot& slot_;
    ReportFormat next_;
    bool pending_ = false;
};

std::string Num(double v, const char* pattern, const std::string& decSep) {
    return FormatNumber(v, pattern, decSep);
}

std::string DM(double degrees, const char* pattern, const std::string& decSep) {
    return FormatDegreesMinutes(degrees, pattern, decSep);
}

std::string Int(int v) {
    return std::to_string(v);
}

}  // namespace

std::string ReportSlot::Text() const {
    std::string t;
    for (const ReportPiece& p : pieces) t += p.text;
    return t;
}

TruncationReason ReasonForTruncation(int unknownCount, bool fullRoutine, int obsCount,
                                     int goodObsCount) {
    if (unknownCount == 4) return TruncationReason::None;
    if (!fullRoutine) return TruncationReason::UserPreference;
    if (obsCount < 8) return TruncationReason::FewSights;
    if (goodObsCount < 8) return TruncationReason::FewGoodSights;
    return TruncationReason::TimeSpread;
}

bool PrecisionEstimated(const FixResult& fix, int obsCount) {
    return obsCount > fix.UnknownCount && fix.StdDev.ubound() >= 1 && fix.StdDev(1) > 0.0;
}

double EllipseEastMiles(const FixResult& fix) {
    return fix.EllipseEW * 60.0 * std::cos(fix.MppLat * kDegToRad);
}

namespace {

// Fills the report's slots part by part: what the fix found, the motion it
// used, its statistics, the conditions and the per-sight details.
class NumericReportBuilder {
  public:
    NumericReportBuilder(const NumericReportInputs& inputs, const FixResult& result,
                         const ObservationSet& sights, const SightDetails& reduced)
        : in(inputs),
          fix(result),
          obs(sights),
          details(reduced),
          sep(inputs.DecSep),
          s(inputs.sight),
          n(sights.ObsCount),
          full(result.UnknownCount == 4),
          estimated(PrecisionEstimated(result, sights.ObsCount)) {
        r.fills.resize(kReportSlotCount);
        r.lineEstimate = 20;
    }

    NumericReport Build() {
        Position();
        ObserverMotion();
        Statistics();
        Conditions();
        Details();
        Closing();
        return std::move(r);
    }

  private:
    const NumericReportInputs& in;
    const FixResult& fix;
    const ObservationSet& obs;
    const SightDetails& details;
    const std::string& sep;
    const SightDetailInputs& s;
    const int n;
    const bool full;
    const bool estimated;
    NumericReport r;
    int& lines = r.lineEstimate;

    std::string Date(double when) const { return FormatDateTime(when, kDatePattern, in.Dates); }
    SlotWriter slot(int k) { return SlotWriter(r.fills[static_cast<size_t>(k - 1)]); }
    std::string precision(double degrees, const char* pattern) const {
        return estimated ? Num(degrees * 60.0, pattern, sep) : std::string(kNotAvailable);
    }
    double stdDev(int k) const {
        return k <= fix.StdDev.ubound() && k >= fix.StdDev.lbound() ? fix.StdDev(k) : 0.0;
    }
    static double detail(const Vector& v, int i) {
        return i >= v.lbound() && i <= v.ubound() ? v(i) : 0.0;
    }

    void Position() {
        // Position.
        slot(1).Text(Date(s.TimeTruePos));
        slot(2).Text(FormatLatitude(fix.MppLat, sep));
        slot(3).Text(FormatLongitude(fix.MppLong, sep));
        r.fills[3].onMark.colour = kReportBlue;
        slot(4).Text(Num(in.Proba * 100.0, "#0.0#", sep));
        r.fills[4].beforeSelect.colour = kReportBlack;
        slot(5).Text(precision(fix.EllipseNS, "#0.00"));
        slot(6).Text(precision(EllipseEastMiles(fix) / 60.0, "#0.00"));
        slot(7).Text(precision(fix.CircleRadius, "#0.00"));
        slot(8).Text(Date(s.TimeTruePos));
        slot(9).Text(FormatLatitude(obs.ObsLat(0), sep));
        {
            SlotWriter w = slot(10);
            w.Text(FormatLongitude(obs.ObsLong(0), sep));
            if (full) {
                w.Text(" (computed").Break();
                w.Text("with the original course = " + Num(in.CourseInput, "000°.0", sep) +
                       " and speed = " + Num(in.SpeedInput, "##0.0", sep) + "')");
                lines = 21;
            }
        }
    }

    void ObserverMotion() {
        // Observer motion.
        {
            SlotWriter w = slot(11);
            const std::string course = Num(fix.Course, "000°.0", sep);
            const std::string speed = Num(fix.Speed, "##0.0", sep);
            if (full) {
                w.Text("The program had enough good observations to use the full routine and")
                    .Break();
                w.Text("to correct the course = " + course + " and the speed = " + speed +
                       " knot(s).");
                lines += 3;
            } else {
                w.Text("The program used a truncated routine and didn't try to correct the")
                    .Break();
                w.Text("course = " + course + " and the speed = " + speed + " knot(s) due to")
                    .Break();
                switch (
                    ReasonForTruncation(fix.UnknownCount, in.FullRoutine, n, fix.GoodObsCount)) {
                    case TruncationReason::UserPreference:
                        w.Text("the user preference.");
                        lines += 4;
                        break;
                    case TruncationReason::FewSights:
                        w.Text("the number of observations = " + Int(n) + ", less than 8.");
                        lines += 4;
                        break;
                    case TruncationReason::FewGoodSights:
                        w.Text("the number of good observations = " + Int(fix.GoodObsCount) +
                               ", less than 8.")
                            .Break();
                        w.Text(
                             "Some observations are either too close to other observations "
                             "bearings")
                            .Break();
                        w.Text("or about in the opposite direction to supply valuable additional")
                            .Break();
                        w.Text("information in order to correct the course and speed.");
                        lines += 7;
                        break;
                    default: {
                        // The spread of the sights themselves; element 0 holds the
                        // wanted time, which is not a sight.
                        const double spread =
                            n > 0 ? ArrayMax(obs.ObsTime, 1, n) - ArrayMin(obs.ObsTime, 1, n) : 0.0;
                        w.Text("an insufficient time spread between the observations: ").Break();
                        w.Text(Num(spread * 24.0, "#0.0", sep) + " hours less or equal to " +
                               kSpreadHours + " hours.");
                        lines += 6;
                        break;
                    }
                }
            }
        }
    }

    void Statistics() {
        // Statistics.
        slot(12).Text(Int(fix.IterCount));
        lines += 6;
        {
            ReportSlot& weights = r.fills[12];
            weights.onMark.fontName = kTableFont;
            weights.onMark.bulletIndent = 300;
            weights.onMark.bullet = true;
            SlotWriter w(weights);
            for (int i = 1; i <= n; ++i) {
                const std::string& body = obs.ObsBody[static_cast<size_t>(i)];
                const std::string pad =
                    body.size() < kNameColumn ? std::string(kNameColumn - body.size(), ' ') : " ";
                const std::string weight = n <= 2
                                               ? std::string("100 %")
                                               : Num(obs.ObsWeight(i) * 100.0, "##0.0", sep) + " %";
                w.Text(body + pad + Date(obs.ObsTime(i)) + " = " + weight);
                if (i < n) w.Break();
                w.Font(kTableFont);
                ++lines;
            }
        }
        slot(14).Text(Int(fix.UnknownCount));
        slot(15).Text(FormatLatitude(fix.MppLat, sep));
        slot(16).Text(precision(stdDev(1), "##0'.0"));
        slot(17).Text(FormatLongitude(fix.MppLong, sep));
        slot(18).Text(precision(stdDev(2), "##0'.0"));
        {
            SlotWriter w = slot(19);
            lines += 3;
            if (full) {
                w.Text("Course " + Num(fix.Course, "000°.0", sep) + " ± " +
                       Num(stdDev(3), "#0°.0", sep))
                    .Break();
                w.Text("Speed " + Num(fix.Speed, "##0.0", sep) + " knot(s) ± " +
                       Num(stdDev(4), "#0.0", sep) + " knot(s).")
                    .Break();
                lines += 2;
            }
            if (in.FindSystErr) {
                w.Text("The systematic error (uncorrected index error + personal error) is " +
                       Num(fix.SystErr, "+#0'.0;-#0'.0", sep))
                    .Break();
                if (std::fabs(fix.SystErr) < 0.05)
                    w.Text("which means that you have no personal error");
                else if (fix.SystErr > 0.0)
                    w.Text("meaning you always overestimate the sextant altitude of this quantity");
                else
                    w.Text(
                        "meaning you always underestimate the sextant altitude of this quantity");
            } else {
                w.Text("No attempt was made at finding the systematic error").Break();
                w.Text("according to the user preference");
            }
            lines += 2;
        }
    }

    void Conditions() {
        // Conditions.
        slot(20).Text(Num(s.HeightEye, "#0.0", sep));
        slot(21).Text(Num(MetresToFeet(s.HeightEye), "##0.0", sep));
        slot(22).Text(Num(s.TempAirC, "##0", sep));
        slot(23).Text(Num(CelsiusToFahrenheit(s.TempAirC), "##0", sep));
        slot(24).Text(Num(s.TempWaterC, "##0", sep));
        slot(25).Text(Num(CelsiusToFahrenheit(s.TempWaterC), "##0", sep));
        slot(26).Text(Num(s.PressMBars, "###0", sep));
        slot(27).Text(Num(MillibarsToInchesHg(s.PressMBars), "#0.0#", sep));
        lines += 9;
        {
            // The details start on a new printed page.
            std::string pageBreak = " ";
            while (lines < in.pageLines) {
                pageBreak += kLineBreak;
                ++lines;
            }
            slot(28).Text(pageBreak);
        }
    }

    void Details() {
        // Details: the sights reduced again, as a navigator would by hand (the
        // fix kept the figures); 0 for a sight it holds none for.
        {
            SlotWriter w = slot(29);
            if (s.OneEstPos) {
                w.Text("using a single estimated position (user preference)").Break();
                w.Text("on " + Date(s.TimeTruePos) +
                       " (time of the true position) obtained from the")
                    .Break();
                w.Text("estimated position given by the user");
            } else {
                w.Text("using a recalculated position for each observation from the initial")
                    .Break();
                w.Text("estimated position given by the user");
            }
        }
        slot(30).Text(Date(s.TimeEstPos));
        slot(31).Text(FormatLatitude(s.EstLat, sep));
        {
            SlotWriter w = slot(32);
            w.Text(FormatLongitude(s.EstLong, sep));
            if (full)
                w.Text(".").Break().Text("Corrected course " + Num(fix.Course, "000°.0", sep) +
                                         " and speed " + Num(fix.Speed, "##0.0'", sep));
        }
        {
            // The mark goes; a block per sight takes its place.
            SlotWriter w = slot(33);
            w.Text("");
            ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // " " + string (navlib/false_warnings.h)
            for (int i = 1; i <= n; ++i) {
                const std::string idx = Int(i);
                w.Font(kBodyFont).Size(kBodySize).Bold(true);
                w.Text(idx + ") " + obs.ObsBody[static_cast<size_t>(i)] + " on " +
                       Date(obs.ObsTime(i)))
                    .Break()
                    .Break();
                w.Bold(false).Text("Estimated position: Lat").Small(" (" + idx + ")");
                w.Text(" " + FormatLatitude(detail(details.Lat, i), sep) + " and Long")
                    .Small(" (" + idx + ")");
                w.Text(" " + FormatLongitude(detail(details.Long, i), sep)).Break().Break();
                w.Font(kTableFont)
                    .Text("GHA " + DM(obs.ObsGHA(i), "000°00'.0", sep))
                    .Break()
                    .Text(" ");
                w.Text("δ   ").Text("  " + FormatLatitude(obs.ObsDec(i), sep)).Break();
                w.Gap();
                w.Text(" H").Small("s").Text("  " + DM(obs.ObsHs(i), "00°00'.0", sep)).Break();
                w.Text(" I").Small(" ").Text("  " +
                                             DM(obs.ObsInstErr(i), "+0°00'.0;-0°00'.0", sep));
                w.Break();
                w.Text(" H")
                    .Small("o")
                    .Text("  " + DM(detail(details.Ho, i), "00°00'.0", sep))
                    .Break();
                w.Text(" H")
                    .Small("c")
                    .Text("  " + DM(detail(details.Hc, i), "00°00'.0", sep))
                    .Break();
                w.Text(" ΔH").Small(" ");
                w.Text(" " + DM(detail(details.Intercept, i), "+0°00'.0;-0°00'.0", sep)).Break();
                w.Text(" Z   " + Num(detail(details.Zn, i), "000°.0", sep)).Break();
                w.Gap();
                w.Text(" Δ   " + Num(detail(details.RunDist, i), "+###0.0;-###0.0", sep))
                    .Break()
                    .Break();
            }
            ORVEX_GCC12_FALSE_RESTRICT_END
        }
    }

    void Closing() {
        {
            SlotWriter w(r.closing);
            w.Font(kBodyFont).Bold(true).Italic(true).Centre();
            w.Text("End of astronomic position by ").Text(kProgramNameVersion);
        }
    }
};

}  // namespace

NumericReport BuildNumericReport(const NumericReportInputs& in, const FixResult& fix,
                                 const ObservationSet& obs, const SightDetails& details) {
    return NumericReportBuilder(in, fix, obs, details).Build();
}

}  // namespace orvex
