// Whole dates and times typed as people write them, separators and all,
// into the companion windows' pickers: the wizard's date, its time of
// observation and its table's time, and the azimuth tool's time. Each is
// entered by Tab, keeps the focus, sets exactly the instant typed, touches
// no other field and shows its whole text.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/date_time.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"

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

// Tab into `p` from the control before it, as the user does.
void TabInto(QDateTimeEdit* p) {
    p->setFocus(Qt::TabFocusReason);
    QTest::keyClick(p, Qt::Key_Backtab);
    ASSERT_NE(QApplication::focusWidget(), p);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), p);
}

// Types, key by key into whatever has the focus, the text `p` shows for
// `ut` (its own format and month names); `p` keeps the focus and ends at
// exactly that instant; its line holds its widest text.
void TypeWhole(QDateTimeEdit* p, double ut) {
    TabInto(p);
    const QString text = p->locale().toString(FromDateValue(ut), p->displayFormat());
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    EXPECT_EQ(QApplication::focusWidget(), p) << text.toStdString();
    EXPECT_EQ(p->dateTime(), FromDateValue(ut))
        << text.toStdString() << " gave " << p->text().toStdString();
    auto* line = p->findChild<QLineEdit*>();
    int widest = 0;  // the field's text on the 28th of each month, at 23:59:59
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
    TypeWhole(w.dtpTime, MakeDateTime(2026, 9, 28));
    w.mskLat->SetMaskedText("60°00'.0 N");
    const QString lat = w.mskLat->MaskedText();
    TypeWhole(w.dtpTime, MakeDateTime(2026, 6, 9));
    QTest::keyClick(w.dtpTime, Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(w.WizDate(), MakeDateTime(2026, 6, 9));
    EXPECT_EQ(w.mskLat->MaskedText(), lat);
    ASSERT_TRUE(w.mskLat->Commit());
    w.mskLong->SetMaskedText("005°00'.0 E");
    ASSERT_TRUE(w.mskLong->Commit());
    w.mskHeightM->SetMaskedText("12.0");
    ASSERT_TRUE(w.mskHeightM->Commit());

    QTest::mouseClick(w.cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w.WizStep(), 2);
    ASSERT_TRUE(w.dtpObsTime->isVisible());
    TypeWhole(w.dtpObsTime, MakeDateTime(2026, 9, 28, 23, 59, 0));
    TypeWhole(w.dtpObsTime, MakeDateTime(2026, 6, 9, 1, 30, 0));
    EXPECT_TRUE(w.optTime[0]->isChecked());
    QTest::mouseClick(w.cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w.WizStep(), 3);
    QTest::mouseClick(w.cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w.WizStep(), 4);
    TypeWhole(w.dtpRealTime, MakeDateTime(2026, 9, 28, 23, 59, 59));
    TypeWhole(w.dtpRealTime, MakeDateTime(2026, 6, 9, 2, 5, 30));
    EXPECT_DOUBLE_EQ(w.RealTime(), MakeDateTime(2026, 6, 9, 2, 5, 30));
    EXPECT_EQ(w.bthStartTimer->text(), "Start real time display");
    EXPECT_EQ(script.messages.size(), 1u) << script.LastText().toStdString();  // no twilight
}

// Guards the azimuth tool's time of observation.
TEST(CompanionTypedDates, AzimuthTool) {
    PlatformScript script;
    FrmAzimuth t(LinksAt(MakeDateTime(2026, 3, 20, 14, 0, 0)));
    Activate(&t);
    t.mskLat->SetMaskedText("45°30'.0 N");
    ASSERT_TRUE(t.mskLat->Commit());
    const QString body = t.cboBody->currentText();
    TypeWhole(t.dtpTime, MakeDateTime(2026, 9, 28, 23, 59, 59));
    TypeWhole(t.dtpTime, MakeDateTime(2026, 9, 11, 21, 0, 0));
    QTest::keyClick(t.dtpTime, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), t.dtpTime);
    EXPECT_DOUBLE_EQ(t.ObsTime(), MakeDateTime(2026, 9, 11, 21, 0, 0));
    EXPECT_EQ(t.mskLat->MaskedText(), "45°30'.0 N");
    EXPECT_EQ(t.cboBody->currentText(), body);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
}

}  // namespace
}  // namespace orvex
