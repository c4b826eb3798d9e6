// The result toolbars' and menus' controls on the results page: print,
// ellipse, chart and line scale, and the grid's three mirrored controls.
#include <QAction>
#include <QVariant>

#include "workbench/results_page.h"

namespace orvex {

void ResultsPage::ConnectActions() {
    auto on = [this](const char* name, auto&& handler) {
        connect(links_.Action(name), &QAction::triggered, this, handler);
    };
    on("bthPrint1", [this] { mnuAstroNumPrint_Click(); });
    on("bthPrint2", [this] { mnuAstroGraphPrint_Click(); });
    on("mnuAstroNumPrint", [this] { mnuAstroNumPrint_Click(); });
    on("mnuAstroGraphPrint", [this] { mnuAstroGraphPrint_Click(); });
    on("bthEllipse1", [this] { bthEllipse_Click(true); });
    on("bthEllipse2", [this] { bthEllipse_Click(false); });
    on("bthChartIncr", [this] { bthChartIncr_Click(); });
    on("bthChartDecr", [this] { bthChartDecr_Click(); });
    on("mnuAstroGraphChartInc", [this] { bthChartIncr_Click(); });
    on("mnuAstroGraphChartDec", [this] { bthChartDecr_Click(); });
    on("bthLopIncr", [this] { bthLopIncr_Click(); });
    on("bthLopDecr", [this] { bthLopDecr_Click(); });
    on("mnuAstroGraphLOPInc", [this] { mnuAstroGraphLOPInc_Click(); });
    on("mnuAstroGraphLOPDec", [this] { mnuAstroGraphLOPDec_Click(); });
    // The grid's three controls mirror one state; each click toggles it.
    for (const char* n : {"bthGrid1", "bthGrid2", "mnuAstroGraphGrid"})
        on(n, [this] { mnuAstroGraphGrid_Click(); });
}

bool ResultsPage::GridShown() const {
    return links_.Action("mnuAstroGraphGrid")->isChecked();
}

void ResultsPage::mnuAstroGraphGrid_Click() {
    // A click on a checkable control has flipped it already: decide from
    // the state kept by the other two.
    QAction* grid1 = links_.Action("bthGrid1");
    const bool wasShown = !grid1->property("GridDown").toBool();
    const bool show = !wasShown;
    grid1->setProperty("GridDown", !show);
    grid1->setChecked(!show);
    links_.Action("bthGrid2")->setChecked(show);
    links_.Action("mnuAstroGraphGrid")->setChecked(show);
    RedrawGraph();
}

}  // namespace orvex
