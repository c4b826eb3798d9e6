// Print Setup: the printer or PDF file chosen there is the current printer
// for the following prints, also on a computer without any system printer.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "charts/frm_select_print.h"
#include "charts/print_lib.h"
#include "charts/print_setup_dialog.h"
#include "platform/message_box.h"
#include "sailing/utilities_page.h"
#include "tests/keyboard.h"
#include "workbench/results_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

struct PrintSetup : ::testing::Test {
    PlatformScript script;
    test::ProgramFolder folder;
    test::FakeSettings settings;
    QTemporaryDir dir;
    PrinterScript printers;
    std::unique_ptr<FrmWorking> w = test::StartedWindow(settings);
    QString pdf = dir.filePath("fix.pdf");
    QString shown;  // the printer choice's selection when it opened
    // Print Setup as a user answers it; by default: the list's last entry
    // (the PDF file), the file's name typed over the one offered, OK.
    std::function<void(QDialog&)> onSetup = [this](QDialog& setup) {
        auto* list = setup.findChild<QComboBox*>("cboPrinters");
        auto* file = setup.findChild<QLineEdit*>("txtPdfFile");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(file, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(file, pdf);
        QTest::mouseClick(setup.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    };
    PrintSetup() {
        printers.folder = dir.filePath("jobs");
        script.dialogHandler = [this](QDialog& dlg) {
            if (dlg.objectName() == "dlgCommonDialog") {
                dlg.show();
                onSetup(dlg);
                dlg.hide();
                return dlg.result();
            }
            if (auto* choice = qobject_cast<FrmSelectPrint*>(&dlg)) {
                shown = choice->cboListPrinters->currentText();
                QTest::mouseClick(choice->cmdOK, Qt::LeftButton);
            }
            return static_cast<int>(QDialog::Accepted);
        };
    }
};

// Guards printing without a system printer: the "NO PRINTER" box points to
// Print Setup; the PDF file chosen there is offered in the printer choice
// and the report goes into it.
TEST_F(PrintSetup, PdfFileWithoutAnyPrinter) {
    w->rtfNumDisp->setHtml("<p>Most probable position 45°12'.3 N</p>");
    w->Results()->mnuAstroNumPrint_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, "NO PRINTER");
    EXPECT_TRUE(script.messages[0].text.startsWith("Sorry, no printer connected to your system."));
    EXPECT_TRUE(script.messages[0].text.contains("PDF file"))
        << script.messages[0].text.toStdString();

    script.Clear();
    w->Action("mnuFilePageSetup")->trigger();
    w->Results()->mnuAstroNumPrint_Click();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(shown, "PDF file: " + pdf);
    EXPECT_EQ(printers.jobs, QStringList{pdf});
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("%PDF"));
}

// Guards the choice beside system printers: the file is listed after them
// and stays current for the chart and the table too.
TEST_F(PrintSetup, PdfFileBesideSystemPrinters) {
    printers.printers = {"Office laser", "Bridge printer"};
    w->mnuFilePageSetup_Click();
    EXPECT_EQ(ProgramPrinter::Instance().InstalledPrinters(),
              (QStringList{"Office laser", "Bridge printer", "PDF file: " + pdf}));
    EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "PDF file: " + pdf);
    w->rtfNumDisp->setHtml("<p>Report</p>");
    w->Results()->mnuAstroNumPrint_Click();
    EXPECT_EQ(shown, "PDF file: " + pdf);
    EXPECT_EQ(printers.jobPrinters, QStringList{"PDF file: " + pdf});
}

