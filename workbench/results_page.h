// The results page: the numeric report rtfNumDisp (the report template
// NumResults.rtf with the fix poured into its marks) and the chart picLMChart
// of the lines of position through the most probable position, with the
// chart's view commands (size, length of the lines, grid), the probability
// level and the two print commands.
//
// The two views fill the page, one at a time; the page shows while one of
// them does. The toolbars and menus are the main window's: their actions
// call the handlers here, and the page tells the window through its links
// when its toolbar and menus change.
#pragma once

#include <QWidget>
#include <functional>

namespace orvex {

class ChartPicture;
class RichTextBox;
class FrmProba;
class FrmWait;
struct NumericReport;
struct WorkbenchState;

// What the results page needs of the main window.
struct ResultsLinks {
    // Whether the chart shows its grid (the grid's toolbar buttons and menu
    // item hold that choice).
    std::function<bool()> GridShown;
    // A view is about to show: the numeric (true) or graphic page's toolbar,
    // the input tabs and the start screen's background hidden.
    std::function<void(bool numeric)> EnterView;
    // The view shows: its menu items.
    std::function<void(bool numeric)> ViewShown;
    // The report was taken off for want of its template: the start screen's
    // background and the star-fix toolbar back.
    std::function<void()> ReportWithdrawn;
    // The results commands: the fix computed again from the inputs and
    // shown on the numeric or the graphic page.
    std::function<void()> NumericResults;
    std::function<void()> GraphicResults;
    // Whether the systematic error is wanted (the options' check box).
    std::function<bool()> FindSystErr;
    // The window's dialogs (made on first use, then reused).
    std::function<FrmProba*()> ProbaDialog;
    std::function<FrmWait*()> WaitDialog;
};

class ResultsPage : public QWidget {
  public:
    ResultsPage(WorkbenchState& state, ResultsLinks links, QWidget* parent);

    // ---- Numeric report (numeric_report_view.cpp) -------------------------
    // The numeric page with the report of the fix the state holds: reloads
    // the template and fills its 33 marks in order from the fix and the
    // per-sight figures it kept (nothing is recomputed). A template that cannot be read is reported
    // and the page stays as it was.
    void ShowNumericResults();
    // Lines of the current printer's page in Arial 12 pt; 0 without printer.
    int PrinterPageLines() const;
    // Prints the numeric report rtfNumDisp after the printer choice.
    void mnuAstroNumPrint_Click();

    // ---- Chart (chart_view.cpp) ---------------------------------------------
    // The graphic page: the lines of position through the most probable
    // position, then the chart.
    void ShowGraphicResults();
    // The chart of the current fix on picLMChart: prepares the chart data
    // from the fix result and the view settings, draws axes and data.
    void DrawChart();
    // Prints the chart of the current fix on one landscape page.
    void mnuAstroGraphPrint_Click();

    // ---- View commands (results_page.cpp) -----------------------------------
    // Redraws the chart (through onRedrawGraph) and shows it.
    void RedrawGraph();
    // The probability level, asked on the numeric (true) or graphic page;
    // a new level shows that page again.
    void bthEllipse_Click(bool numericPage);
    void bthChartIncr_Click();
    void bthChartDecr_Click();
    void bthLopIncr_Click();
    void bthLopDecr_Click();
    void mnuAstroGraphLOPInc_Click();
    void mnuAstroGraphLOPDec_Click();
    // The print commands as the toolbars and menus run them.
    void PrintReport();
    void PrintChart();

    RichTextBox* rtfNumDisp = nullptr;
    QWidget* picLMChart = nullptr;
    // The picture's kept drawing.
    ChartPicture* chartPicture = nullptr;
    // The chart drawing and the two print commands; tests put their own.
    std::function<void()> onRedrawGraph;
    std::function<void()> onPrintReport;
    std::function<void()> onPrintChart;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool ReloadReportTemplate();
    void FillReportTemplate(const NumericReport& report);
    void ShowWaitWindow();

    WorkbenchState& state_;
    ResultsLinks links_;
};

}  // namespace orvex
