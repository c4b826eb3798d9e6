// The controls of the two result toolbars and the results menu items: print,
// ellipse, chart and line scale, the grid's three mirrored controls and the
// way back to the star-fix toolbar.
#pragma once

#include <QObject>
#include <functional>

class QAction;

namespace orvex {

class ResultsPage;

// What the result toolbars ask of the main window.
struct ResultsToolbarLinks {
    // The action of that control name ("bthGrid1", "mnuAstroGraphGrid", ...).
    std::function<QAction*(const char* name)> Action;
    // Shows the star-fix toolbar alone.
    std::function<void()> ShowStarFixToolbar;
};

class ResultsToolbar : public QObject {
    Q_OBJECT
  public:
    // Connects the actions to `page`'s commands; owned by `parent`.
    ResultsToolbar(ResultsPage& page, ResultsToolbarLinks links, QObject* parent);

    // Back to the star-fix toolbar; the report or chart stays on screen.
    void bthBackStarFix_Click();
    // Toggles the chart's grid (bthGrid1, bthGrid2 and the menu item).
    void mnuAstroGraphGrid_Click();
    // True while the chart shows its grid.
    bool GridShown() const;

  private:
    ResultsPage& page_;
    ResultsToolbarLinks links_;
};

}  // namespace orvex
