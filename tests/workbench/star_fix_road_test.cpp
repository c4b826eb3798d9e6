// The star-fix road walked as a navigator walks it, through the toolbar
// buttons and the keys: a sample file loaded, the numeric report, the
// chart, printing, saving, a new fix and the file loaded back; and the
// seams between the pages (an editor open when a results button is
// pressed, a refused field, what a new fix leaves behind).
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <map>

#include "charts/frm_select_print.h"
#include "charts/print_lib.h"
#include "grid_test_support.h"
#include "navlib/date_time.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "platform/masked_field.h"
#include "tests/keyboard.h"
#include "workbench/frm_proba.h"
#include "workbench/observation_grid.h"
#include "workbench/results_page.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

QString SampleDir() {
    return QString(ORVEX_SOURCE_DIR) + "/data/files/Observations";
}

std::string ProgramFile(const char* name) {
    QFile f(QString(ORVEX_PROGRAM_DIR) + "/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

struct Road : ::testing::Test, test::ResultsWindow {
    QTemporaryDir temp;
    Road() { folder.Write("Observations/.keep", ""); }
    QString Mpp() const { return w->Status()->Panel("MPP")->text(); }
    std::string Report() const { return test::ReportBox(*w)->Text().toStdString(); }
};

// Guards the whole road through the toolbar: the report and the status line
// agree with the fix; the chart and its commands; both print jobs; the fix
// saved, a new fix that leaves nothing behind, and the same fix from the
// saved file.
TEST_F(Road, SampleFileThroughEveryPage) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    Click("bthNumRes");
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const WorkbenchState& s = w->State();
    const double lat = s.Fix.MppLat, lon = s.Fix.MppLong;
    ASSERT_TRUE(std::isfinite(lat) && std::isfinite(lon));
    const QString mpp = Mpp();
    EXPECT_EQ(mpp.toStdString(),
              FormatLatitude(lat, test::ShownSep()) + " " + FormatLongitude(lon, test::ShownSep()));
    EXPECT_NE(Report().find(FormatLatitude(lat, test::ShownSep())), std::string::npos);
    EXPECT_EQ(Report().find("nan"), std::string::npos);

    Click("bthGraphRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_EQ(Mpp(), mpp);
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/road-chart0.png"));
    for (const char* c : {"bthChartIncr", "bthChartDecr", "bthLopIncr", "bthLopDecr", "bthGrid1"})
        Click(c);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/road-chart.png"));

    {
        PrinterScript printers;
        printers.printers = {"Office"};
        // Kept beside the screenshots for people to look at.
        printers.folder = test::TestOutputFolder() + "/road-print";
        QDir(printers.folder).removeRecursively();
        QDir().mkpath(printers.folder);
        script.dialogHandler = [](QDialog& dlg) {
            if (auto* choice = qobject_cast<FrmSelectPrint*>(&dlg)) test::ClickIn(*choice, "cmdOK");
            return 1;
        };
        test::RunAction(*w, "bthPrint2");
        test::RunAction(*w, "bthPrint1");
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        EXPECT_TRUE(QFile::exists(printers.folder + "/job1.pdf"));
        EXPECT_TRUE(QFile::exists(printers.folder + "/job2.pdf"));
    }
    script.Clear();

    const QString saved = temp.filePath("road.obs");
    script.fileNames = {saved};
    w->Action("mnuAstroSave")->trigger();
    ASSERT_TRUE(QFile::exists(saved)) << script.LastText().toStdString();

    script.answers = {kAnswerYes, kAnswerYes, kAnswerYes};
    w->Action("mnuAstroErase")->trigger();
    script.Clear();
    EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 1), "");
    EXPECT_FALSE(w->Status()->Panel("MPP")->isVisible());
    EXPECT_FALSE(w->Action("mnuAstroNumDisp")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroGraphDisp")->isEnabled());

    ASSERT_TRUE(Load(saved));
    Click("bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_DOUBLE_EQ(s.Fix.MppLat, lat);
    EXPECT_DOUBLE_EQ(s.Fix.MppLong, lon);
    EXPECT_EQ(Mpp(), mpp);
}

// Guards every sample file beside the program giving a finite fix shown the
// same on the status line and in the report, and a chart ruled and labelled
// on every whole minute (its picture left for people to look at).
TEST_F(Road, EverySampleFile) {
    for (const char* f : {"08Dec26A.obs", "09Dec26A.obs", "10Dec26A.obs"}) {
        SCOPED_TRACE(f);
        Click("bthMain");
        ASSERT_TRUE(Load(SampleDir() + "/" + f));
        Click("bthNumRes");
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        const WorkbenchState& s = w->State();
        EXPECT_EQ(Mpp().toStdString(), FormatLatitude(s.Fix.MppLat, test::ShownSep()) + " " +
                                           FormatLongitude(s.Fix.MppLong, test::ShownSep()));
        EXPECT_EQ(Report().find("nan"), std::string::npos);
        Click("bthGraphRes");
        EXPECT_TRUE(test::ChartBox(*w)->grab().save(test::TestOutputFolder() + "/sample-chart-" +
                                                    QString(f).chopped(4) + ".png"));
        EXPECT_DOUBLE_EQ(s.Chart.GraphLatStep, 1.0 / 60.0);
        EXPECT_DOUBLE_EQ(s.Chart.GraphLongStep, 1.0 / 60.0);
    }
}

// The lines of a recorded job: its texts grouped by page and baseline, top
// to bottom.
std::vector<std::pair<int, QString>> PrintedLines(const PrinterScript& printers, int job) {
    std::map<std::pair<int, long>, std::map<double, QString>> lines;
    for (const PrintedText& t : printers.texts)
        if (t.job == job && t.Shown())
            lines[{t.page, std::lround(t.baseline)}][t.box.left()] += t.text;
    std::vector<std::pair<int, QString>> out;
    for (const auto& [at, pieces] : lines) {
        QString line;
        for (const auto& piece : pieces) line += piece.second;
        out.emplace_back(at.first, line.trimmed());
    }
    return out;
}

// Guards the prints of every sample fix: the report and the chart kept as
// PDF files beside the screenshots; on paper, every text of the chart whole
// on the page, and no heading of the report alone at the foot of a page.
TEST_F(Road, EverySampleFilePrints) {
    PrinterScript printers;
    printers.printers = {"Office"};
    printers.folder = temp.filePath("print");
    script.dialogHandler = [](QDialog& dlg) {
        if (auto* choice = qobject_cast<FrmSelectPrint*>(&dlg)) test::ClickIn(*choice, "cmdOK");
        return 1;
    };
    const QRegularExpression heading("^(\\d+\\) [A-Z]+ on |[A-Z][a-z ]+:$)");
    for (const char* f : {"08Dec26A", "09Dec26A", "10Dec26A"}) {
        SCOPED_TRACE(f);
        Click("bthMain");
        ASSERT_TRUE(Load(SampleDir() + "/" + f + ".obs"));
        for (bool record : {false, true}) {
            printers.recordPages = record;
            Click("bthNumRes");
            test::RunAction(*w, "bthPrint1");
            Click("bthGraphRes");
            test::RunAction(*w, "bthPrint2");
            ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
        }
        const int chart = static_cast<int>(printers.jobs.size()), report = chart - 1;  // recorded
        const QString out = test::TestOutputFolder() + "/sample-" + f;
        for (const char* kind : {"-report.pdf", "-chart.pdf"}) QFile::remove(out + kind);
        QFile::copy(printers.jobs.at(report - 3), out + "-report.pdf");
        QFile::copy(printers.jobs.at(chart - 3), out + "-chart.pdf");

        for (const PrintedText& t : printers.texts) {
            if (t.job == chart) {
                EXPECT_TRUE(t.Shown()) << t.text.toStdString();
            }
        }
        const auto lines = PrintedLines(printers, report);
        ASSERT_GT(lines.size(), 40u);
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i + 1].first != lines[i].first) {
                EXPECT_FALSE(heading.match(lines[i].second).hasMatch())
                    << "alone at the foot of page " << lines[i].first << ": "
                    << lines[i].second.toStdString();
            }
        }
    }
}

// Guards the commit order: an altitude typed into the grid's editor and not
// yet committed when "Numeric results" is clicked goes into the fix.
TEST_F(Road, OpenEditorCommitsBeforeTheFix) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    Click("bthNumRes");
    const double lat = w->State().Fix.MppLat;
    Click("bthBackStarFix1");
    Click("bthCorr");
    test::TabSet(*w, "tabIn")->setCurrentIndex(2);
    test::InputNamed<ObservationGrid>(*w, "grdObs")->setFocus();
    test::InputNamed<ObservationGrid>(*w, "grdObs")->SetCurrentCell(1, 2);
    test::Type("4");
    ASSERT_TRUE(test::GridEditorNamed(*w, 2)->isVisible());
    test::Type(test::Shown("7°00'.0"));
    Click("bthNumRes");
    QApplication::processEvents();
    EXPECT_EQ(test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 2).left(2), "47")
        << test::InputNamed<ObservationGrid>(*w, "grdObs")->TextMatrix(1, 2).toStdString();
    EXPECT_NE(w->State().Fix.MppLat, lat);
}

// Guards a click on "Back to starfix menu" that comes while the report is
// being made: it is handled after the report, so the star-fix toolbar and
// the menus agree. The report once waited with the event loop running and
// let the click through, leaving the star-fix toolbar with the report's
// menus.
TEST_F(Road, BackClickedWhileTheReportIsMade) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    test::FastKeyboard fingers;
    fingers.Then([this] { Click("bthBackStarFix1"); });
    Click("bthNumRes");
    fingers.Drain();
    EXPECT_TRUE(test::Bar(*w, "tlhStarfix")->isVisible());
    EXPECT_FALSE(test::Bar(*w, "tlhNum")->isVisible());
    EXPECT_TRUE(test::ReportBox(*w)->isVisible());
    EXPECT_TRUE(w->Action("mnuAstroNumDisp")->isEnabled());
    EXPECT_FALSE(w->Action("mnuAstroNumPrint")->isEnabled());
}

// Guards a refused latitude followed by a results command: the field kept
// the focus, so the command checks it again and repeats its message; no fix
// of the old value, the input page stays.
TEST_F(Road, RefusedFieldThenResults) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    MaskedField* lat = test::InputNamed(*w, "mskLat_5");
    lat->setFocus(Qt::TabFocusReason);
    lat->SetMaskedText(QString());
    lat->setCursorPosition(0);
    test::Type("9900");
    test::InputNamed(*w, "mskLong_5")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.LastText(), "A latitude can only be N (North) or S (South).");
    script.Clear();
    Click("bthNumRes");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, " Error in input data");
    EXPECT_EQ(script.LastText(), "A latitude can only be N (North) or S (South).");
    EXPECT_EQ(w->Status()->Panel("MPP")->text(), "");
    EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_FALSE(test::ReportBox(*w)->isVisible());
}

// Guards the focus order of a toolbar button: a latitude typed and not yet
// left when "Numeric results" is clicked is checked and taken into the fix
// (the button takes no focus); a refused one stops with its own message and
// no fix of the old value.
TEST_F(Road, FieldBeingTypedIsTakenBeforeTheFix) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    MaskedField* lat = test::InputNamed(*w, "mskLat_5");
    lat->setFocus(Qt::TabFocusReason);
    lat->SetMaskedText(QString());
    lat->setCursorPosition(0);
    test::Type("38400N");
    script.Clear();
    Click("bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_DOUBLE_EQ(w->State().Lat(6), 38.0 + 40.0 / 60.0);
    EXPECT_NE(Report().find(test::Shown(std::string("Lat est. 38°40'.0 N"))), std::string::npos);

    Click("bthCorr");
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    lat->setFocus(Qt::TabFocusReason);
    lat->SetMaskedText(QString());
    lat->setCursorPosition(0);
    test::Type("9900");
    script.Clear();
    const QString mpp = Mpp();
    Click("bthGraphRes");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.LastText(), "A latitude can only be N (North) or S (South).");
    EXPECT_EQ(QApplication::focusWidget(), lat);
    EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_FALSE(test::ChartBox(*w)->isVisible());
}

// Guards the wanted time typed into its picker and not left when "Graphic
// results" is clicked: the fix is for the time the picker shows.
TEST_F(Road, PickerBeingTypedIsTakenBeforeTheChart) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    QDateTimeEdit* wanted = test::InputNamed<QDateTimeEdit>(*w, "dtpTime_1");
    wanted->setFocus(Qt::TabFocusReason);
    wanted->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(wanted, Qt::Key_Down);  // 19:40 -> 18:40
    ASSERT_EQ(wanted->dateTime().time().hour(), 18);
    script.Clear();
    Click("bthGraphRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_NEAR(w->State().TimeTruePos, MakeDateTime(2026, 12, 8, 18, 40, 0), 1e-9);
    EXPECT_EQ(w->Status()->Panel("TimeTruePos")->text(), test::Shown("8 Dec 2026 18:40:00"));
}

// Guards the road from the start screen with the keys: the star-fix page
// opened by its picture, every input typed and left with Tab, the sights
// typed through the grid's editors, and the same fix as the sample file
// that holds these very values. Typed with ":" after a Shift press, the
// sights' times once lost their minutes: the fix lay 180 nm off, under a
// warning that named KOCHAB at 19:00:37.
TEST(RoadByKeys, StartScreenToTheFix) {
    test::ProgramFolder folder;
    folder.Write("NumResults.rtf", ProgramFile("NumResults.rtf"));
    QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat", folder.Path() + "/Planet.dat");
    test::FakeSettings settings;
    PlatformScript script;
    test::FastPauses pauses;
    auto w = test::StartedWindow(settings);
    w->resize(1000, 720);
    w->show();
    QApplication::setActiveWindow(w.get());
    (void)QTest::qWaitForWindowActive(w.get());
    script.Clear();
    ASSERT_TRUE(test::Named<QWidget>(&*w, "picStarFix")->isVisible());
    QTest::mouseClick(test::Named<QWidget>(&*w, "picStarFix"), Qt::LeftButton);
    ASSERT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
    EXPECT_EQ(test::TabSet(*w, "tabIn")->currentIndex(), 0);

    // Each field is left by the click into the next one.
    auto type = [&](MaskedField* f, const QString& keys) {
        test::Click(f, test::Place::LeftEnd);
        test::Type(keys);
    };
    auto pick = [&](QDateTimeEdit* d, const QString& t) {
        test::Click(d, test::Place::Middle);
        test::Type(t);
    };
    pick(test::InputNamed<QDateTimeEdit>(*w, "dtpTime_0"), "8 Dec 2026 16:00:00");
    type(test::InputNamed(*w, "mskLat_5"), "38300N");
    type(test::InputNamed(*w, "mskLong_5"), "0312000W");
    pick(test::InputNamed<QDateTimeEdit>(*w, "dtpTime_1"), "8 Dec 2026 19:40:00");
    type(test::InputNamed(*w, "mskCourse_0"), "2350");
    type(w->MaskField("mskSpeed", -1), "11.5");
    QTest::mouseClick(test::InputNamed<QPushButton>(*w, "cmdNextTabIn_0"), Qt::LeftButton);
    EXPECT_EQ(test::TabSet(*w, "tabIn")->currentIndex(), 1);
    type(w->MaskField("mskHeightM", -1), "140");
    type(test::InputNamed(*w, "mskInstErr_0"), "-0120");
    type(test::InputNamed(*w, "mskTempCelcius_0"), " 17");
    type(test::InputNamed(*w, "mskTempCelcius_1"), " 18");
    type(w->MaskField("mskPress_mBars", -1), "1021");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    QTest::mouseClick(test::InputNamed<QPushButton>(*w, "cmdNextTabIn_1"), Qt::LeftButton);
    EXPECT_EQ(test::TabSet(*w, "tabIn")->currentIndex(), 2);

    struct Sight {
        QTime time;
        const char* body;
        const char* hs;
    };
    const Sight sights[] = {
        {QTime(19, 22, 0), "VEGA", "46238"},      {QTime(19, 24, 30), "ALTAIR", "44335"},
        {QTime(19, 27, 0), "FOMALHAUT", "22071"}, {QTime(19, 29, 30), "SATURN", "43374"},
        {QTime(19, 32, 0), "HAMAL", "42455"},     {QTime(19, 34, 30), "CAPELLA", "20320"},
        {QTime(19, 37, 0), "KOCHAB", "29508"}};
    ObservationGrid* g = test::InputNamed<ObservationGrid>(*w, "grdObs");
    for (const Sight& s : sights) {
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Space);  // the time editor
        ASSERT_TRUE(test::InputNamed<QDateTimeEdit>(*w, "dtpObsTime")->isVisible());
        test::Type("8 Dec 2026 " + s.time.toString("hh:mm:ss"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        test::Type(QString(QChar(s.body[0]).toLower()));  // the body list
        ASSERT_TRUE(test::InputNamed<QComboBox>(*w, "cboBody")->isVisible());
        test::InputNamed<QComboBox>(*w, "cboBody")
            ->setCurrentIndex(test::InputNamed<QComboBox>(*w, "cboBody")->findText(s.body));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        test::Type(QString(s.hs).left(1));  // the altitude field
        ASSERT_TRUE(test::InputNamed(*w, "mskHeightInst")->isVisible());
        test::Type(QString(s.hs).mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_EQ(g->TextMatrix(7, 1), "KOCHAB");
    EXPECT_EQ(g->TextMatrix(7, 3), test::Shown("-01.20"));
    for (QToolBar* bar : w->findChildren<QToolBar*>())
        if (QWidget* b = bar->widgetForAction(w->Action("bthNumRes")); b && b->isVisible())
            QTest::mouseClick(b, Qt::LeftButton);
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const FixResult typed = w->State().Fix;
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/road-by-keys-report.png"));

    // The sample file with the same values gives the same fix.
    script.fileNames = {SampleDir() + "/08Dec26A.obs"};
    w->Action("mnuAstroLoad")->trigger();
    test::RunAction(*w, "bthNumRes");
    ASSERT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_NEAR(w->State().Fix.MppLat, typed.MppLat, 1e-9);
    EXPECT_NEAR(w->State().Fix.MppLong, typed.MppLong, 1e-9);
}

// Guards "Save observations" from the menu while a field is being typed in:
// the file holds the value the field shows, not the one before it.
TEST_F(Road, SaveTakesTheFieldBeingTyped) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    Click("bthNumRes");
    Click("bthCorr");
    test::TabSet(*w, "tabIn")->setCurrentIndex(0);
    MaskedField* lat = test::InputNamed(*w, "mskLat_5");
    lat->setFocus(Qt::TabFocusReason);
    lat->SetMaskedText(QString());
    lat->setCursorPosition(0);
    test::Type("38400N");
    script.Clear();
    const QString saved = temp.filePath("typed.obs");
    script.fileNames = {saved};
    w->Action("mnuAstroSave")->trigger();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.LastText(), "File " + saved + " saved.");
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.section("\r\n", 1, 1), "38.666666666666664,-31.333333333333332");
}

