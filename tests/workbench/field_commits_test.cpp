// What the condition fields hand to the fix when a navigator meets their
// seams: a refused entry, a paired unit field passed through, an arrow
// clicked while a value is half typed. Each starts from the sample file
// loaded, walks the fields with the mouse and the keys, and ends with
// "Numeric results".
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>

#include "grid_test_support.h"
#include "platform/masked_field.h"

namespace orvex {
namespace {

struct FieldCommits : ::testing::Test, test::GridWindow {
    const WorkbenchState& s = w->State();
    FieldCommits() {
        UseProgramData();
        script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
        w->cmdLoadObs_Click();
        w->tabIn->setCurrentIndex(1);
        script.Clear();
    }
    MaskedField* Field(const char* name, int index = -1) { return w->MaskField(name, index); }
    // Clicks into the field and types over it from its first place.
    void Type(MaskedField* f, const QString& keys) {
        QTest::mouseClick(f, Qt::LeftButton);
        f->setCursorPosition(0);
        QTest::keyClicks(f, keys);
    }
    std::vector<QString> Texts() const {
        std::vector<QString> t;
        for (const auto& m : script.messages) t.push_back(m.text);
        return t;
    }
};

// Guards the height trap: a refused feet entry used to take the height's
// flag down, so that emptying the field left the navigator facing "Some data
// on the other tabs are missing." with every field filled. The refusal now
// keeps the 14.0 m and its flag; a refused text still showing when the fix
// is asked for is refused again, whether its field has the focus or sits on
// another tab.
TEST_F(FieldCommits, RefusedHeightKeepsTheEnteredOne) {
    MaskedField* m = Field("mskHeightM");
    MaskedField* ft = Field("mskHeightF");
    const QString tooHigh = "The eye height is higher than 327.9 feet.";
    Type(ft, "3500");
    QTest::mouseClick(m, Qt::LeftButton);
    EXPECT_EQ(Texts(), std::vector<QString>{tooHigh});
    EXPECT_TRUE(ft->hasFocus());
    EXPECT_TRUE(s.FixEntered[7]);
    EXPECT_EQ(s.HeightEye, 14.0);

    ClickTool("bthNumRes");  // the refused text is checked again
    EXPECT_EQ(Texts(), std::vector<QString>({tooHigh, tooHigh}));
    EXPECT_FALSE(w->rtfNumDisp->isVisible());

    QTest::keyClick(ft, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(ft, Qt::Key_Delete);
    script.Clear();
    QTest::mouseClick(w->cmdNextTabIn[1], Qt::LeftButton);
    EXPECT_EQ(w->tabIn->currentIndex(), 2);
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    ClickTool("bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_TRUE(w->rtfNumDisp->isVisible());
    EXPECT_EQ(s.HeightEye, 14.0);
    EXPECT_EQ(m->MaskedText(), "14.0");

    // Refused, then its tab left for the grid's: the fix still refuses it.
    ClickTool("bthBackStarFix1");
    ClickTool("bthCorr");
    w->tabIn->setCurrentIndex(1);
    Type(ft, "3500");
    QTest::mouseClick(m, Qt::LeftButton);
    w->tabIn->setCurrentIndex(2);
    script.Clear();
    ClickTool("bthNumRes");
    EXPECT_EQ(Texts(), std::vector<QString>{tooHigh});
    EXPECT_TRUE(w->tabIn->isVisible());
    EXPECT_EQ(s.HeightEye, 14.0);
}

// Guards the unit pairs: the navigator types the value and tabs on through
// the paired field the program has written. Passing through it used to
// commit its rounded text back (17 °C became 17.2222 °C, 14 m 13.99032 m,
// and 1070 hPa wrote 31.60 inHg, which then refused to let the focus go).
// An untouched partner commits nothing; a partner typed over is taken.
TEST_F(FieldCommits, PassingThroughAPairedFieldKeepsTheTypedValue) {
    auto typeAndTabThrough = [&](MaskedField* f, const QString& keys, MaskedField* partner) {
        Type(f, keys);
        QTest::keyClick(f, Qt::Key_Tab);
        EXPECT_TRUE(partner->hasFocus()) << partner->objectName().toStdString();
        QTest::keyClick(partner, Qt::Key_Tab);
    };
    typeAndTabThrough(Field("mskHeightM"), "140", Field("mskHeightF"));
    typeAndTabThrough(w->mskTempCelcius[0], "_17", w->mskTempFahr[0]);
    typeAndTabThrough(Field("mskPress_mBars"), "1070", Field("mskPressHg"));
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_EQ(Field("mskHeightF")->MaskedText(), "045.9");
    EXPECT_EQ(w->mskTempFahr[0]->MaskedText(), "_63");
    EXPECT_EQ(Field("mskPressHg")->MaskedText(), "31.60");
    EXPECT_EQ(s.HeightEye, 14.0);
    EXPECT_EQ(s.TempAirC, 17.0);
    EXPECT_EQ(s.PressMBars, 1070.0);

    ClickTool("bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    const QString saved = folder.Path() + "/pairs.obs";
    script.fileNames = {saved};
    w->cmdSaveObs_Click();
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
    EXPECT_EQ(lines.value(4), "14,-1.2");
    EXPECT_EQ(lines.value(5), "17,18,1070");

    // The same text typed over the partner is the navigator's own entry.
    ClickTool("bthBackStarFix1");
    ClickTool("bthCorr");
    w->tabIn->setCurrentIndex(1);
    Type(w->mskTempFahr[0], "_63");
    QTest::keyClick(w->mskTempFahr[0], Qt::Key_Tab);
    EXPECT_EQ(s.TempAirF, 63.0);
    EXPECT_DOUBLE_EQ(s.TempAirC, (63.0 - 32.0) / 1.8);
}

// Guards the arrows beside a field being typed in: they take no focus, so
// a click used to step the stored value and throw the typed one away. The
// typed text is now committed first (a refused one stops the step), also
// when it sits in the other field of the pair.
TEST_F(FieldCommits, ArrowsTakeTheTextBeingTyped) {
    MaskedField* air = w->mskTempCelcius[0];
    auto click = [&](const char* arrow) {
        auto* b = w->findChild<QWidget*>(arrow);
        ASSERT_NE(b, nullptr) << arrow;
        QTest::mouseClick(b, Qt::LeftButton);
    };
    Type(air, "_16");
    click("updTempCelcius_0_Up");
    EXPECT_EQ(s.TempAirC, 17.0);
    EXPECT_EQ(air->MaskedText(), "_17");
    EXPECT_EQ(w->mskTempFahr[0]->MaskedText(), "_63");

    Type(air, "_99");
    click("updTempCelcius_0_Down");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.LastText(), "The temperature is higher than +70°C.");
    EXPECT_TRUE(air->hasFocus());
    EXPECT_EQ(s.TempAirC, 17.0);
    script.Clear();
    Type(air, "_17");

    Type(Field("mskPress_mBars"), "1000");
    click("updPressHg_Up");
    EXPECT_EQ(Field("mskPressHg")->MaskedText(), "29.63");
    EXPECT_EQ(Field("mskPress_mBars")->MaskedText(), "1003");
    ClickTool("bthNumRes");
    EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    EXPECT_EQ(s.TempAirC, 17.0);
    EXPECT_EQ(s.PressHg, 29.63);
}

}  // namespace
}  // namespace orvex
