// The utilities page of a started main window, driven as a navigator drives
// it: opened from its menu, its fields and buttons found by their control
// names, keys typed one at a time into the field a click at its left end
// entered, buttons clicked with the mouse, and what the page shows read
// back (field texts, the report, the outline, the ETA table).
#pragma once

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <string>

#include "navlib/date_time.h"
#include "tests/keyboard.h"
#include "workbench_test_support.h"

namespace orvex::test {

// One row of the great-circle outline as shown: its text and indent level
// (level 0 rows are hidden).
struct OutlineEntry {
    QString text;
    int level = 0;
};

struct UtilitiesDriver {
    ProgramFolder folder;
    FakeSettings settings;
    PlatformScript script;
    std::unique_ptr<FrmWorking> w;

    // Opens the page by `menu` ("mnuUtilRL", "mnuUtilGC", "mnuUtilETA") on
    // an active window whose clock reads 9 Dec 2026 14:37:52 UT, with the
    // program's report template (templateReadable false: a folder in its
    // place).
    explicit UtilitiesDriver(const char* menu = "mnuUtilRL", bool templateReadable = true) {
        QFile t(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf");
        EXPECT_TRUE(t.open(QIODevice::ReadOnly));
        folder.Write("CalcWP.rtf", t.readAll().toStdString());
        if (!templateReadable) {
            QFile::remove(folder.Path() + "/CalcWP.rtf");
            QDir().mkdir(folder.Path() + "/CalcWP.rtf");
        }
        w = StartedWindow(settings);
        w->clockUtcNow = [] { return MakeDateTime(2026, 12, 9, 14, 37, 52); };
        w->resize(1100, 760);
        w->show();
        QApplication::setActiveWindow(w.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        Menu(menu);
        script.Clear();
    }

    // The one control named `name` on the page (in the whole window when
    // `inWindow`); a missing or doubled name fails the test.
    template <class T = QWidget>
    T* Named(const QString& name, bool inWindow = false) const {
        QWidget* root = inWindow ? static_cast<QWidget*>(w.get()) : Page();
        T* found = ::orvex::test::Named<T>(root, name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QTabWidget* Page() const { return ::orvex::test::Named<QTabWidget>(w.get(), "tabUtil"); }
    QTabWidget* Preferences() const {
        return ::orvex::test::Named<QTabWidget>(w.get(), "tabOptions");
    }
    int Tab() const { return Page()->currentIndex(); }
    MaskedField* Field(const QString& name) const { return Named<MaskedField>(name); }
    QString Shown(const QString& field) const { return Field(field)->MaskedText(); }
    WorkbenchState& S() const { return w->State(); }

    // Runs a menu command, as a click on the menu item does.
    void Menu(const char* name) const { w->findChild<QAction*>(name)->trigger(); }
    // Clicks the page's button `name` (a hidden or disabled one takes no
    // click).
    void Click(const QString& button) const { ClickButton(Named(button)); }

    // Clicks the round mark of the page's option button `name`.
    void Choose(const QString& option) const {
        QWidget* b = Named(option);
        ClickAt(b, QPoint(b->height() / 2, b->height() / 2));
    }

    // Enters `field` by a click at its left end and types `keys`, one key at
    // a time (a new entry); the field stays open.
    void Type(const QString& field, const QString& keys) const {
        ::orvex::test::Click(Field(field), Place::LeftEnd);
        ::orvex::test::Type(keys);
    }
    // The same, then leaves the field with Tab.
    void TypeAndTab(const QString& field, const QString& keys) const {
        Type(field, keys);
        ::orvex::test::Tab();
    }
    // Types one text into each field from `first` on, leaving each by Tab
    // for the next one in the page's reading order.
    void TypeFields(const QString& first, const QStringList& texts) const {
        ::orvex::test::Click(Field(first), Place::LeftEnd);
        for (const QString& t : texts) {
            ::orvex::test::Type(t);
            ::orvex::test::Tab();
        }
    }
    // Empties `field` with Backspace from its right end and leaves it by Tab.
    void EmptyAndTab(const QString& field) const {
        MaskedField* f = Field(field);
        ::orvex::test::Click(f, Place::RightEnd);
        Press(Qt::Key_End);
        for (int i = 0; i < f->Width(); ++i) Press(Qt::Key_Backspace);
        ::orvex::test::Tab();
    }
    // Types the great-circle departure and arrival, leaving each by Tab.
    void TypeGreatCircle(const char* lat1, const char* long1, const char* lat2,
                         const char* long2) const {
        TypeFields("mskLat_2", {lat1, long1, lat2, long2});
    }

    // The great-circle report as shown.
    QString Report() const { return Named<RichTextBox>("rtfCalcWP")->Text(); }
    // The outline's rows in their order (pre-order of the tree).
    std::vector<OutlineEntry> Outline() const {
        std::vector<OutlineEntry> rows;
        std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
            rows.push_back({item->text(0), item->data(0, Qt::UserRole).toInt()});
            for (int i = 0; i < item->childCount(); ++i) walk(item->child(i));
        };
        auto* tree = Named<QTreeWidget>("outGCRes");
        for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i));
        return rows;
    }
    QTableWidget* EtaTable() const { return Named<QTableWidget>("grdCalcETA"); }
    QString EtaCell(int row, int column) const {
        const QTableWidgetItem* item = EtaTable()->item(row, column);
        return item ? item->text() : QString();
    }

    // Chooses the row of the preferences' ellipsoid list whose text is
    // `row` (written with the user's separator).
    void ChooseEllipsoid(const QString& row) const {
        auto* list = Named<QComboBox>("cboEllipsoid_0", true);
        const int index = list->findText(row);
        EXPECT_GE(index, 0) << row.toStdString();
        list->setCurrentIndex(index);
    }
    // Opens the preferences by a double click on the ellipsoid's name on
    // the shown tab, chooses `row` and closes them with En&d.
    void ChangeEllipsoid(const QString& row) const {
        QTest::mouseDClick(Named(QString("lblChoosenEllipsoid_%1").arg(Tab() == 1 ? 1 : 0)),
                           Qt::LeftButton);
        ChooseEllipsoid(row);
        EndPreferences();
    }
    // Clicks the preferences' visible En&d button.
    void EndPreferences() const {
        for (int i = 0; i < 3; ++i)
            ClickButton(::orvex::test::Named<QWidget>(Preferences(),
                                                      QString("cmdEndTabOptions_%1").arg(i)));
    }
};

}  // namespace orvex::test
