// Pictures of the star-fix input tabs filled in, for a person to look at:
// accepted fields green, a refused one as it waits for its correction, with
// a point and with a comma as the decimal separator.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QPixmap>

#include "input_fields_support.h"

namespace orvex {
namespace {

void Save(QWidget* widget, const QString& name) {
    const QPixmap pm = widget->grab();
    const QString path = test::TestOutputFolder() + "/" + name + ".png";
    EXPECT_TRUE(pm.save(path)) << path.toStdString();
    EXPECT_GT(pm.width(), 100);
}

TEST(Screenshots, StarFixInputTabsFilledIn) {
    for (const std::string sep : {".", ","}) {
        test::InputWindow in(sep);
        FrmWorking& w = *in.w;
        const QString tag = sep == "." ? "point" : "comma";
        test::InputNamed<QDateTimeEdit>(w, "dtpTime_0")->setFocus(Qt::TabFocusReason);
        in.Type(test::InputNamed(w, "mskLat_5"), "47125n");
        in.Type(test::InputNamed(w, "mskLong_5"), "0083407w");
        in.Type(test::InputNamed(w, "mskCourse_0"), "2455");
        in.Type(w.MaskField("mskSpeed", -1), "0068");
        in.Leave(test::InputNamed(w, "mskLat_5"));
        test::InputNamed<QCheckBox>(w, "ch3OneEstPos_1")->click();
        Save(test::TabSet(w, "tabIn"), "starfix-inputs-tab0-" + tag);

        in.InputTab(1);
        in.Type(w.MaskField("mskHeightM", -1), "125");
        in.Type(w.MaskField("mskPress_mBars", -1), "1021");
        in.Type(test::InputNamed(w, "mskTempCelcius_0"), "_14");
        in.Leave(test::InputNamed(w, "mskTempFahr_1"));
        in.Spin("updTempFahr_1_Down");
        in.Type(w.MaskField("mskPressHg", -1), "3190");
        in.Leave(test::InputNamed(w, "mskTempCelcius_1"));  // refused: waits for its correction
        EXPECT_EQ(in.script.messages.size(), 1u);
        Save(test::TabSet(w, "tabIn"), "starfix-inputs-tab1-" + tag);
    }
}

}  // namespace
}  // namespace orvex
