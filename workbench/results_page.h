// The results page: the numeric report rtfNumDisp (the report template
// NumResults.rtf with the fix poured into its marks) and the chart picLMChart
// of the lines of position through the most probable position, with the
// chart's view commands (size, length of the lines, grid), the probability
// level and the two print commands.
//
// The two views fill the page, one at a time; the page shows while one of
// them does. The toolbars and menus are the main window's: the page runs
// the commands of their actions (found through its links by control name)
// and tells the window through its links when its toolbar and menus change.
// The page reads the star-fix session and never changes it; what it keeps of
// its own (the chart's view settings and drawing, the printer choice's
// answer) lives where its context points.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "charts/core/chart_data.h"
#include "navlib/number_format.h"

class QAction;

namespace orvex {

class ChartPicture;
class FrmProba;
class FrmWait;
class ProgramPrinter;
class RichTextBox;
struct NumericReport;
struct StarFixSession;

// The values the results page reads besides the session, and the view
// state it keeps, all owned by the main window.
struct ResultsContext {
    // The user's decimal separator (one character) and month names.
    const std::string& DecSep;
    const DateNames& Dates;
    // The program folder (no trailing separator): NumResults.rtf lies there.
    const std::string& AppPath;
    // The chart's view: the length factor of the lines of position and the
    // margin factor of the chart (steps of 0.1, -0.5 at the largest chart),
    // and the segments and extents of its last drawing.
    double& LopLength;
    double& ChartScale;
    ChartState& Chart;
    // The printer choice's answer: true after "Print".
    bool& PrintConfirmed;
};

// What the results page needs of the main window.
struct ResultsLinks {
    // The window's action of that control name ("bthPrint1",
    // "mnuAstroGraphGrid", ...): the page runs the result toolbars' and
    // menus' commands, and reads the grid's choice from the menu item.
    std::function<QAction*(const char* name)> Action;
    // A view is about to show: the numeric (true) or graphic page's toolbar,
    // the input tabs and the start screen's background hidden.
    std::function<void(bool numeric)> EnterView;
    // The view shows: its menu items.
    std::function<void(bool numeric)> ViewShown;
    // The report was taken off for want of its template: the start screen's
    // background and the star-fix toolbar back.
    std::function<void()> ReportWithdrawn;
    // The results commands: the fix computed again from the inputs and
    // shown on the numeric or the graphic page (a new probability level).
    std::function<void()> NumericResults;
    std::function<void()> GraphicResults;
    // Whether the systematic error is wanted (the options' check box).
    std::function<bool()> FindSystErr;
    // The window's dialogs (made on first use, then reused).
    std::function<FrmProba*()> ProbaDialog;
    std::function<FrmWait*()> WaitDialog;
    // The printer the report and the chart are printed on.
    std::function<ProgramPrinter&()> Printer;
};

// Lines of `printer`'s page in the report's font, Arial 12 pt (the font
// stays set for the print that usually follows); 0 without a printer.
int ReportPageLines(ProgramPrinter& printer);

class ResultsPage : public QWidget {
    Q_OBJECT
  public:
    ResultsPage(const StarFixSession& session, ResultsContext context, ResultsLinks links,
                QWidget* parent);

    // The numeric page with the report of the fix the session holds:
    // reloads the template and fills its 33 marks in order from the fix and
    // the per-sight figures it kept (nothing is recomputed). A template that
    // cannot be read is reported and the page stays as it was.
    void ShowNumericResults();
    // The graphic page: the chart of the lines of position through the most
    // probable position.
    void ShowGraphicResults();

    enum class View { None, Report, Chart };
    // The view shown, if any.
    View Shown() const;
    // Takes both views off: they no longer show the session's fix.
    void Withdraw();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private slots:
    // Prints the numeric report after the printer choice.
    void mnuAstroNumPrint_Click();
    // Prints the chart of the current fix on one landscape page.
    void mnuAstroGraphPrint_Click();
    // The probability level, asked on the numeric (true) or graphic page;
    // a new level shows that page again.
    void bthEllipse_Click(bool numericPage);
    void bthChartIncr_Click();
    void bthChartDecr_Click();
    void bthLopIncr_Click();
    void bthLopDecr_Click();
    void mnuAstroGraphLOPInc_Click();
    void mnuAstroGraphLOPDec_Click();
    // Toggles the chart's grid (bthGrid1, bthGrid2 and the menu item).
    void mnuAstroGraphGrid_Click();

  private:
    // Runs the result toolbars' and menus' actions on the page.
    void ConnectActions();
    bool GridShown() const;
    // Draws the chart again and shows it.
    void RedrawGraph();
    // The chart of the current fix on picLMChart: prepares the chart data
    // from the fix result and the view settings, draws axes and data.
    void DrawChart();
    bool ReloadReportTemplate();
    void FillReportTemplate(const NumericReport& report);
    void ShowWaitWindow();
    void ShowView(QWidget* view);
    void LayOutViews();

    const StarFixSession& session_;
    ResultsContext context_;
    ResultsLinks links_;
    RichTextBox* rtfNumDisp = nullptr;
    QWidget* picLMChart = nullptr;
    ChartPicture* chartPicture_ = nullptr;
};

}  // namespace orvex