// Guards repeated prints into the PDF file: each keeps a file of its own,
// and a print that fails replaces or removes none of them.
TEST_F(PrintSetup, EachPrintKeepsItsOwnPdfFile) {
    w->mnuFilePageSetup_Click();
    const auto bytes = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QString second = dir.filePath("fix-2.pdf");
    w->rtfNumDisp->setHtml("<p>First fix</p>");
    w->Results()->mnuAstroNumPrint_Click();
    const QByteArray first = bytes(pdf);
    w->rtfNumDisp->setHtml("<p>Second fix</p>");
    w->Results()->mnuAstroNumPrint_Click();
    EXPECT_EQ(printers.jobs, (QStringList{pdf, second}));
    EXPECT_EQ(bytes(pdf), first);
    EXPECT_TRUE(bytes(second).startsWith("%PDF"));
    EXPECT_TRUE(bytes(second).trimmed().endsWith("%%EOF"));

    const QByteArray secondBytes = bytes(second);
    printers.refuse = {"End"};
    script.answers = {kAnswerCancel};
    w->Results()->mnuAstroNumPrint_Click();
    ASSERT_EQ(script.Titles(), std::vector<QString>{"PRINTER NOT READY"});
    EXPECT_EQ(bytes(pdf), first);
    EXPECT_EQ(bytes(second), secondBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"fix-2.pdf", "fix.pdf"}));
}

// Guards Print Setup beside system printers: reopened, it showed the first
// printer instead of the PDF file chosen, and its OK then switched to that
// printer; the printer choice named fix.pdf while the print wrote
// fix-2.pdf; the great-circle report and the ETA table printed into the
// file said nothing of where they went.
TEST_F(PrintSetup, ShowsTheCurrentChoiceAndWhereEachPdfWent) {
    printers.printers = {"Office laser", "Bridge printer"};
    w->Action("mnuFilePageSetup")->trigger();
    QString list, file;
    onSetup = [&](QDialog& setup) {
        list = setup.findChild<QComboBox*>("cboPrinters")->currentText();
        file = setup.findChild<QLineEdit*>("txtPdfFile")->text();
        QTest::mouseClick(setup.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    };
    w->Action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(list, "Print to File (PDF)");
    EXPECT_EQ(file, QDir::toNativeSeparators(pdf));
    EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "PDF file: " + pdf);

    // The printer choice names the file each report print writes.
    const QString second = dir.filePath("fix-2.pdf");
    for (const QString& next : {pdf, second}) {
        w->rtfNumDisp->setHtml("<p>Report</p>");
        w->Results()->mnuAstroNumPrint_Click();
        EXPECT_EQ(shown, "PDF file: " + next);
        EXPECT_EQ(printers.jobs.back(), next);
    }
    EXPECT_TRUE(script.messages.empty());

    // The utilities' prints say where the file went (the great-circle
    // report prints once a great circle was computed).
    QFile calcWP(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf");
    ASSERT_TRUE(calcWP.open(QIODevice::ReadOnly));
    folder.Write("CalcWP.rtf", calcWP.readAll().toStdString());
    w->mnuUtil_Click(1);
    WorkbenchState& st = w->State();
    st.Lat(3) = 40.0, st.Long(3) = -10.0, st.Lat(4) = 35.0, st.Long(4) = -70.0;
    for (int i : {4, 5, 6, 7}) st.Utilities.UtilEntered[static_cast<size_t>(i)] = true;
    QTest::mouseClick(test::UtilitiesControl(*w, "cmdCompute_1"), Qt::LeftButton);
    QTest::mouseClick(test::UtilitiesControl(*w, "cmdAskPrint_0"), Qt::LeftButton);
    w->mnuUtil_Click(2);
    QTest::mouseClick(test::UtilitiesControl(*w, "cmdAskPrint_1"), Qt::LeftButton);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].title, " Print to file");
    EXPECT_EQ(script.messages[0].text, "The great-circle report was printed into the file\r\n" +
                                           QDir::toNativeSeparators(dir.filePath("fix-3.pdf")));
    EXPECT_EQ(script.messages[1].text, "The ETA table was printed into the file\r\n" +
                                           QDir::toNativeSeparators(dir.filePath("fix-4.pdf")));
    EXPECT_EQ(script.messages[1].style, kIconInformation + kButtonsOk);

    // A printer chosen again is shown when Print Setup reopens.
    onSetup = [&](QDialog& setup) {
        auto* printersList = setup.findChild<QComboBox*>("cboPrinters");
        printersList->setFocus();
        QTest::keyClick(printersList, Qt::Key_Home);
        QTest::mouseClick(setup.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    };
    w->Action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "Office laser");
    onSetup = [&](QDialog& setup) {
        list = setup.findChild<QComboBox*>("cboPrinters")->currentText();
    };
    w->Action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(list, "Office laser (system default)");
    EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "Office laser");
}

