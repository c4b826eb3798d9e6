// Printing: the current printer and its error handling, rich-text pages,
// grid tables and the printer choice. Jobs go to PDF files in a temporary
// folder through the printer script; message boxes and dialogs through the
// platform script.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "charts/frm_select_print.h"
#include "charts/print_lib.h"
#include "platform/message_box.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// The user picks row `row` of the printer choice's list with the arrow keys:
// the list has the focus when the choice opens.
void PickPrinter(QDialog& choice, int row) {
    choice.show();
    QApplication::setActiveWindow(&choice);
    auto* list = test::Named<QComboBox>(&choice, "cboListPrinters");
    ASSERT_TRUE(list->hasFocus());
    for (int k = 0; k < 10 && list->currentIndex() != row; ++k)
        test::Press(list->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
}

// Pages of a PDF file: its page objects.
int PdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = f.readAll();
    if (!data.startsWith("%PDF")) return -2;
    return static_cast<int>(
        QString::fromLatin1(data).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

struct PrintFixture : ::testing::Test {
    QTemporaryDir dir;
    PlatformScript script;
    PrinterScript printers;
    void SetUp() override {
        printers.printers = {"Office laser", "Chart plotter", "Bridge printer"};
        printers.folder = dir.path();
    }
};

QString LongText(int paragraphs) {
    QString html;
    for (int i = 1; i <= paragraphs; ++i)
        html += QString("<p>Sight %1: the line of position runs across the bearing.</p>").arg(i);
    return html;
}

// Guards the page loop: one page for a short report, one blank page for an
// empty box, several whole pages for a long one, and the job ended.
TEST_F(PrintFixture, RichTextPrintsPageAfterPage) {
    QTextEdit box;
    box.setHtml("<p>Most probable position 45°12'.3 N</p>");
    PrintRichText(box, 1500, 1000, 500, 1000);
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobPages.at(0), 1);
    EXPECT_EQ(PdfPages(printers.jobs.at(0)), 1);

    QTextEdit empty;
    PrintRichText(empty, 1500, 1000, 500, 1000);
    ASSERT_EQ(printers.jobs.size(), 2);
    EXPECT_EQ(PdfPages(printers.jobs.at(1)), 1);

    QTextEdit longBox;
    longBox.setHtml(LongText(200));
    PrintRichText(longBox, 1500, 1000, 500, 1000);
    ASSERT_EQ(printers.jobs.size(), 3);
    EXPECT_GE(printers.jobPages.at(2), 3);
    EXPECT_EQ(PdfPages(printers.jobs.at(2)), printers.jobPages.at(2));
    EXPECT_FALSE(ProgramPrinter::Instance().JobOpen());
    EXPECT_TRUE(script.messages.empty());
}

// Guards the margins: wider margins leave less room, so the same text
// needs more pages.
TEST_F(PrintFixture, RichTextMarginsShapeThePage) {
    QTextEdit box;
    box.setHtml(LongText(120));
    PrintRichText(box, 1500, 1000, 500, 1000);
    PrintRichText(box, 1500, 5000, 500, 5000);
    ASSERT_EQ(printers.jobPages.size(), 2u);
    EXPECT_GT(printers.jobPages[1], printers.jobPages[0]);
}

// Guards the missing printer: the one box, word for word, and no job.
TEST_F(PrintFixture, NoPrinterShowsOnlyTheBox) {
    printers.printers.clear();
    QTextEdit box;
    box.setPlainText("x");
    PrintRichText(box, 1500, 1000, 500, 1000);
    QTableWidget table(3, 2);
    TableWidgetGrid grid(table);
    PrintGrid(grid, 0.77, 0.7);
    ASSERT_EQ(script.messages.size(), 2u);
    for (const auto& m : script.messages) {
        EXPECT_EQ(m.title, "NO PRINTER");
        EXPECT_TRUE(m.text.startsWith("Sorry, no printer connected to your system."));
        EXPECT_EQ(m.style, kIconCritical + kButtonsOk);
    }
    EXPECT_TRUE(printers.jobs.isEmpty());
    EXPECT_FALSE(CheckPrinterInstalled());
}

// Guards the error table of the print commands, byte for byte, and what
// Retry, Cancel and error 380 do.
TEST_F(PrintFixture, PrintStepsMapTheErrors) {
    const QString driver = "the results may not be properly printed.";
    struct Case {
        int number;
        QString title, text;
    } cases[] = {
        {482, "PRINTER NOT READY", "Please check your printer and retry."},
        {484, "PRINTER NOT READY", "Please check your printer and retry."},
        {483, "PRINTER DRIVER PROBLEM",
         "Due to your printer driver,\r\nthe results may not be properly printed."},
        {7, " ERROR REPORT", "Unexpected error when printing.\r\nError 7: Out of memory"},
    };
    for (const Case& c : cases) {
        script.Clear();
        std::vector<int> ran;
        int failures = 1;
        script.answers = {kAnswerRetry};
        const bool done = RunPrintSteps({[&] { ran.push_back(1); },
                                         [&] {
                                             ran.push_back(2);
                                             if (failures-- > 0)
                                                 throw PrinterError(c.number, "Out of memory");
                                         },
                                         [&] { ran.push_back(3); }},
                                        driver);
        EXPECT_TRUE(done);
        EXPECT_EQ(ran, (std::vector<int>{1, 2, 2, 3})) << c.number;  // Retry runs the step again
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].title, c.title);
        EXPECT_EQ(script.messages[0].text, c.text);
        EXPECT_EQ(script.messages[0].style, kIconExclamation + kButtonsRetryCancel);
    }

    // Cancel ends the run at the failed step.
    script.Clear();
    script.answers = {kAnswerCancel};
    std::vector<int> ran;
    EXPECT_FALSE(
        RunPrintSteps({[&] { ran.push_back(1); }, [&] { throw PrinterError(482, "Printer error"); },
                       [&] { ran.push_back(3); }},
                      driver));
    EXPECT_EQ(ran, std::vector<int>{1});

    // 380: silent, the next step runs.
    script.Clear();
    ran.clear();
    EXPECT_TRUE(RunPrintSteps(
        {[&] { throw PrinterError(380, "Invalid property value"); }, [&] { ran.push_back(2); }},
        driver));
    EXPECT_EQ(ran, std::vector<int>{2});
    EXPECT_TRUE(script.messages.empty());
}

