// A SATURN sight with a damaged or missing Planet.dat: the fix stops with
// one message that names the file, instead of a confident fix that used the
// Sun's place for Saturn and blamed the navigator's sight.
#include <gtest/gtest.h>

#include <QToolBar>
#include <cstring>

#include "ephemeris/saturn_series.h"
#include "grid_test_support.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

TEST(SaturnFileFix, DamagedSeriesStopsTheFixWithOneMessage) {
    test::GridWindow g;
    FrmWorking* w = g.w.get();
    const QString planet = g.folder.Path() + "/Planet.dat";
    g.script.fileNames = {QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs"};
    w->Action("mnuAstroLoad")->trigger();
    QFile good(QString(ORVEX_PROGRAM_DIR) + "/Planet.dat");
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    auto damaged = [&bytes](qsizetype offset, double value) {
        QByteArray b = bytes;
        std::memcpy(b.data() + offset, &value, 8);
        return b;
    };
    // Missing, truncated, a NaN, a finite but absurd amplitude.
    const QByteArray files[] = {QByteArray(), bytes.left(40000), damaged(5000 * 8, std::nan("")),
                                damaged(12000, 1e300)};
    for (int k = 0; k < 4; ++k) {
        QFile::remove(planet);
        if (k > 0) g.folder.Write("Planet.dat", files[k].toStdString());
        ResetSaturnSeries();
        g.script.Clear();
        for (QToolBar* bar : w->findChildren<QToolBar*>())
            if (QWidget* b = bar->widgetForAction(w->Action("bthNumRes")); b && b->isVisible())
                QTest::mouseClick(b, Qt::LeftButton);
        ASSERT_EQ(g.script.messages.size(), 1u) << k << " " << g.script.LastText().toStdString();
        EXPECT_EQ(g.script.messages[0].title, kSaturnFileErrorTitle);
        EXPECT_TRUE(g.script.LastText().contains(planet)) << g.script.LastText().toStdString();
        EXPECT_FALSE(test::ReportBox(*w)->isVisible()) << k;
        EXPECT_TRUE(w->tabIn->isVisible()) << k;
    }
    ResetSaturnSeries();
}

}  // namespace
}  // namespace orvex