// Guards the probability level and a second file: a new level from the
// report page recomputes the report and the status line (both show it); a
// second file loaded after a fix gives its own fix on the chart page, with
// nothing of the first left on the status line.
TEST_F(Road, ProbabilityThenAnotherFile) {
    ASSERT_TRUE(Load(SampleDir() + "/08Dec26A.obs"));
    Click("bthNumRes");
    const std::string before = Report();
    const QString r95 = w->Status()->Panel("Circle")->text();
    script.dialogHandler = [](QDialog& dlg) {
        if (auto* p = qobject_cast<FrmProba*>(&dlg)) {
            test::ClickRow(test::Named<QListWidget>(p, "lstProba"), 3);
            test::ClickIn(*p, "cmdOK");
        }
        return 1;
    };
    Click("bthEllipse1");
    script.dialogHandler = nullptr;
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const double proba = w->State().Proba;
    EXPECT_NE(proba, 0.95);
    const QString pct =
        QString::fromStdString(FormatNumber(proba * 100.0, "#0.0", test::ShownSep())) + " %";
    EXPECT_EQ(w->Status()->Panel("Proba")->text(), pct);
    EXPECT_NE(Report().find("ellipse of " + pct.toStdString()), std::string::npos) << Report();
    EXPECT_NE(w->Status()->Panel("Circle")->text(), r95);
    EXPECT_TRUE(test::ReportBox(*w)->isVisible());

    Click("bthBackStarFix1");
    ASSERT_TRUE(Load(SampleDir() + "/10Dec26A.obs"));
    EXPECT_FALSE(w->Status()->Panel("MPP")->isVisible());
    Click("bthGraphRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const WorkbenchState& s = w->State();
    EXPECT_EQ(Mpp().toStdString(), FormatLatitude(s.Fix.MppLat, test::ShownSep()) + " " +
                                       FormatLongitude(s.Fix.MppLong, test::ShownSep()));
    EXPECT_EQ(w->Status()->Panel("Proba")->text(), pct);
    EXPECT_TRUE(test::ChartBox(*w)->isVisible());
    EXPECT_TRUE(w->grab().save(test::TestOutputFolder() + "/road-second-file-chart.png"));
}

}  // namespace
}  // namespace orvex