// Guards the settings: an unknown value is error 380 and leaves the
// setting; the printer choice's pick is kept.
TEST_F(PrintFixture, SettingsAndSelection) {
    ProgramPrinter& p = ProgramPrinter::Instance();
    EXPECT_EQ(p.DeviceName(), "Office laser");
    p.SetOrientation(kOrientationLandscape);
    EXPECT_EQ(p.Orientation(), kOrientationLandscape);
    try {
        p.SetOrientation(7);
        ADD_FAILURE() << "no error";
    } catch (const PrinterError& e) {
        EXPECT_EQ(e.Number(), 380);
    }
    EXPECT_EQ(p.Orientation(), kOrientationLandscape);
    p.SetOrientation(kOrientationPortrait);
    p.SelectPrinter(2);
    EXPECT_EQ(p.DeviceName(), "Bridge printer");
    p.SelectPrinter(3);  // out of range: unchanged
    EXPECT_EQ(p.DeviceName(), "Bridge printer");
}

// Guards the printer choice: the list in the system's order starting on
// the current printer; a pick becomes current at once, also when the print
// is then cancelled; only "Print" confirms.
TEST_F(PrintFixture, PrinterChoice) {
    ProgramPrinter::Instance().SelectPrinter(1);
    bool confirmed = true;
    {
        FrmSelectPrint dlg(nullptr, confirmed);
        EXPECT_FALSE(confirmed);
        EXPECT_EQ(dlg.objectName(), "frmSelectPrint");
        const auto* label = test::Named<QLabel>(&dlg, "lblWait");
        EXPECT_EQ(label->text(), "Please select a printer & confirm printing:");
        EXPECT_EQ(label->font().family(), "Arial");
        const auto* print = test::Named<QPushButton>(&dlg, "cmdOK");
        EXPECT_EQ(print->text(), "&Print");
        EXPECT_EQ(print->toolTip(), "Start Printing");
        const auto* cancel = test::Named<QPushButton>(&dlg, "cmdCancel");
        EXPECT_EQ(cancel->text(), "&Cancel");
        EXPECT_EQ(cancel->toolTip(), "Cancel Printing");
        const auto* list = test::Named<QComboBox>(&dlg, "cboListPrinters");
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), "Office laser (system default)");
        EXPECT_EQ(list->itemText(2), "Bridge printer");
        EXPECT_EQ(list->currentIndex(), 1);
        test::ClickIn(dlg, "cmdOK");
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "Chart plotter");

        dlg.resize(dlg.sizeHint());
        dlg.grab().save(test::TestOutputFolder() + "/printer_choice.png");
    }
    {
        FrmSelectPrint dlg(nullptr, confirmed);
        PickPrinter(dlg, 2);
        test::ClickIn(dlg, "cmdCancel");
        EXPECT_FALSE(confirmed);
        EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "Bridge printer");
    }
}

