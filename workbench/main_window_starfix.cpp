// The star-fix driver: the one place where the main window turns its inputs
// into a fix (inputs checked, grid read and sorted, solver called), and the
// status line that shows the fix.
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>

#include "ephemeris/saturn_series.h"
#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/star_fix.h"
#include "platform/message_box.h"
#include "workbench/main_window.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/report_numeric.h"

namespace orvex {

namespace {

// Without its series file the ephemeris gives Saturn the Sun's place, and a
// fix on that would look sound. True when the set can be computed; otherwise
// the user is told once which file is wrong and what to do.
bool SaturnSightsComputable(const ObservationSet& o, QWidget* owner) {
    bool hasSaturn = false;
    for (int i = 1; i <= o.ObsCount; ++i)
        hasSaturn = hasSaturn || o.ObsBody[static_cast<size_t>(i)] == "SATURN";
    std::string path;
    SaturnLoadProblem problem;
    if (!hasSaturn || SaturnSeriesReady(path, problem)) return true;
    ShowMessage(kIconCritical + kButtonsOk, QString(kSaturnFileErrorTitle),
                QString::fromStdString(
                    "No position was computed: the SATURN sights need Saturn's data file\r\n" +
                    path + "\r\nand it cannot be used (" + problem.Description +
                    ").\r\n\r\nPut back the Planet.dat that came with the program in the "
                    "program folder and compute again, or delete the SATURN sights."),
                owner);
    return false;
}

}  // namespace

bool FrmWorking::FindSystErrChecked() const {
    return ch3FindSystErr && ch3FindSystErr->isChecked();
}

bool FrmWorking::RunStarFix() {
    WorkbenchState& s = state_;
    // 1. Every input of the page must have been entered.
    for (int i = 1; i <= 8; ++i) {
        if (!s.FixEntered[static_cast<size_t>(i)]) {
            ShowMessage(kIconExclamation + kButtonsOk, QString("Missing data"),
                        QString("Some data are missing.\r\n"
                                "Please check that the whole input form is completed."),
                        this);
            return false;
        }
    }
    // 2. Course and speed as entered (a previous fix may have corrected
    // them), and no field left showing a text it refused.
    if (!inputPage_->CommitStarFixFieldsAgain()) return false;
    // 3.
    s.EstLat = s.Lat(6);
    s.EstLong = s.Long(6);
    // 4. The sights, in the grid's present order.
    if (!inputPage_->ReadObsGrid()) return false;
    // 5.
    if (s.Obs.ObsCount < 2) {
        ShowMessage(
            kIconCritical + kButtonsOk, QString(" Error when computing the true position"),
            QString("You must enter at least 2 observations in order\r\nto get a star fix."), this);
        return false;
    }
    if (!SaturnSightsComputable(s.Obs, this)) return false;
    // 6. The grid shows the sights by time from now on.
    inputPage_->SelectObsGrid();
    // 7. Fresh working and result arrays; the entered values stay.
    ObservationSet& o = s.Obs;
    const int n = o.ObsCount;
    o.ObsLat = Vector(0, n);
    o.ObsLong = Vector(0, n);
    o.ObsDist = Vector(n);
    o.ObsDec = Vector(n);
    o.ObsGHA = Vector(n);
    o.ObsHo = Vector(n);
    o.ObsHc = Vector(n);
    o.ObsIntercept = Vector(n);
    o.ObsZn = Vector(n);
    // 8. The solver.
    StarFixInputs in;
    in.EstLat = s.EstLat;
    in.EstLong = s.EstLong;
    in.TimeEstPos = s.TimeEstPos;
    in.TimeTruePos = s.TimeTruePos;
    in.Course = s.Course;
    in.Speed = s.Speed;
    in.HeightEye = s.HeightEye;
    in.TempAirC = s.TempAirC;
    in.TempWaterC = s.TempWaterC;
    in.PressMBars = s.PressMBars;
    in.Proba = s.Proba;
    in.FullRoutine = s.FullRoutine;
    in.FindSystErr = FindSystErrChecked();
    in.Ephemeris = StarFixEphemeris();
    const StarFixStatus status = ComputeStarFix(in, o, s.Fix, s.E);
    // 9. A solve that failed or did not converge is no fix: the solver has
    // said why, and no page or status line may show its figures as one.
    if (status != StarFixStatus::Solved) {
        SetStatusSimple(true);
        return false;
    }
    // The fix's course and speed: corrected when four unknowns were solved.
    s.Course = s.Fix.Course;
    s.Speed = s.Fix.Speed;
    return true;
}

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
    set("SystErr", FindSystErrChecked() ? "Err " + FormatNumber(f.SystErr, "+#0'.0;-#0'.0", sep)
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
