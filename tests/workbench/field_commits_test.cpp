// What the condition fields hand to the fix at their seams: a refused entry,
// a paired unit field passed through, an arrow clicked while a value is half
// typed. Each starts from the sample file, walks the fields with the mouse
// and the keys, and ends with "Numeric results".
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>

#include "grid_test_support.h"
#include "platform/masked_field.h"
#include "tests/keyboard.h"

namespace orvex {
namespace {

struct FieldCommits : ::testing::Test, test::GridWindow {
    const WorkbenchState& s = w->State();
    FieldCommits() {
        UseProgramData();
        script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
        w->Action("mnuAstroLoad")->trigger();
        test::TabSet(*w, "tabIn")->setCurrentIndex(1);
        script.Clear();
    }
    MaskedField* Field(const char* name) { return w->MaskField(name, -1); }
    // Clicks into the field (or anything else) and types a new entry.
    void Type(QWidget* f, const QString& keys) {
        test::Click(f, test::Place::LeftEnd);
        test::Type(keys);
    }
    void Results(size_t messages) {
        script.Clear();
        Click("bthNumRes");
        EXPECT_EQ(script.messages.size(), messages) << script.LastText().toStdString();
        EXPECT_EQ(test::ReportBox(*w)->isVisible() && !test::TabSet(*w, "tabIn")->isVisible(),
                  messages == 0);
    }
};

// Guards the height trap: a refused feet entry took the height's flag down,
// so that emptying the field left "Some data on the other tabs are
// missing." with every field filled. A refused text still showing is
// refused again by the fix, with its field focused or on another tab.
TEST_F(FieldCommits, RefusedHeightKeepsTheEnteredOne) {
    MaskedField* ft = Field("mskHeightF");
    Type(ft, "350.0");
    Type(Field("mskHeightM"), "");
    EXPECT_EQ(script.LastText(), test::Shown("The eye height is higher than 327.9 feet."));
    EXPECT_TRUE(ft->hasFocus());
    EXPECT_TRUE(s.FixEntered[7]);
    Results(1);
    test::Press(Qt::Key_A, Qt::ControlModifier);
    test::Press(Qt::Key_Delete);
    script.Clear();
    QTest::mouseClick(test::InputNamed<QPushButton>(*w, "cmdNextTabIn_1"), Qt::LeftButton);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    Results(0);
    EXPECT_EQ(s.HeightEye, 14.0);

    Click("bthBackStarFix1");
    Click("bthCorr");
    test::TabSet(*w, "tabIn")->setCurrentIndex(1);
    Type(ft, "350.0");
    Type(Field("mskHeightM"), "");
    test::TabSet(*w, "tabIn")->setCurrentIndex(2);
    Results(1);
    EXPECT_EQ(script.LastText(), test::Shown("The eye height is higher than 327.9 feet."));
}

// Guards the unit pairs: tabbing on through the partner the program wrote
// committed its rounded text back (17 °C became 17.2222 °C, 14 m 13.99032 m,
// and 1070 hPa wrote 31.60 inHg, which then held the focus). Typed over,
// the partner is the navigator's own entry.
TEST_F(FieldCommits, PassingThroughAPairedFieldKeepsTheTypedValue) {
    for (auto [field, keys] : {std::pair{Field("mskHeightM"), "140"},
                               {test::InputNamed(*w, "mskTempCelcius_0"), "_17"},
                               {Field("mskPress_mBars"), "1070"}}) {
        Type(field, keys);
        test::Tab();
        test::Tab();
    }
    EXPECT_EQ(Field("mskPressHg")->MaskedText(), test::Shown("31.60"));
    Results(0);
    script.fileNames = {folder.Path() + "/pairs.obs"};
    w->Action("mnuAstroSave")->trigger();
    QFile f(folder.Path() + "/pairs.obs");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
    EXPECT_EQ(lines.value(4), "14,-1.2");
    EXPECT_EQ(lines.value(5), "17,18,1070");

    Click("bthBackStarFix1");
    Click("bthCorr");
    test::TabSet(*w, "tabIn")->setCurrentIndex(1);
    Type(test::InputNamed(*w, "mskTempFahr_0"), "_63");
    QTest::keyClick(test::InputNamed(*w, "mskTempFahr_0"), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(s.TempAirC, (63.0 - 32.0) / 1.8);
}

// Guards the arrows, which take no focus: a click stepped the stored value
// and lost the one being typed. The typed text is committed first (a refused
// one stops the step), also when it is the other field of the pair.
TEST_F(FieldCommits, ArrowsTakeTheTextBeingTyped) {
    MaskedField* air = test::InputNamed(*w, "mskTempCelcius_0");
    Type(air, "_16");
    Type(w->findChild<QWidget*>("updTempCelcius_0_Up"), "");
    EXPECT_EQ(air->MaskedText(), "_17");
    Type(air, "_99");
    Type(w->findChild<QWidget*>("updTempCelcius_0_Down"), "");
    EXPECT_EQ(script.LastText(), "The temperature is higher than +70°C.");
    EXPECT_TRUE(air->hasFocus());
    Type(air, "_17");

    Type(Field("mskPress_mBars"), "1000");
    Type(w->findChild<QWidget*>("updPressHg_Up"), "");
    EXPECT_EQ(Field("mskPress_mBars")->MaskedText(), "1003");
    Results(0);
    EXPECT_EQ(s.TempAirC, 17.0);
    EXPECT_EQ(s.PressHg, 29.63);
}

}  // namespace
}  // namespace orvex