// Guards the current printer while the system's list changes under the
// running program: the pick is kept by name wherever it moves in the list;
// once it is gone the system's default takes over, and the choice shows it
// as such; each job goes to the printer shown.
TEST_F(PrintFixture, PrinterKeptByNameWhileTheListChanges) {
    printers.defaultPrinter = "Chart plotter";
    bool confirmed = false;
    auto shown = [&] {
        FrmSelectPrint dlg(nullptr, confirmed);
        return test::Named<QComboBox>(&dlg, "cboListPrinters")->currentText();
    };
    {
        FrmSelectPrint dlg(nullptr, confirmed);
        PickPrinter(dlg, 2);
        test::ClickIn(dlg, "cmdOK");
    }
    QTextEdit box;
    box.setPlainText("Fix");
    PrintRichText(box, 1500, 1000, 500, 1000);
    printers.printers = {"Deck printer", "Office laser", "Chart plotter", "Bridge printer"};
    EXPECT_EQ(shown(), "Bridge printer");
    PrintRichText(box, 1500, 1000, 500, 1000);
    printers.printers = {"Deck printer", "Office laser", "Chart plotter"};
    EXPECT_EQ(shown(), "Chart plotter (system default)");
    PrintRichText(box, 1500, 1000, 500, 1000);
    EXPECT_EQ(printers.jobPrinters,
              (QStringList{"Bridge printer", "Bridge printer", "Chart plotter"}));
}

QTableWidget* EtaTable(int rows, int cols) {
    auto* t = new QTableWidget(rows, cols);
    QStringList heads = {"Speed", "ETA (UTC)", "ETA (zone)", "More", "Even more", "Last"};
    t->setHorizontalHeaderLabels(heads.mid(0, cols));
    for (int c = 0; c < cols; ++c) t->setColumnWidth(c, 140);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(QString(" %1 kn & row %2 ").arg(c).arg(r)));
    return t;
}

// Guards the table print: the fixed row repeats on each page, so a long
// table takes more pages than a short one; a short table is one page.
TEST_F(PrintFixture, GridPrintsPagesOfRows) {
    std::unique_ptr<QTableWidget> small(EtaTable(10, 3));
    TableWidgetGrid g1(*small);
    PrintGrid(g1, 0.77, 0.7);
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobPages[0], 1);
    EXPECT_EQ(PdfPages(printers.jobs[0]), 1);

    std::unique_ptr<QTableWidget> big(EtaTable(150, 3));
    TableWidgetGrid g2(*big);
    PrintGrid(g2, 0.77, 0.7);
    ASSERT_EQ(printers.jobs.size(), 2);
    EXPECT_GE(printers.jobPages[1], 3);
    EXPECT_EQ(PdfPages(printers.jobs[1]), printers.jobPages[1]);
    EXPECT_TRUE(big->updatesEnabled());  // redrawing back on
    EXPECT_TRUE(script.messages.empty());
}

// Guards the heading row on paper: it opens every page and its texts are
// drawn where a reader sees them (it was once lower than one text line, so
// none of it was drawn).
TEST_F(PrintFixture, GridHeadingReachesEveryPage) {
    printers.recordPages = true;
    std::unique_ptr<QTableWidget> t(EtaTable(150, 3));
    TableWidgetGrid grid(*t);
    PrintGrid(grid, 0.77, 0.7);
    const QString paper = printers.ShownTexts(1).join(' ');
    EXPECT_GE(printers.jobPages.at(0), 3);
    EXPECT_EQ(paper.count("Speed"), printers.jobPages.at(0));
    EXPECT_EQ(paper.count("(Orvex)"), printers.jobPages.at(0));
    EXPECT_TRUE(paper.contains("2 kn & row 149"));
}

// Guards the table layout: the fixed row opens every page at the top
// margin, a page ends before the row that would reach the bottom limit,
// row 0 is 80 % high, texts are indented and row 0 carries the program's
// name and version.
TEST_F(PrintFixture, GridLayoutOnThePage) {
    std::unique_ptr<QTableWidget> t(EtaTable(150, 3));
    for (int r = 0; r < 150; ++r) t->setRowHeight(r, 24);
    TableWidgetGrid grid(*t, false, 1);  // the table's own row 0 is fixed
    PrintGrid(grid, 0.77, 0.7);
    const auto& cells = printers.gridCells;
    ASSERT_FALSE(cells.empty());
    const double top = 1440 - 360;  // one inch from the paper, 0.25 inch unprintable
    const double bottomLimit = ProgramPrinter::Instance().PrintableTwips().height() - (1440 - 360);
    int lastPage = 0;
    double rowHeight = 0, row0Height = 0;
    for (size_t k = 0; k < cells.size(); ++k) {
        const auto& c = cells[k];
        if (c.page != lastPage) {  // the page opens with the fixed row
            EXPECT_EQ(c.row, 0) << c.page;
            EXPECT_EQ(c.col, 0);
            EXPECT_NEAR(c.box.top(), top, 1e-6);
            lastPage = c.page;
        }
        EXPECT_LT(c.box.bottom(), bottomLimit);
        if (c.row == 0) row0Height = c.box.height();
        if (c.row == 1) rowHeight = c.box.height();
        if (k + 1 < cells.size() && cells[k + 1].page != c.page && c.col == 2) {
            // The next row would have reached the bottom limit.
            EXPECT_GE(c.box.bottom() + rowHeight, bottomLimit);
        }
    }
    EXPECT_EQ(lastPage, printers.jobPages.at(0));
    EXPECT_GE(lastPage, 3);
    EXPECT_NEAR(row0Height, 0.8 * rowHeight, rowHeight * 0.05);
    EXPECT_EQ(cells[0].text, "    0 kn & row 0");
    EXPECT_EQ(cells[1].text, "    1 kn & row 0 (Orvex)");
    EXPECT_EQ(cells[2].text, "    2 kn & row 0          (1.2)");
    const auto row1 = std::find_if(cells.begin(), cells.end(),
                                   [](const auto& c) { return c.row == 1 && c.col == 1; });
    ASSERT_NE(row1, cells.end());
    EXPECT_EQ(row1->text, "  1 kn & row 1");
}

// Guards a table wider than the page: each row stops after the cell that
// reaches the right limit; later columns are printed nowhere.
TEST_F(PrintFixture, GridWiderThanThePageIsCut) {
    std::unique_ptr<QTableWidget> t(EtaTable(5, 6));
    for (int c = 0; c < 6; ++c) t->setColumnWidth(c, 400);
    TableWidgetGrid grid(*t);
    PrintGrid(grid, 0.77, 0.7);
    const double right = ProgramPrinter::Instance().PrintableTwips().width() - (1440 - 360);
    int maxCol = 0;
    for (const auto& c : printers.gridCells) {
        maxCol = std::max(maxCol, c.col);
        if (c.box.right() >= right) {
            EXPECT_EQ(c.col, maxCol);
        }
    }
    EXPECT_LT(maxCol, 5);
    for (const auto& c : printers.gridCells)
        if (c.col == maxCol) {
            EXPECT_GE(c.box.right(), right);
        }
}

