// The status line that shows the fix.
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "workbench/core/report_numeric.h"
#include "workbench/main_window.h"
#include "workbench/options_page.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

void FrmWorking::FillStatusPanels() {
    const WorkbenchState& s = state_;
    const FixResult& f = s.Fix;
    const std::string sep = s.DecSep;
    auto set = [this](const char* key, const std::string& text) {
        QLabel* p = StatusPanel(key);
        if (!p) return;
        // Each panel as wide as its text, so that none is cut short.
        const QString t = QString::fromStdString(text);
        p->setText(t);
        p->setMinimumWidth(p->fontMetrics().horizontalAdvance(t) + 2 * p->frameWidth() + 8);
    };
    set("TimeTruePos", FormatDateTime(s.TimeTruePos, "d mmm yyyy hh:mm:ss", s.Dates));
    set("MPP", FormatLatitude(f.MppLat, sep) + " " + FormatLongitude(f.MppLong, sep));
    set("Proba", FormatNumber(s.Proba * 100.0, "#0.0", sep) + " %");
    const bool estimated = PrecisionEstimated(f, s.Obs.ObsCount);
    auto miles = [&](double degrees) {
        return estimated ? FormatNumber(degrees * 60.0, "#0'.00", sep) : std::string(kNotAvailable);
    };
    set("Ellipse", "NS " + miles(f.EllipseNS) + " EW " + miles(f.EllipseEW));
    set("Circle", "R " + miles(f.CircleRadius));
    set("Course", FormatNumber(s.Course, "000°.0", sep));
    set("Speed", FormatNumber(s.Speed, "##0'.0", sep));
    const char* mode = "Trunc. Not enough time spread.";
    if (f.UnknownCount == 4)
        mode = "Full";
    else if (!s.FullRoutine)
        mode = "Trunc. User preference.";
    else if (s.Obs.ObsCount < 8)
        mode = "Trunc. Not enough obs.";
    else if (f.GoodObsCount < 8)
        mode = "Trunc. Not enough good obs.";
    set("Full", mode);
    set("Iter", "Iter " + std::to_string(f.IterCount));
    set("SystErr", optionsPage_->FindSystErrChecked()
                       ? "Err " + FormatNumber(f.SystErr, "+#0'.0;-#0'.0", sep)
                       : std::string());
    SetStatusSimple(false);
    // The window lays itself out again for the panels.
    if (!isMinimized() && !isMaximized() && !isFullScreen()) {
        const int w = width();
        resize(static_cast<int>(w * 0.999), height());
        resize(w, height());
    }
}

}  // namespace orvex
