// The new-fix reset and the erase buttons of the estimated position: every
// star-fix input back to its starting value, whatever was typed before,
// with "." and "," as the decimal separator.
#include <gtest/gtest.h>

#include <QAction>
#include <QDateTimeEdit>
#include <QPushButton>

#include "input_fields_support.h"
#include "navlib/unit_conversions.h"
#include "workbench/observation_grid.h"

namespace orvex {
namespace {

class NewFixReset : public ::testing::TestWithParam<std::string> {
  protected:
    test::InputWindow in{GetParam()};
    FrmWorking& w = *in.w;
    WorkbenchState& s = w.State();

    // Types a valid value into every input of the first two tabs, so that
    // the reset has something to undo everywhere.
    void FillEverything() {
        in.Type(test::InputNamed(w, "mskLat_5"), "45300n");
        in.Type(test::InputNamed(w, "mskLong_5"), "0053005w");
        in.Type(test::InputNamed(w, "mskCourse_0"), "1234");
        in.Type(in.Field("mskSpeed"), "0125");
        in.Leave(test::InputNamed(w, "mskLat_5"));
        test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")
            ->setDateTime(QDateTime(QDate(2025, 3, 1), QTime(10, 0), Qt::UTC));
        for (const char* picker : {"dtpTime_0", "dtpTime_1"}) {  // entered and left
            test::InputNamed<QDateTimeEdit>(w, picker)->setFocus(Qt::TabFocusReason);
            in.Leave(test::InputNamed(w, "mskLat_5"));
        }
        in.InputTab(1);
        in.Type(in.Field("mskHeightM"), "125");
        in.Type(test::InputNamed(w, "mskInstErr_0"), "0015");
        in.Type(in.Field("mskPress_mBars"), "0990");
        in.Type(test::InputNamed(w, "mskTempCelcius_0"), "_-5");
        in.Type(test::InputNamed(w, "mskTempCelcius_1"), "030");
        in.Leave(in.Field("mskHeightM"));
        s.LopLength = 3.0;
        s.ChartScale = -0.3;
        s.Sights.CommitBody(1, "VEGA");
        w.Status()->SetSimple(false);
        for (const char* n :
             {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
            w.Action(n)->setEnabled(true);
        ASSERT_TRUE(in.script.messages.empty()) << in.script.LastText().toStdString();
    }
};

INSTANTIATE_TEST_SUITE_P(Separators, NewFixReset, ::testing::Values(".", ","));

// Guards every step of the reset: times shown at the whole UT hour (and
// not taken), flags down, each field's blank template with the user's
// separator and the window colour, standard pressure and temperatures,
// chart settings, the grid emptied, the status bar simple, the menus off.
TEST_P(NewFixReset, EveryInputBackToItsStartingValue) {
    FillEverything();
    const double instErr = s.InstErr;
    const double timeEst = s.TimeEstPos;
    ASSERT_NE(s.InstErr, 0.0);
    w.Action("mnuAstroErase")->trigger();

    EXPECT_EQ(test::TabSet(w, "tabIn")->currentIndex(), 0);
    for (int i = 1; i <= 8; ++i) EXPECT_FALSE(s.FixEntered[i]) << i;
    const QDateTime hour(QDate(2026, 12, 9), QTime(14, 0, 0), Qt::UTC);
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->dateTime(), hour);
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_1")->dateTime(), hour);
    EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpObsTime")->dateTime(), hour);
    EXPECT_EQ(s.TimeEstPos, timeEst);  // taken only when the picker is left

    const QString sep = QString::fromStdString(in.sep);
    const std::pair<MaskedField*, QString> blanks[] = {
        {test::InputNamed(w, "mskLat_5"), "__°__'" + sep + "_ _"},
        {test::InputNamed(w, "mskLong_5"), "___°__'" + sep + "_ _"},
        {test::InputNamed(w, "mskCourse_0"), "___°" + sep + "_"},
        {in.Field("mskSpeed"), "___" + sep + "_"},
        {in.Field("mskHeightF"), "___" + sep + "_"},
        {in.Field("mskHeightM"), "__" + sep + "_"},
        {test::InputNamed(w, "mskInstErr_0"), "___" + sep + "__"},
        {test::InputNamed(w, "mskInstErr_1"), "___" + sep + "__"},
        {in.Field("mskPress_mBars"), "1013"},
        {in.Field("mskPressHg"), "29" + sep + "91"},
        {test::InputNamed(w, "mskTempCelcius_0"), "_20"},
        {test::InputNamed(w, "mskTempCelcius_1"), "_20"},
        {test::InputNamed(w, "mskTempFahr_0"), "_68"},
        {test::InputNamed(w, "mskTempFahr_1"), "_68"},
    };
    for (const auto& [field, text] : blanks) {
        EXPECT_EQ(field->MaskedText(), text) << field->objectName().toStdString();
        EXPECT_EQ(field->BackColor(), MaskedField::WindowColor())
            << field->objectName().toStdString();
    }
    EXPECT_EQ(s.Lat(6), 0.0);
    EXPECT_EQ(s.Long(6), 0.0);
    EXPECT_EQ(s.Course, 0.0);
    EXPECT_EQ(s.Speed, 0.0);
    EXPECT_EQ(s.HeightEye, 0.0);
    EXPECT_EQ(s.InstErr, instErr);  // the stored correction stays
    EXPECT_EQ(s.PressMBars, 1013.0);
    EXPECT_NEAR(s.PressHg, 29.91389, 1e-9);
    EXPECT_EQ(s.TempAirC, 20.0);
    EXPECT_EQ(s.TempWaterC, 20.0);
    EXPECT_EQ(s.TempAirF, 68.0);
    EXPECT_EQ(s.TempWaterF, 68.0);
    EXPECT_EQ(s.LopLength, 5.0);
    EXPECT_EQ(s.ChartScale, 0.1);
    EXPECT_TRUE(test::InputNamed<ObservationGrid>(w, "grdObs")->TextMatrix(1, 1).isEmpty());
    EXPECT_FALSE(s.Sights.Filled(1, 1));
    EXPECT_TRUE(w.Status()->Simple());
    for (const char* n :
         {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
        EXPECT_FALSE(w.Action(n)->isEnabled()) << n;
    EXPECT_TRUE(in.script.messages.empty());

    // The standard values need not be touched: leaving them commits them
    // unchanged and quietly.
    in.InputTab(1);
    in.Put(in.Field("mskPressHg"), in.Field("mskPressHg")->MaskedText());
    in.Leave(test::InputNamed(w, "mskTempCelcius_0"));
    in.Leave(test::InputNamed(w, "mskTempFahr_1"));
    in.Leave(in.Field("mskPress_mBars"));
    EXPECT_TRUE(in.script.messages.empty());
    EXPECT_EQ(s.PressHg, 29.91);
    EXPECT_EQ(s.TempAirC, 20.0);
}

// Guards the starting hour: the UT hour cut down, also just after UT
// midnight (the new date) and at an exact hour (not the hour before).
TEST_P(NewFixReset, StartingTimeIsTheWholeUtHour) {
    const struct {
        double now;
        QDateTime shown;
    } cases[] = {
        {MakeDateTime(2026, 12, 9, 0, 0, 30), QDateTime(QDate(2026, 12, 9), QTime(0, 0), Qt::UTC)},
        {MakeDateTime(2026, 12, 31, 23, 59, 59),
         QDateTime(QDate(2026, 12, 31), QTime(23, 0), Qt::UTC)},
        {MakeDateTime(2027, 1, 1, 7, 0, 0), QDateTime(QDate(2027, 1, 1), QTime(7, 0), Qt::UTC)},
    };
    for (const auto& c : cases) {
        w.clockUtcNow = [&] { return c.now; };
        w.Action("mnuAstroErase")->setEnabled(true);  // as it stands after a fix
        w.Action("mnuAstroErase")->trigger();
        EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->dateTime(), c.shown);
        EXPECT_EQ(test::InputNamed<QDateTimeEdit>(w, "dtpTime_1")->dateTime(), c.shown);
    }
}

// Guards the erase buttons: the blank template, the window colour, the
// flag down and the focus in the field, while the slot keeps its value;
// the star fix is then refused as missing data.
TEST_P(NewFixReset, EraseButtonsOfTheEstimatedPosition) {
    FillEverything();
    in.InputTab(0);
    const double lat = s.Lat(6), lon = s.Long(6);
    const QString sep = QString::fromStdString(in.sep);
    in.Leave(test::InputNamed(w, "mskCourse_0"));
    test::ClickButton(test::Named<QPushButton>(&w, "cmdEraseLat"));
    EXPECT_EQ(test::InputNamed(w, "mskLat_5")->MaskedText(), "__°__'" + sep + "_ _");
    EXPECT_EQ(test::InputNamed(w, "mskLat_5")->BackColor(), MaskedField::WindowColor());
    EXPECT_FALSE(s.FixEntered[2]);
    EXPECT_TRUE(s.FixEntered[3]);
    EXPECT_TRUE(test::InputNamed(w, "mskLat_5")->hasFocus());
    EXPECT_EQ(s.Lat(6), lat);

    test::ClickButton(test::Named<QPushButton>(&w, "cmdEraseLong"));
    EXPECT_EQ(test::InputNamed(w, "mskLong_5")->MaskedText(), "___°__'" + sep + "_ _");
    EXPECT_FALSE(s.FixEntered[3]);
    EXPECT_TRUE(test::InputNamed(w, "mskLong_5")->hasFocus());
    EXPECT_EQ(s.Long(6), lon);
    EXPECT_TRUE(in.script.messages.empty());  // leaving the emptied latitude says nothing

    EXPECT_FALSE(test::RunFix(w));
    ASSERT_EQ(in.script.messages.size(), 1u);
    EXPECT_EQ(in.script.messages[0].title, QString("Missing data"));
}

// Guards the erase button beside a refused latitude: it still works (it
// takes no focus, so the refused field does not swallow the click).
TEST_P(NewFixReset, EraseClearsARefusedLatitude) {
    in.Type(test::InputNamed(w, "mskLat_5"), "90001n");
    in.Leave(test::InputNamed(w, "mskLong_5"));
    ASSERT_EQ(in.script.messages.size(), 1u);
    ASSERT_TRUE(test::InputNamed(w, "mskLat_5")->hasFocus());
    test::ClickButton(test::Named<QPushButton>(&w, "cmdEraseLat"));
    EXPECT_EQ(test::InputNamed(w, "mskLat_5")->TypedText(), "");
    in.Leave(test::InputNamed(w, "mskLong_5"));
    EXPECT_TRUE(test::InputNamed(w, "mskLong_5")->hasFocus());
    EXPECT_EQ(in.script.messages.size(), 1u);
}

// Guards the menu and toolbar paths to the reset: "Erase datas" resets the
// inputs that the first opening of the page had reset too.
TEST_P(NewFixReset, EraseDatasMenuRunsTheReset) {
    FillEverything();
    w.Action("mnuAstroErase")->setEnabled(true);
    w.Action("mnuAstroErase")->trigger();
    EXPECT_EQ(test::InputNamed(w, "mskLat_5")->TypedText(), "");
    EXPECT_EQ(s.HeightEye, 0.0);
    EXPECT_EQ(s.PressMBars, 1013.0);
    EXPECT_TRUE(test::InputNamed<ObservationGrid>(w, "grdObs")->TextMatrix(1, 1).isEmpty());
}

}  // namespace
}  // namespace orvex
