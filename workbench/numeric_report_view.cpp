// The numeric report view: the report template NumResults.rtf read afresh,
// the report's slot texts poured into its marks, and its print command.
#include <QFontMetrics>
#include <QTextCursor>

#include "charts/frm_select_print.h"
#include "charts/print_lib.h"
#include "platform/message_box.h"
#include "platform/rich_text_box.h"
#include "workbench/core/report_details.h"
#include "workbench/core/report_numeric.h"
#include "workbench/core/solve_fix.h"
#include "workbench/results_page.h"

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

int ReportPageLines(ProgramPrinter& printer) {
    // The current printer's page in its report font; the font stays set
    // for the print that usually follows.
    if (printer.PrinterCount() < 1) return 0;
    printer.Font() = QFont("Arial", 12);
    const QFontMetricsF metrics(printer.Font(), &printer.Device());
    const double lineTwips = metrics.height() * printer.TwipsPerPixel();
    if (!(lineTwips > 0.0)) return 0;
    return static_cast<int>(printer.PrintableTwips().height() / lineTwips);
}

bool ResultsPage::ReloadReportTemplate() {
    const QString path = QString::fromStdString(context_.AppPath) + "/NumResults.rtf";
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
    if (problem.isEmpty() && rtfNumDisp->LoadFile(path)) return true;
    // A report of an earlier fix would now disagree with the status line.
    if (rtfNumDisp->isVisible()) {
        rtfNumDisp->setVisible(false);
        links_.ReportWithdrawn();
    }
    ShowMessage(kIconExclamation + kButtonsOk, QString(" File access error"),
                problem +
                    "\r\nThe fix is shown in the status bar; put the program's own template "
                    "back beside the program to see the full report.",
                window());
    return false;
}

void ResultsPage::FillReportTemplate(const NumericReport& report) {
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

void ResultsPage::ShowNumericResults() {
    // The template first: without it there is no report to show, and the
    // page stays as it is.
    if (!ReloadReportTemplate()) return;
    // The numeric page.
    links_.EnterView(true);
    LayOutViews();

    NumericReportInputs in = ReportInputsOf(session_);
    in.FindSystErr = links_.FindSystErr();
    in.DecSep = context_.DecSep;
    in.Dates = context_.Dates;
    in.pageLines = ReportPageLines(links_.Printer());
    const NumericReport report =
        BuildNumericReport(in, session_.Fix, session_.Obs, session_.Details);
    // No pause with the event loop running here: a click on the page's
    // toolbar must wait until the report shows.
    FillReportTemplate(report);

    picLMChart->setVisible(false);
    rtfNumDisp->SetSelStart(kReportRestPosition);
    ShowView(rtfNumDisp);
    links_.ViewShown(true);
}

void ResultsPage::mnuAstroNumPrint_Click() {
    if (!CheckPrinterInstalled()) return;
    {
        FrmSelectPrint choice(window(), context_.PrintConfirmed);
        ExecDialog(choice);
    }
    if (!context_.PrintConfirmed) return;
    SetWaitCursor(true);
    ShowWaitWindow();

    const bool done =
        RunPortraitPrintSteps({
                                  [&] { PrintRichText(*rtfNumDisp, 1500, 1000, 500, 1000); },
                                  [&] { rtfNumDisp->SetSelStart(0); },
                              },
                              "the results may not be properly printed.");
    if (done) SetWaitCursor(false);
}

}  // namespace orvex
