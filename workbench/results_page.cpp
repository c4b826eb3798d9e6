// The results page's construction and the chart's view commands: the
// probability level, chart size, length of the lines of position.
#include "workbench/results_page.h"

#include <QEvent>
#include <QTimer>
#include <cmath>

#include "charts/chart_picture.h"
#include "charts/core/chart_data.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_wait.h"

namespace orvex {

namespace {

// A count of tenths as a value.
double Tenths(long tenths) {
    return static_cast<double>(tenths) / 10.0;
}

}  // namespace

ResultsPage::ResultsPage(const StarFixSession& session, ResultsContext context, ResultsLinks links,
                         QWidget* parent)
    : QWidget(parent), session_(session), context_(context), links_(std::move(links)) {
    setObjectName("ResultsPage");
    rtfNumDisp = new RichTextBox(this);
    rtfNumDisp->setObjectName("rtfNumDisp");
    rtfNumDisp->setReadOnly(true);
    rtfNumDisp->setVisible(false);
    picLMChart = new QWidget(this);
    picLMChart->setObjectName("picLMChart");
    picLMChart->setAutoFillBackground(true);
    {
        QPalette pal = picLMChart->palette();
        pal.setColor(QPalette::Window, Qt::white);
        picLMChart->setPalette(pal);
    }
    picLMChart->setVisible(false);
    setVisible(false);
    for (QWidget* view : {static_cast<QWidget*>(rtfNumDisp), picLMChart})
        view->installEventFilter(this);

    chartPicture_ = new ChartPicture(picLMChart);
    chartPicture_->setObjectName("chartPicture");
    chartPicture_->onResize = [this] { DrawChart(); };
    ConnectActions();
}

ResultsPage::View ResultsPage::Shown() const {
    if (rtfNumDisp->isVisible()) return View::Report;
    if (picLMChart->isVisible()) return View::Chart;
    return View::None;
}

void ResultsPage::Withdraw() {
    rtfNumDisp->setVisible(false);
    picLMChart->setVisible(false);
}

// The keys go to the view shown: the page hands its focus on to it.
void ResultsPage::ShowView(QWidget* view) {
    setFocusProxy(view);
    view->setVisible(true);
    view->raise();
    raise();
}

// The two views fill the page. A hidden page hears of its new size only
// when it shows: the views are laid out before they are drawn.
void ResultsPage::LayOutViews() {
    picLMChart->setGeometry(rect());
    rtfNumDisp->setGeometry(rect());
}

void ResultsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutViews();
    if (picLMChart->isVisible()) picLMChart->update();
}

// The page shows while one of its views does, so that a view shown or
// hidden by the window is seen as before.
bool ResultsPage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShowToParent:
            setVisible(true);
            break;
        case QEvent::HideToParent:
            if (rtfNumDisp->isHidden() && picLMChart->isHidden()) setVisible(false);
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsPage::RedrawGraph() {
    DrawChart();
    picLMChart->setVisible(true);
}

// The wait window, its bar stepping every 20 ms, shown modally until full.
void ResultsPage::ShowWaitWindow() {
    links_.WaitDialog()->ShowWhilePrinting();
}

void ResultsPage::bthEllipse_Click(bool numericPage) {
    const double before = session_.Proba;
    FrmProba* dlg = links_.ProbaDialog();
    dlg->BeginShow();
    ExecDialog(*dlg);
    if (session_.Proba == before) return;
    const auto& again = numericPage ? links_.NumericResults : links_.GraphicResults;
    if (again) again();
}

// Chart size: the margin steps by 0.1, down to -0.5 (larger chart); the
// comparisons run in tenths so that repeated steps land exactly.
void ResultsPage::bthChartIncr_Click() {
    if (std::lround(context_.ChartScale * 10.0) > -5)
        context_.ChartScale = Tenths(std::lround(context_.ChartScale * 10.0 - 1.0));
    RedrawGraph();
}

// ... and up to the margin at which the chart would span more than
// kMaxChartSpan (smaller chart).
void ResultsPage::bthChartDecr_Click() {
    const double wider = Tenths(std::lround(context_.ChartScale * 10.0 + 1.0));
    const StarFixSession& s = session_;
    try {
        ChartState trial;
        PrepareGraphData(s.Lines.ObsCount, context_.LopLength, wider, s.Fix.MppLat, s.Fix.MppLong,
                         s.Lines.Zn, s.Lines.Intercept, s.E, trial);
        if (ChartSpan(trial) <= kMaxChartSpan) context_.ChartScale = wider;
    } catch (const ChartError&) {
        // No chart to judge by: the step is taken, and the redraw reports
        // what is wrong with the fix.
        context_.ChartScale = wider;
    }
    RedrawGraph();
}

// Length of the lines: steps of 0.1 below 1, of 1 above; never below 0.1.
void ResultsPage::bthLopIncr_Click() {
    const long tenths = std::lround(context_.LopLength * 10.0);
    context_.LopLength = Tenths(tenths < 10 ? tenths + 1 : tenths + 10);
    RedrawGraph();
}

void ResultsPage::bthLopDecr_Click() {
    const long tenths = std::lround(context_.LopLength * 10.0);
    if (tenths > 10)
        context_.LopLength = Tenths(tenths - 10);
    else if (tenths > 1)
        context_.LopLength = Tenths(tenths - 1);
    RedrawGraph();
}

// The menu's steps are whole ones and stop at 1.
void ResultsPage::mnuAstroGraphLOPInc_Click() {
    context_.LopLength += 1.0;
    RedrawGraph();
}

void ResultsPage::mnuAstroGraphLOPDec_Click() {
    if (context_.LopLength > 1.0) context_.LopLength -= 1.0;
    RedrawGraph();
}

}  // namespace orvex
