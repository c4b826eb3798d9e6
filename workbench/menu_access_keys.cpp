#include "workbench/menu_access_keys.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

namespace orvex {

MenuAccessKeys::MenuAccessKeys(QMenuBar* bar) : QObject(bar), bar_(bar) {
    // A control's shortcut event goes to the control: only the
    // application sees them all.
    qApp->installEventFilter(this);
}

MenuAccessKeys::~MenuAccessKeys() {
    qApp->removeEventFilter(this);
}

bool MenuAccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut || watched == bar_) return false;
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    auto* owner = qobject_cast<QWidget*>(watched);
    if (!shortcut->isAmbiguous() || !owner || owner->window() != bar_->window()) return false;
    for (QAction* item : bar_->actions()) {
        QMenu* menu = item->menu();
        if (!menu || !item->isVisible() || !item->isEnabled() ||
            QKeySequence::mnemonic(item->text()) != shortcut->key())
            continue;
        // As the menu's own key opens it: dropped down, its first item lit.
        bar_->setActiveAction(item);
        for (QAction* first : menu->actions())
            if (first->isVisible() && first->isEnabled() && !first->isSeparator()) {
                menu->setActiveAction(first);
                break;
            }
        return true;
    }
    return false;
}

}  // namespace orvex