// Guards the margins of the rich text: with 0.25 inch unprintable at the
// left, the report's text starts 1140 twips into the printable area, 1500
// from the paper's edge.
TEST_F(PrintFixture, RichTextMarginsFromThePaperEdge) {
    const QRectF r = RichTextDrawingRect(1500, 1000, 500, 1000);
    EXPECT_DOUBLE_EQ(r.left(), 1140);
    EXPECT_DOUBLE_EQ(r.top(), 640);
    const QRectF paper = ProgramPrinter::Instance().PaperTwips();
    EXPECT_NEAR(r.right(), paper.width() - 500 - 360, 0.5);
    EXPECT_NEAR(r.bottom(), paper.height() - 1000 - 360, 0.5);
}

// Guards the adapter: the header is fixed row 0 and the table's rows
// follow it.
TEST(TableWidgetGrid, HeaderIsRowZero) {
    std::unique_ptr<QTableWidget> t(EtaTable(4, 3));
    TableWidgetGrid g(*t);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.Text(0, 1), "ETA (UTC)");
    EXPECT_EQ(g.Text(1, 0), " 0 kn & row 0 ");
    EXPECT_NEAR(g.ColWidth(0), 140 * 15.0, 140 * 15.0 * 0.5);
    TableWidgetGrid plain(*t, false, 1);
    EXPECT_EQ(plain.Rows(), 4);
    EXPECT_EQ(plain.FixedRows(), 1);
    EXPECT_EQ(plain.Text(0, 0), " 0 kn & row 0 ");
}

// Guards a printer that fails at any step of a job, as Qt reports it or as
// the print system refuses the finished job: the report and the table say
// so and nothing counts as printed; also a job whose file cannot be made.
TEST_F(PrintFixture, RefusedJobsAreReported) {
    QTextEdit box;
    box.setHtml(LongText(120));
    std::unique_ptr<QTableWidget> t(EtaTable(150, 3));
    TableWidgetGrid grid(*t);
    const std::vector<std::function<void()>> prints = {
        [&] { PrintRichText(box, 1500, 1000, 500, 1000); }, [&] { PrintGrid(grid, 0.77, 0.7); }};
    auto refused = [&](const std::function<void()>& print) {
        script.Clear();
        script.answers = {kAnswerCancel};
        return !RunPrintSteps({print}, "x") && script.messages.size() == 1 &&
               script.messages[0].title == "PRINTER NOT READY" &&
               !ProgramPrinter::Instance().JobOpen();
    };
    for (const QString call : {"Begin", "NewPage", "End", "Spool"}) {
        printers.refuse = {call};
        for (const auto& print : prints) EXPECT_TRUE(refused(print)) << call.toStdString();
    }
    printers.refuse.clear();
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    printers.folder = dir.filePath("blocker/jobs");
    for (const auto& print : prints) EXPECT_TRUE(refused(print));
    EXPECT_TRUE(printers.jobs.isEmpty());
}

// Guards a failure inside a whole-document print: a retry starts the
// document afresh instead of adding its pages to the broken job.
TEST_F(PrintFixture, RetriedRichTextIsOneCleanJob) {
    QTextEdit box;
    box.setHtml(LongText(120));
    int fails = 1;
    printers.fault = [&](const QString& step) {
        if (step == "NewPage" && fails-- > 0) throw PrinterError(482, "Printer error");
    };
    script.answers = {kAnswerRetry};
    EXPECT_TRUE(RunPrintSteps({[&] { PrintRichText(box, 1500, 1000, 500, 1000); }}, "x"));
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(PdfPages(printers.jobs[0]), printers.jobPages[0]);
    EXPECT_GE(printers.jobPages[0], 2);
}

}  // namespace
}  // namespace orvex
