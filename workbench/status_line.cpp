// The status line that shows the fix.
#include "workbench/status_line.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "workbench/core/report_numeric.h"
#include "workbench/workbench_state.h"

namespace orvex {

StatusLine::StatusLine(QMainWindow& window, StatusLineLinks links)
    : QObject(&window), links_(std::move(links)) {
    bar_ = new QStatusBar(&window);
    bar_->setObjectName("staNumDisp");
    bar_->setSizeGripEnabled(true);
    window.setStatusBar(bar_);
    simpleText_ = new QLabel(bar_);
    simpleText_->setObjectName("staNumDisp_Simple");
    bar_->addWidget(simpleText_, 1);
    for (const QString& key : PanelKeys()) {
        auto* panel = new QLabel(bar_);
        panel->setObjectName("staNumDisp_" + key);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(key == "MPP" || key == "TimeTruePos" || key == "Full" ? 120 : 50);
        panel->setProperty("PanelKey", key);
        panel->installEventFilter(this);
        bar_->addPermanentWidget(panel, key == "MPP" ? 2 : 1);
        panels_[key] = panel;
    }
    SetSimple(false);
}

const QStringList& StatusLine::PanelKeys() {
    static const QStringList keys = {"TimeTruePos", "MPP",   "Proba", "Ellipse", "Circle",
                                     "Course",      "Speed", "Full",  "Iter",    "SystErr"};
    return keys;
}

QLabel* StatusLine::Panel(const QString& key) const {
    const auto it = panels_.find(key);
    return it == panels_.end() ? nullptr : it->second;
}

void StatusLine::SetSimple(bool simple, const QString& text) {
    simple_ = simple;
    simpleText_->setText(text);
    simpleText_->setVisible(simple);
    for (auto& [key, panel] : panels_) panel->setVisible(!simple);
}

void StatusLine::Fill(const WorkbenchState& s, bool systErrShown) {
    const FixResult& f = s.Fix;
    const std::string sep = s.DecSep;
    auto set = [this](const char* key, const std::string& text) {
        QLabel* p = Panel(key);
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
    set("Ellipse", "NS " + miles(f.EllipseNS) + " EW " + miles(EllipseEastMiles(f) / 60.0));
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
    set("SystErr",
        systErrShown ? "Err " + FormatNumber(f.SystErr, "+#0'.0;-#0'.0", sep) : std::string());
    SetSimple(false);
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const QVariant key = watched->property("PanelKey");
        if (key.isValid()) {
            if (links_.PanelDoubleClicked) links_.PanelDoubleClicked(key.toString());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex
