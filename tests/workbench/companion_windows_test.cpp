// The companion windows as a navigator meets them from the main window:
// the wizard typed through its steps, the azimuth tool opened and closed,
// where each window appears, and whose message boxes lie above which window.
#include <gtest/gtest.h>

#include <QAction>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/date_time.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

// A started main window, shown and active, whose companions read a PC clock
// set to `ut`.
struct Companions {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> main = test::StartedWindow(settings);

    explicit Companions(double ut) {
        auto clock = std::make_shared<ManualSystemClock>();
        clock->utcMs = std::llround((ut - 25569.0) * 86400000.0);  // from 1 Jan 1970
        main->CompanionClock = clock;
        main->resize(1000, 700);
        main->show();
        QApplication::setActiveWindow(main.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void Activate(QWidget* w) {
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    FrmStarFixWizard* OpenWizard() {
        main->Action("mnuStarFixWizardStart")->trigger();
        FrmStarFixWizard* w = main->StarFixWizard();
        if (w) Activate(w);
        return w;
    }
    static void TypeAndTab(MaskedField* f, const QString& keys) {
        f->setFocus(Qt::TabFocusReason);
        f->SetMaskedText(QString());
        f->setCursorPosition(0);
        QTest::keyClicks(f, keys);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    // Step 1 typed, then Next.
    static void TypeStep1(FrmStarFixWizard* w, const QString& lat, const QString& lon) {
        TypeAndTab(w->mskLat, lat);
        TypeAndTab(w->mskLong, lon);
        TypeAndTab(w->mskHeightM, "120");
        QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    }
};

// Guards a star table laid out while its step was hidden: on its first
// showing every column is wide enough for its heading.
TEST(CompanionWindows, WizardStarTableReadableAtOnce) {
    Companions c(MakeDateTime(2026, 3, 20, 14, 0, 0));
    FrmStarFixWizard* w = c.OpenWizard();
    ASSERT_NE(w, nullptr);
    Companions::TypeStep1(w, "45300n", "010150w");
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    QTest::mouseClick(w->cmdNav[3], Qt::LeftButton);
    ASSERT_EQ(w->WizStep(), 4) << c.script.LastText().toStdString();
    QHeaderView* header = w->grdStars->horizontalHeader();
    for (int col = 0; col < 4; ++col) {
        const QString text = w->grdStars->horizontalHeaderItem(col)->text().trimmed();
        EXPECT_GE(header->sectionSize(col), header->fontMetrics().horizontalAdvance(text) + 18)
            << text.toStdString();
    }
}

}  // namespace
}  // namespace orvex
