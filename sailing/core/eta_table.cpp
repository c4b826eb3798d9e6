#include "sailing/core/eta_table.h"

#include <cmath>

#include "navlib/number_format.h"
#include "sailing/core/utility_fault.h"

namespace orvex {

int EtaRowCount(double minSpeed, double maxSpeed, double interval) {
    if (minSpeed == maxSpeed) return 1;
    if (!(interval > 0.0)) throw UtilityFault(UtilityFault::kDivisionByZero, "Division by zero");
    double n = (maxSpeed - minSpeed) / interval;
    if (!std::isfinite(n) || n > 100000.0) throw UtilityFault(UtilityFault::kOverflow, "Overflow");
    if (std::floor(n) == n) n -= 1.0;
    return static_cast<int>(std::floor(n + 2.0));
}

namespace {

double RoundToStep(double days, double stepsPerDay) {
    return std::trunc(days * stepsPerDay + 0.5) / stepsPerDay;
}

}  // namespace

std::vector<EtaRow> ComputeEtaTable(const EtaInputs& in) {
    const int count = EtaRowCount(in.MinSpeed, in.MaxSpeed, in.Interval);
    if (!(in.Round > 0.0)) throw UtilityFault(UtilityFault::kDivisionByZero, "Division by zero");
    std::vector<EtaRow> rows;
    rows.reserve(static_cast<size_t>(count));
    double speed = in.MinSpeed;
    for (int row = 1; row <= count; ++row) {
        if (!(speed > 0.0)) throw UtilityFault(UtilityFault::kDivisionByZero, "Division by zero");
        EtaRow r;
        r.Speed = speed;
        const double dep = in.DepTime - in.ZoneDep / 24.0;
        const double eta = dep + in.Dist / speed / 24.0;
        r.EtaUT = RoundToStep(eta, in.Round);
        r.EtaLT = RoundToStep(r.EtaUT + in.ZoneLocal / 24.0, in.Round);
        if (!std::isfinite(r.EtaUT) || !std::isfinite(r.EtaLT))
            throw UtilityFault(UtilityFault::kOverflow, "Overflow");
        rows.push_back(r);
        if (speed == in.MaxSpeed) break;
        speed += in.Interval;
        speed = std::floor(speed * 100.0 + 0.1) / 100.0;  // hundredths of a knot
        if (speed > in.MaxSpeed) speed = in.MaxSpeed;
    }
    return rows;
}

std::string EtaSpeedText(double speed, const std::string& decSep) {
    return FormatNumber(speed, "##0.0#", decSep);
}

std::string EtaTimeText(double when) {
    return FormatDateTime(when, "d mmm yyyy hh:mm:ss");
}

}  // namespace orvex