// Guards a PDF file in a folder that does not exist, which Print Setup
// took: every print then said "PRINTER NOT READY" for ever, naming
// nothing. OK refuses a folder that is missing or takes no new file,
// naming it, and says where a name without its folder goes; a folder gone
// since is named by the print.
TEST_F(PrintSetup, RefusesAFolderThatCannotTakeTheFile) {
    struct Home {
        QByteArray was = qgetenv("HOME");
        ~Home() { qputenv("HOME", was); }
    } home;
    qputenv("HOME", QFile::encodeName(dir.path()));
    const QString missing = dir.filePath("Charts 2026");
    std::vector<QString> answers = {missing + "/fix.pdf", "/proc/fix.pdf", "fix.pdf"};
    onSetup = [&](QDialog& setup) {
        QApplication::setActiveWindow(&setup);
        test::Named<QComboBox>(&setup, "cboPrinters")->setFocus();
        test::Press(Qt::Key_End);
        for (const QString& name : answers) {
            test::Click(test::Named<QLineEdit>(&setup, "txtPdfFile"), test::Place::Middle);
            test::Press(Qt::Key_A, Qt::ControlModifier);
            test::Type(name);
            test::ClickButton(test::Named<QPushButton>(&setup, "cmdOK"));
        }
    };
    w->Action("mnuFilePageSetup")->trigger();
    ASSERT_EQ(script.messages.size(), 3u);
    EXPECT_EQ(script.messages[0].text,
              "The folder " + QDir::toNativeSeparators(missing) +
                  " does not exist.\r\nPlease choose a different file name.");
    EXPECT_EQ(script.messages[1].text,
              "The folder /proc cannot be written to.\r\nPlease choose a different file name.");
    EXPECT_EQ(script.messages[2].text,
              "A file name without its folder is taken in your home folder:\r\n" +
                  QDir::toNativeSeparators(pdf));
    EXPECT_EQ(ProgramPrinter::Instance().PdfFile(), pdf);

    // The folder made, chosen, then gone before the print.
    QDir().mkpath(missing);
    answers = {missing + "/fix.pdf"};
    w->Action("mnuFilePageSetup")->trigger();
    QDir(missing).removeRecursively();
    script.Clear();
    script.answers = {kAnswerCancel};
    w->rtfNumDisp->setHtml("<p>Report</p>");
    w->Results()->mnuAstroNumPrint_Click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " ERROR REPORT");
    EXPECT_TRUE(
        script.messages[0].text.contains(QDir::toNativeSeparators(missing) + " does not exist"));
}

// Guards the access keys of Print Setup: the file row showed "&File:" (a
// row given a layout has no buddy) and Alt+F did nothing. Alt+F chooses
// the PDF file and puts the keys in its name.
TEST_F(PrintSetup, EveryRowTakesItsAccessKey) {
    printers.printers = {"Office laser"};
    onSetup = [this](QDialog& setup) {
        QApplication::setActiveWindow(&setup);
        for (QLabel* label : setup.findChildren<QLabel*>()) {
            if (label->text().contains('&')) {
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
        }
        auto* list = test::Named<QComboBox>(&setup, "cboPrinters");
        ASSERT_EQ(list->currentText(), "Office laser (system default)");
        test::AltLetter('a');
        EXPECT_EQ(QApplication::focusWidget(), test::Named(&setup, "cboPaper"));
        test::AltLetter('f');
        EXPECT_EQ(list->currentText(), PrintSetupDialog::PdfEntryText());
        ASSERT_EQ(QApplication::focusWidget(), test::Named(&setup, "txtPdfFile"));
        test::Press(Qt::Key_A, Qt::ControlModifier);
        test::Type(pdf);
        test::ClickButton(test::Named(&setup, "cmdOK"));
    };
    w->Action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(ProgramPrinter::Instance().DeviceName(), "PDF file: " + pdf);
}

}  // namespace
}  // namespace orvex
