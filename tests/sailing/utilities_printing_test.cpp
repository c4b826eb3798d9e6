// The utilities page's print buttons: the great-circle report as pages of
// rich text, the ETA table as a ruled grid whose every cell prints whole.
#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QTemporaryDir>
#include <set>

#include "charts/print_lib.h"
#include "navlib/number_format.h"
#include "utilities_driver.h"

namespace orvex {
namespace {

using test::UtilitiesDriver;

// The print buttons: the great-circle report as rich-text pages, the ETA
// table as a ruled grid with its three headers; the printer's settings are
// put back; without a printer only "NO PRINTER".
TEST(UtilitiesPrinting, ReportAndTable) {
    UtilitiesDriver p("mnuUtilGC");
    p.TypeGreatCircle("50000n", "005000w", "40300n", "073500w");
    p.TypeFields("mskLong_4", {"050"});
    p.Click("cmdCompute_1");
    {
        PrinterScript none;
        p.script.Clear();
        p.Click("cmdAskPrint_0");
        ASSERT_EQ(p.script.messages.size(), 1u);
        EXPECT_EQ(p.script.messages[0].title, "NO PRINTER");
        EXPECT_TRUE(
            p.script.messages[0].text.startsWith("Sorry, no printer connected to your system."));
        EXPECT_EQ(p.script.messages[0].style, kIconCritical + kButtonsOk);
        EXPECT_TRUE(none.jobs.isEmpty());
    }
    p.script.Clear();
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    ProgramPrinter::Instance().SetOrientation(kOrientationLandscape);
    p.Click("cmdAskPrint_0");
    EXPECT_TRUE(p.script.messages.empty());
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_GE(printers.jobPages.at(0), 1);
    EXPECT_TRUE(printers.steps.contains("PrintRichText"));
    EXPECT_EQ(ProgramPrinter::Instance().Orientation(), kOrientationLandscape);
    QFile::copy(printers.jobs.at(0),
                test::TestOutputFolder() + "/utilities-great-circle-report.pdf");

    p.Click("cmdNextTabUtil_1");
    p.TypeAndTab("mskDTG", "0050000");
    p.TypeAndTab("mskInterv", "0200");
    p.Click("cmdCompute_2");
    ASSERT_EQ(p.EtaTable()->rowCount(), 8);
    p.Click("cmdAskPrint_1");
    ASSERT_EQ(printers.jobs.size(), 2);
    QStringList header;
    int cells = 0;
    for (const auto& c : printers.gridCells) {
        if (c.row == 0) header << c.text;
        ++cells;
    }
    EXPECT_EQ(cells, 9 * 3);
    ASSERT_EQ(header.size(), 3);
    EXPECT_TRUE(header[0].trimmed().startsWith("Speed"));
    EXPECT_TRUE(header[1].trimmed().startsWith("ETA in GMT"));
    EXPECT_TRUE(header[2].trimmed().startsWith("ETA in LT"));
    QFile::remove(test::TestOutputFolder() + "/utilities-eta-table.pdf");
    QFile::copy(printers.jobs.at(1), test::TestOutputFolder() + "/utilities-eta-table.pdf");
    // And they reach the paper.
    printers.recordPages = true;
    p.Click("cmdAskPrint_1");
    const QString paper = printers.ShownTexts(3).join(' ').simplified();
    for (const QString& h : header) EXPECT_TRUE(paper.contains(h.simplified())) << h.toStdString();
    EXPECT_EQ(ProgramPrinter::Instance().Orientation(), kOrientationLandscape);
    ProgramPrinter::Instance().SetOrientation(kOrientationPortrait);
}

// Guards the printed ETA table, whose columns took the screen's widths
// times 0.77: on paper a time wrapped onto a second line that was cut off
// ("31 Dec 2026" alone), a time lost its last digit and the heading read
// "ETA in LT (1.". For the default speeds and for a wide range of speeds
// over several pages, every cell's whole text is drawn on one line, inside
// its box and the page.
TEST(UtilitiesPrinting, EveryEtaCellPrintsWhole) {
    UtilitiesDriver p("mnuUtilETA");
    QTemporaryDir dir;
    PrinterScript printers;
    printers.printers = {"Bridge printer"};
    printers.folder = dir.path();
    printers.recordPages = true;
    p.Named<QDateTimeEdit>("dtpTime_2")
        ->setDateTime(QDateTime(QDate(2026, 12, 28), QTime(9, 0), Qt::UTC));
    p.TypeAndTab("mskDTG", "0480000");
    // Minimum, maximum and interval, typed.
    const std::vector<QStringList> ranges = {{"0100", "0240", "0050"}, {"0010", "9990", "0250"}};
    for (const QStringList& r : ranges) {
        SCOPED_TRACE(r.join(' ').toStdString());
        p.TypeFields("mskMinSpeed", r);
        p.Click("cmdCompute_2");
        printers.gridCells.clear();
        p.Click("cmdAskPrint_1");
        ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
        const int job = static_cast<int>(printers.jobs.size());
        const int rows = p.EtaTable()->rowCount();
        int dataCells = 0;
        for (const auto& cell : printers.gridCells) {
            dataCells += cell.row > 0;
            QStringList pieces;
            std::set<double> baselines;
            for (const PrintedText& t : printers.texts)
                if (t.job == job && t.page == cell.page && cell.box.contains(t.box.center())) {
                    EXPECT_TRUE(t.Shown()) << t.text.toStdString();
                    EXPECT_TRUE(cell.box.contains(t.box)) << t.text.toStdString();
                    pieces << t.text;
                    baselines.insert(std::round(t.baseline));
                }
            EXPECT_EQ(pieces.join(' ').simplified().toStdString(),
                      cell.text.simplified().toStdString())
                << "row " << cell.row << " column " << cell.col;
            EXPECT_EQ(baselines.size(), 1u) << cell.text.toStdString();
            EXPECT_TRUE(printers.texts.back().pageArea.contains(cell.box))
                << cell.text.toStdString();
        }
        EXPECT_EQ(dataCells, rows * 3);
    }
    EXPECT_GT(printers.jobPages.back(), 2);
}

}  // namespace
}  // namespace orvex
