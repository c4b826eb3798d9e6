// Whole dates and times typed as people write them into the companion
// windows' pickers (the wizard's date, its time of observation and its
// table's time, the azimuth tool's time), through a keyboard that presses
// Shift before ":", each picker entered by Tab, Shift+Tab and a click on
// each part: the instant typed is the one taken.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>

#include "companion_driver.h"
#include "tests/entry_checks.h"

namespace orvex {
namespace {

CompanionLinks LinksAt(double ut) {
    CompanionLinks l;
    l.Clock = test::ClockAt(ut);
    return l;
}

// The picker's line holds its widest text (the 28th of each month at
// 23:59:59).
void ExpectWidestTextShown(QDateTimeEdit* p) {
    auto* line = p->findChild<QLineEdit*>();
    int widest = 0;
    for (int m = 1; m <= 12; ++m) {
        const QDateTime d(QDate(2026, m, 28), QTime(23, 59, 59), Qt::UTC);
        widest = std::max(widest, line->fontMetrics().horizontalAdvance(
                                      p->locale().toString(d, p->displayFormat())));
    }
    EXPECT_GE(line->width(), widest + 4) << p->objectName().toStdString();
}

// Guards the wizard's three pickers: the date of step 1, the time typed
// where the morning twilight does not exist (60 N in June) and the time of
// the star table.
TEST(CompanionTypedDates, WizardPickers) {
    PlatformScript script;
    FrmStarFixWizard w(LinksAt(MakeDateTime(2026, 6, 9, 12, 0, 0)));
    w.resize(640, 520);
    w.SetTag("FromMain");
    test::Activate(&w);
    auto* lat = test::OwnNamed<MaskedField>(&w, "mskLat");
    lat->SetMaskedText("60°00'.0 N");
    auto* date = test::OwnNamed<QDateTimeEdit>(&w, "dtpTime");
    test::CheckPickerEntries(
        date, [&] { return FromDateValue(w.Inputs().date); }, script);
    ExpectWidestTextShown(date);
    EXPECT_EQ(lat->MaskedText(), "60°00'.0 N");
    ASSERT_TRUE(test::Enter(date, test::Way::Tab));
    test::Type("9 Jun 2026\t");
    ASSERT_TRUE(lat->Commit());
    ASSERT_TRUE(test::EnterText(&w, "mskLong", "005°00'.0 E"));
    ASSERT_TRUE(test::EnterText(&w, "mskHeightM", "12.0"));

    test::ClickOn(&w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(&w), 2);
    script.Clear();  // no twilight
    auto* obsTime = test::OwnNamed<QDateTimeEdit>(&w, "dtpObsTime");
    test::CheckPickerEntries(
        obsTime, [&] { return obsTime->dateTime(); }, script);
    ExpectWidestTextShown(obsTime);
    EXPECT_TRUE(test::OwnNamed<QRadioButton>(&w, "optTime_0")->isChecked());
    test::ClickOn(&w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(&w), 3);
    test::ClickOn(&w, "cmdNav_3");
    ASSERT_EQ(test::WizardStep(&w), 4);
    auto* tableTime = test::OwnNamed<QDateTimeEdit>(&w, "dtpRealTime");
    test::CheckPickerEntries(
        tableTime, [&] { return FromDateValue(test::TableTime(&w)); }, script);
    ExpectWidestTextShown(tableTime);
    EXPECT_EQ(test::Shown(&w, "bthStartTimer"), "Start real time display");
}

// Guards the azimuth tool's time of observation.
TEST(CompanionTypedDates, AzimuthTool) {
    PlatformScript script;
    FrmAzimuth t(LinksAt(MakeDateTime(2026, 3, 20, 14, 0, 0)));
    test::Activate(&t);
    ASSERT_TRUE(test::EnterText(&t, "mskLat", "45°30'.0 N"));
    const QString body = test::OwnNamed<QComboBox>(&t, "cboBody")->currentText();
    auto* time = test::OwnNamed<QDateTimeEdit>(&t, "dtpTime");
    test::CheckPickerEntries(
        time, [&] { return FromDateValue(t.Inputs().obsTime); }, script);
    ExpectWidestTextShown(time);
    EXPECT_EQ(test::Shown(&t, "mskLat"), "45°30'.0 N");
    EXPECT_EQ(test::OwnNamed<QComboBox>(&t, "cboBody")->currentText(), body);
}

}  // namespace
}  // namespace orvex
