#include "workbench/page_focus.h"

#include <QApplication>
#include <QEvent>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

namespace orvex {

namespace {
constexpr QEvent::Type kSettleEvent = QEvent::User;
}

PageFocus::PageFocus(QWidget* window, QWidget* client, PageFocusLinks links)
    : QObject(window), window_(window), client_(client), links_(std::move(links)) {
    // The window's activation and the pages' showing come through the
    // application's filter too.
    qApp->installEventFilter(this);
}

PageFocus::~PageFocus() {
    qApp->removeEventFilter(this);
}

void PageFocus::Watch(QWidget* page) {
    pages_.push_back(page);
    if (auto* tabs = qobject_cast<QTabWidget*>(page))
        connect(tabs, &QTabWidget::currentChanged, this, [this] { SettleLater(); });
}

bool PageFocus::Keyable(const QWidget* w) const {
    if (!w || w->window() != window_ || !w->isVisible() || !w->isEnabled()) return false;
    // The menu bar, toolbars and status bar lie outside the client area.
    if (w != client_ && !client_->isAncestorOf(w)) return true;
    const QWidget* page = links_.ShownPage();
    return page && (w == page || page->isAncestorOf(w));
}

void PageFocus::Settle() {
    if (!window_->isVisible() || QApplication::activeModalWidget()) return;
    if (Keyable(window_->focusWidget())) return;
    QWidget* page = links_.ShownPage();
    if (!page) return;
    QWidget* entry = links_.EntryOf ? links_.EntryOf(page) : page;
    if (!entry || !entry->isVisible() || !entry->isEnabled()) entry = page;
    entry->setFocus(Qt::OtherFocusReason);
}

void PageFocus::SettleLater() {
    if (posted_) return;
    posted_ = true;
    QCoreApplication::postEvent(this, new QEvent(kSettleEvent));
}

bool PageFocus::event(QEvent* event) {
    if (event->type() != kSettleEvent) return QObject::event(event);
    posted_ = false;
    Settle();
    return true;
}

bool PageFocus::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
            if (std::find(pages_.begin(), pages_.end(), watched) != pages_.end()) SettleLater();
            break;
        case QEvent::WindowActivate:
            if (watched == window_) SettleLater();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Only the first delivery, to the focus widget: a key passed on
            // to a parent has been seen already.
            auto* to = qobject_cast<QWidget*>(watched);
            if (!to || to != QApplication::focusWidget() || to->window() != window_ ||
                !window_->isVisible() || Keyable(to))
                break;
            Settle();
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex
