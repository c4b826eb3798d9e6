// Whole dates and times typed as people write them into the companion
// windows' pickers (the wizard's date, its time of observation and its
// table's time, the azimuth tool's time), through a keyboard that presses
// Shift before ":", each picker entered by Tab, Shift+Tab and a click on
// each part: the instant typed is the one taken.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/date_time.h"
#include "platform/pc_clock.h"
#include "tests/entry_checks.h"

namespace orvex {
namespace {

CompanionLinks LinksAt(double ut) {
    auto clock = std::make_shared<ManualSystemClock>();
    clock->utcMs = std::llround((ut - 25569.0) * 86400000.0);  // from 1 Jan 1970
    CompanionLinks l;
    l.Clock = clock;
    return l;
}

void Activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
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
    Activate(&w);
    w.Form_Activate();
    w.mskLat->SetMaskedText("60°00'.0 N");
    test::CheckPickerEntries(
        w.dtpTime, [&] { return FromDateValue(w.WizDate()); }, script);
    ExpectWidestTextShown(w.dtpTime);
    EXPECT_EQ(w.mskLat->MaskedText(), "60°00'.0 N");
    w.dtpTime->setDateTime(FromDateValue(MakeDateTime(2026, 6, 9)));
    w.dtpTime_LostFocus();
    ASSERT_TRUE(w.mskLat->Commit());
    w.mskLong->SetMaskedText("005°00'.0 E");
    ASSERT_TRUE(w.mskLong->Commit());
    w.mskHeightM->SetMaskedText("12.0");
    ASSERT_TRUE(w.mskHeightM->Commit());

    test::ClickButton(w.cmdNav[3]);
    ASSERT_EQ(w.WizStep(), 2);
    script.Clear();  // no twilight
    test::CheckPickerEntries(
        w.dtpObsTime, [&] { return w.dtpObsTime->dateTime(); }, script);
    ExpectWidestTextShown(w.dtpObsTime);
    EXPECT_TRUE(w.optTime[0]->isChecked());
    test::ClickButton(w.cmdNav[3]);
    ASSERT_EQ(w.WizStep(), 3);
    test::ClickButton(w.cmdNav[3]);
    ASSERT_EQ(w.WizStep(), 4);
    test::CheckPickerEntries(
        w.dtpRealTime, [&] { return FromDateValue(w.RealTime()); }, script);
    ExpectWidestTextShown(w.dtpRealTime);
    EXPECT_EQ(w.bthStartTimer->text(), "Start real time display");
}

// Guards the azimuth tool's time of observation.
TEST(CompanionTypedDates, AzimuthTool) {
    PlatformScript script;
    FrmAzimuth t(LinksAt(MakeDateTime(2026, 3, 20, 14, 0, 0)));
    Activate(&t);
    t.mskLat->SetMaskedText("45°30'.0 N");
    ASSERT_TRUE(t.mskLat->Commit());
    const QString body = t.cboBody->currentText();
    test::CheckPickerEntries(
        t.dtpTime, [&] { return FromDateValue(t.ObsTime()); }, script);
    ExpectWidestTextShown(t.dtpTime);
    EXPECT_EQ(t.mskLat->MaskedText(), "45°30'.0 N");
    EXPECT_EQ(t.cboBody->currentText(), body);
}

}  // namespace
}  // namespace orvex
