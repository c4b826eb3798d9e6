// The two results commands of the star-fix page: the numeric report, poured
// into the report template NumResults.rtf, and the chart of the lines of
// position through the most probable position. Both start again from the
// inputs: nothing of a previous fix is reused.
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolBar>

#include "charts/print_lib.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/main_window.h"
#include "workbench/observation_grid.h"
#include "workbench/report_details.h"
#include "workbench/report_numeric.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

namespace {

// The paragraphs of the report stand this far from the left edge.
constexpr int kReportIndentTwips = 210;
// Where the insertion point rests once the report is shown: just after the
// title, so the box opens at its top.
constexpr int kReportRestPosition = 20;

QColor ColourOf(unsigned rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void ApplyFormat(RichTextBox* box, const ReportFormat& f) {
    if (f.fontName) box->SetSelFontName(QString::fromStdString(*f.fontName));
    if (f.fontSize) box->SetSelFontSize(*f.fontSize);
    if (f.bold) box->SetSelBold(*f.bold);
    if (f.italic) box->SetSelItalic(*f.italic);
    if (f.underline) box->SetSelUnderline(*f.underline);
    if (f.colour) box->SetSelColor(ColourOf(*f.colour));
    if (f.bulletIndent) box->SetBulletIndent(*f.bulletIndent);
    if (f.bullet) {
        box->SetSelBullet(*f.bullet);
        // The bullet is drawn in the paragraph's own font: the table's, so
        // that the first row's bullet stands where the others do.
        if (f.fontName) {
            QTextCharFormat cf;
            cf.setFontFamilies(QStringList{QString::fromStdString(*f.fontName)});
            box->textCursor().mergeBlockCharFormat(cf);
        }
    }
    if (f.centre) box->SetSelAlignment(Qt::AlignHCenter);
}

void WritePieces(RichTextBox* box, const std::vector<ReportPiece>& pieces) {
    for (const ReportPiece& p : pieces) {
        ApplyFormat(box, p.format);
        box->SetSelText(QString::fromStdString(p.text));
    }
}

}  // namespace

void FrmWorking::ConnectResultCommands() {
    onNumericResults = [this] { cmdNumRes_Click(); };
    onGraphicResults = [this] { cmdGraphRes_Click(); };
}

void FrmWorking::cmdNumRes_Click() {
    if (!inputPage_->LeaveStarFixField()) return;
    inputPage_->grdObs_GotFocus();  // a half-typed cell is not lost
    if (!RunStarFix()) return;
    // The status line first: it holds the fix even when the report template
    // cannot be read.
    FillStatusPanels();
    ShowNumericResults();
}

void FrmWorking::cmdGraphRes_Click() {
    if (!inputPage_->LeaveStarFixField()) return;
    inputPage_->grdObs_GotFocus();
    if (!RunStarFix()) return;
    FillStatusPanels();
    ShowGraphicResults();
}

SightDetailInputs FrmWorking::SightDetailsFromState() const {
    SightDetailInputs s;
    s.EstLat = state_.EstLat;
    s.EstLong = state_.EstLong;
    s.TimeEstPos = state_.TimeEstPos;
    s.TimeTruePos = state_.TimeTruePos;
    s.OneEstPos = state_.OneEstPos;
    s.HeightEye = state_.HeightEye;
    s.TempAirC = state_.TempAirC;
    s.TempWaterC = state_.TempWaterC;
    s.PressMBars = state_.PressMBars;
    return s;
}

int FrmWorking::PrinterPageLines() const {
    // The current printer's page in its report font; the font stays set
    // for the print that usually follows.
    ProgramPrinter& printer = ProgramPrinter::Instance();
    if (printer.PrinterCount() < 1) return 0;
    printer.Font() = QFont("Arial", 12);
    const QFontMetricsF metrics(printer.Font(), &printer.Device());
    const double lineTwips = metrics.height() * printer.TwipsPerPixel();
    if (!(lineTwips > 0.0)) return 0;
    return static_cast<int>(printer.PrintableTwips().height() / lineTwips);
}

bool FrmWorking::ReloadReportTemplate() {
    QString path = rtfNumDisp->FileName();
    if (path.isEmpty()) path = QString::fromStdString(state_.AppPath) + "/NumResults.rtf";
    // Read and checked aside first: a faulty template never reaches the
    // box, whose report stays whole until the new one is written.
    QString problem;
    {
        RichTextBox probe;
        QString error;
        if (!probe.LoadFile(path, &error)) {
            problem = "The report template NumResults.rtf could not be read:\r\n" + error;
        } else {
            const int marks = static_cast<int>(probe.Text().count(QStringLiteral("§")));
            if (marks < kReportSlotCount)
                problem = QString(
                              "The report template NumResults.rtf holds %1 of its %2 "
                              "marks \"§\".")
                              .arg(marks)
                              .arg(kReportSlotCount);
        }
    }
    if (problem.isEmpty() && rtfNumDisp->LoadFile(path)) {
        if (rtfNumDisp->FileName().isEmpty()) rtfNumDisp->SetFileName(path);
        return true;
    }
    // A report of an earlier fix would now disagree with the status line.
    if (rtfNumDisp->isVisible()) {
        rtfNumDisp->setVisible(false);
        panhGradient->setVisible(true);
        ShowToolbar(tlhStarfix);
    }
    ShowMessage(kIconExclamation + kButtonsOk, QString(" File access error"),
                problem +
                    "\r\nThe fix is shown in the status bar; put the program's own template "
                    "back beside the program to see the full report.",
                this);
    return false;
}

void FrmWorking::FillReportTemplate(const NumericReport& report) {
    RichTextBox* box = rtfNumDisp;
    box->SetSelStart(0);
    box->SetSelLength(box->TextLength());
    box->SetSelIndent(kReportIndentTwips);
    box->SetSelStart(0);
    for (const ReportSlot& slot : report.fills) {
        box->MoveToNextOf(QStringLiteral("§"));
        ApplyFormat(box, slot.beforeSelect);
        box->SetSelLength(1);
        ApplyFormat(box, slot.onMark);
        if (slot.pieces.empty()) box->SetSelText(QString());  // the mark goes in any case
        WritePieces(box, slot.pieces);
    }
    WritePieces(box, report.closing.pieces);
    box->SetSelStart(0);
    box->Refresh();
}

void FrmWorking::ShowNumericResults() {
    // The template first: without it there is no report to show, and the
    // page stays as it is.
    if (!ReloadReportTemplate()) return;
    // The numeric page.
    ShowToolbar(tlhNum);
    tabIn->setVisible(false);

    NumericReportInputs in;
    in.sight = SightDetailsFromState();
    in.CourseInput = state_.CourseInput;
    in.SpeedInput = state_.SpeedInput;
    in.Proba = state_.Proba;
    in.FullRoutine = state_.FullRoutine;
    in.FindSystErr = FindSystErrChecked();
    in.DecSep = state_.DecSep;
    in.Dates = state_.Dates;
    in.pageLines = PrinterPageLines();
    const NumericReport report =
        BuildNumericReport(in, state_.Fix, state_.Obs, state_.ObsRunDist, state_.E);
    // No pause with the event loop running here: a click on the page's
    // toolbar must wait until the report shows.
    FillReportTemplate(report);

    panhGradient->setVisible(false);
    picLMChart->setVisible(false);
    rtfNumDisp->SetSelStart(kReportRestPosition);
    rtfNumDisp->setVisible(true);
    rtfNumDisp->raise();
    Action("mnuAstroNumDisp")->setEnabled(false);
    Action("mnuAstroNumPrint")->setEnabled(true);
}

void FrmWorking::ShowGraphicResults() {
    ShowToolbar(tlhGraph);
    tabIn->setVisible(false);
    LinesThroughMpp(SightDetailsFromState(), state_.Fix, state_.Obs, state_.E);
    panhGradient->setVisible(false);
    rtfNumDisp->setVisible(false);
    RedrawGraph();
    picLMChart->raise();
    Action("mnuAstroGraphDisp")->setEnabled(false);
    for (const char* n :
         {"mnuAstroGraphChart", "mnuAstroGraphLOP", "mnuAstroGraphGrid", "mnuAstroGraphPrint"})
        Action(n)->setEnabled(true);
}

}  // namespace orvex
