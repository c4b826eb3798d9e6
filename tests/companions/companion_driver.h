// The star-fix wizard and the azimuth tool driven as a navigator drives
// them: controls found by their names, buttons clicked where they show,
// fields typed through the keyboard driver, the star table read as shown.
// The windows must be shown and active for keys and clicks to reach them.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTimerEvent>
#include <cmath>
#include <memory>

#include "companions/frm_azimuth.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/date_time.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "tests/keyboard.h"
#include "workbench/companion_windows.h"
#include "workbench/main_window.h"

namespace orvex::test {

// The one control named `name` that `window` itself shows (not one of a
// window it owns, such as the azimuth tool's "What is up ?" windows); null
// when there is none or more than one.
template <class T = QWidget>
T* OwnNamed(const QWidget* window, const QString& name) {
    T* found = nullptr;
    for (T* c : window->findChildren<T*>(name)) {
        const QObject* in = c;  // the window `c` lies in
        while (in && !(in->isWidgetType() && static_cast<const QWidget*>(in)->isWindow()))
            in = in->parent();
        if (in != window) continue;
        if (found) return nullptr;
        found = c;
    }
    return found;
}

// A PC clock reading `ut` (UT days since 1899 December 30) on a PC whose
// local time is `offsetHours` ahead of UT.
inline std::shared_ptr<ManualSystemClock> ClockAt(double ut, int offsetHours = 0) {
    auto c = std::make_shared<ManualSystemClock>();
    c->utcMs = std::llround((ut - 25569.0) * 86400000.0);  // from 1 Jan 1970
    c->localOffsetSeconds = offsetHours * 3600;
    c->standardBiasMinutes = -offsetHours * 60;
    return c;
}

// Moves a manual clock to `ut`.
inline void SetClock(ManualSystemClock& c, double ut) {
    c.utcMs = std::llround((ut - 25569.0) * 86400000.0);
}

// Shows `w` and makes it the active window, as a click on its title bar.
inline void Activate(QWidget* w) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << w->objectName().toStdString();
}

// A click on the button or option named `name` in `window`.
inline void ClickOn(const QWidget* window, const QString& name) {
    auto* b = OwnNamed<QAbstractButton>(window, name);
    EXPECT_TRUE(b && b->isVisible() && b->isEnabled()) << name.toStdString();
    ClickButton(b);
}

// The masked field named `name`, entered by a click at the left end of its
// text, `keys` typed, then left by Tab.
inline void TypeInto(const QWidget* window, const QString& name, const QString& keys) {
    auto* f = OwnNamed<MaskedField>(window, name);
    ASSERT_TRUE(f != nullptr) << name.toStdString();
    Click(f, Place::LeftEnd);
    Type(keys);
    Tab();
}

// A whole text put into the masked field named `name`, which is then left:
// true when the window takes it (a refusal leaves its message).
inline bool EnterText(const QWidget* window, const QString& name, const QString& text) {
    auto* f = OwnNamed<MaskedField>(window, name);
    if (f == nullptr) return false;
    f->SetMaskedText(text);
    return f->Commit();
}

// The text the control named `name` shows: a label, a field or a button.
inline QString Shown(const QWidget* window, const QString& name) {
    QObject* o = OwnNamed<QWidget>(window, name);
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* m = qobject_cast<MaskedField*>(o)) return m->MaskedText();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* d = qobject_cast<QDateTimeEdit*>(o)) return d->text();
    return QStringLiteral("<no control %1>").arg(name);
}

// Whether the control named `name` is hidden by its window.
inline bool HiddenIn(const QWidget* window, const QString& name) {
    const QWidget* w = OwnNamed<QWidget>(window, name);
    return w == nullptr || w->isHidden();
}

// One tick of the timer named `name`, delivered as the event loop delivers
// it when its interval is up (the tests never wait for it).
inline void Tick(const QWidget* window, const QString& name) {
    auto* t = OwnNamed<QTimer>(window, name);
    ASSERT_TRUE(t != nullptr && t->isActive()) << name.toStdString();
    QTimerEvent e(t->timerId());
    QCoreApplication::sendEvent(t, &e);
}

// ---- The star-fix wizard --------------------------------------------------

// The step whose frame is in place (1..4); 0 when none is.
inline int WizardStep(const QWidget* w) {
    for (int i = 0; i < 4; ++i) {
        const QWidget* f = OwnNamed<QWidget>(w, QString("fraStep_%1").arg(i));
        if (f && !f->isHidden() && f->x() == 0) return i + 1;
    }
    return 0;
}

// A cell of the star table: row 0 is the header row, rows 1.. the stars.
inline QString Cell(const QWidget* w, int row, int column) {
    const auto* t = OwnNamed<QTableWidget>(w, "grdStars");
    const QTableWidgetItem* item =
        row == 0 ? t->horizontalHeaderItem(column) : t->item(row - 1, column);
    return item ? item->text() : QString();
}

inline int StarRows(const QWidget* w) {
    return OwnNamed<QTableWidget>(w, "grdStars")->rowCount();
}

// The time the star table shows, UT days.
inline double TableTime(const QWidget* w) {
    return ToDateValue(OwnNamed<QDateTimeEdit>(w, "dtpRealTime")->dateTime().toUTC());
}

// The star table's header column `from` dragged with the mouse and dropped
// on header column `to`.
inline void DragHeader(const QWidget* w, int from, int to) {
    QHeaderView* h = OwnNamed<QTableWidget>(w, "grdStars")->horizontalHeader();
    const auto at = [h](int c) {
        return QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
    };
    QTest::mousePress(h->viewport(), Qt::LeftButton, Qt::NoModifier, at(from));
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, Qt::NoModifier, at(to));
}

// A click on star `i` of the list of step 3 (which selects or deselects it).
inline void ClickStar(const QWidget* w, int i) {
    auto* list = OwnNamed<QListWidget>(w, "lstStars");
    list->scrollToItem(list->item(i));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(i)).center());
}

// The companion window of `owner` named `name` that is still loaded, the
// latest opened; null when there is none.
template <class T>
T* OpenWindowOf(const QWidget* owner, const QString& name) {
    const QList<T*> all = owner->findChildren<T*>(name, Qt::FindDirectChildrenOnly);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if constexpr (std::is_same_v<T, FrmStarFixWizard>) {
            if ((*it)->Unloaded()) continue;
        }
        return *it;
    }
    return nullptr;
}

inline FrmStarFixWizard* WizardOf(const QWidget* owner) {
    return OpenWindowOf<FrmStarFixWizard>(owner, "frmStarFixWizard");
}
inline FrmAzimuth* AzimuthToolOf(const QWidget* owner) {
    return OpenWindowOf<FrmAzimuth>(owner, "frmAzimuth");
}

// The companions of `main` read `clock` from now on.
inline std::shared_ptr<ManualSystemClock> GiveClock(FrmWorking& main,
                                                    std::shared_ptr<ManualSystemClock> clock) {
    main.Companions()->Clock = clock;
    return clock;
}

// The menu command or toolbar button named `name` of the main window.
inline void Trigger(const QWidget* main, const QString& name) {
    auto* a = Named<QAction>(main, name);
    ASSERT_TRUE(a != nullptr) << name.toStdString();
    a->trigger();
}

inline bool ActionEnabled(const QWidget* main, const QString& name) {
    const auto* a = Named<QAction>(main, name);
    return a != nullptr && a->isEnabled();
}

inline bool EnabledIn(const QWidget* window, const QString& name) {
    const QWidget* w = OwnNamed<QWidget>(window, name);
    return w != nullptr && w->isEnabled();
}

}  // namespace orvex::test
