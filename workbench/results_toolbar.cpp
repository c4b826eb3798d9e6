// The result toolbars' controls: each runs its command on the results page.
#include "workbench/results_toolbar.h"

#include <QAction>
#include <QVariant>

#include "workbench/results_page.h"

namespace orvex {

ResultsToolbar::ResultsToolbar(ResultsPage& resultsPage, ResultsToolbarLinks links, QObject* parent)
    : QObject(parent), page_(resultsPage), links_(std::move(links)) {
    ResultsPage* page = &page_;
    auto on = [this](const char* name, auto&& handler) {
        connect(links_.Action(name), &QAction::triggered, this, handler);
    };
    on("bthBackStarFix1", [this] { bthBackStarFix_Click(); });
    on("bthBackStarFix2", [this] { bthBackStarFix_Click(); });
    on("bthPrint1", [page] { page->PrintReport(); });
    on("bthPrint2", [page] { page->PrintChart(); });
    on("mnuAstroNumPrint", [page] { page->PrintReport(); });
    on("mnuAstroGraphPrint", [page] { page->PrintChart(); });
    on("bthEllipse1", [page] { page->bthEllipse_Click(true); });
    on("bthEllipse2", [page] { page->bthEllipse_Click(false); });
    on("bthChartIncr", [page] { page->bthChartIncr_Click(); });
    on("bthChartDecr", [page] { page->bthChartDecr_Click(); });
    on("mnuAstroGraphChartInc", [page] { page->bthChartIncr_Click(); });
    on("mnuAstroGraphChartDec", [page] { page->bthChartDecr_Click(); });
    on("bthLopIncr", [page] { page->bthLopIncr_Click(); });
    on("bthLopDecr", [page] { page->bthLopDecr_Click(); });
    on("mnuAstroGraphLOPInc", [page] { page->mnuAstroGraphLOPInc_Click(); });
    on("mnuAstroGraphLOPDec", [page] { page->mnuAstroGraphLOPDec_Click(); });
    // The grid's three controls mirror one state; each click toggles it.
    for (const char* n : {"bthGrid1", "bthGrid2", "mnuAstroGraphGrid"})
        on(n, [this] { mnuAstroGraphGrid_Click(); });
}

void ResultsToolbar::bthBackStarFix_Click() {
    // The report or chart stays on screen; only the toolbar and menus change.
    links_.ShowStarFixToolbar();
    for (const char* n : {"mnuAstroNum", "mnuAstroNumDisp", "mnuAstroGraph", "mnuAstroGraphDisp"})
        links_.Action(n)->setEnabled(true);
    for (const char* n : {"mnuAstroNumPrint", "mnuAstroGraphChart", "mnuAstroGraphLOP",
                          "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        links_.Action(n)->setEnabled(false);
}

bool ResultsToolbar::GridShown() const {
    return links_.Action("mnuAstroGraphGrid")->isChecked();
}

void ResultsToolbar::mnuAstroGraphGrid_Click() {
    // A click on a checkable control has flipped it already: decide from
    // the state kept by the other two.
    const bool wasShown = !links_.Action("bthGrid1")->property("GridDown").toBool();
    const bool show = !wasShown;
    links_.Action("bthGrid1")->setProperty("GridDown", !show);
    links_.Action("bthGrid1")->setChecked(!show);
    links_.Action("bthGrid2")->setChecked(show);
    links_.Action("mnuAstroGraphGrid")->setChecked(show);
    page_.RedrawGraph();
}

}  // namespace orvex
