#include "workbench/focus_watch.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace orvex {

FocusWatch::FocusWatch(QWidget* widget, std::function<void()> onLeave)
    : QObject(widget), onLeave_(std::move(onLeave)) {
    widget->installEventFilter(this);
}

bool FocusWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
        const bool passing = r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason ||
                             r == Qt::MenuBarFocusReason;
        if (!passing && onLeave_) onLeave_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex
