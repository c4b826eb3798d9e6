#include "workbench/reading_tab_order.h"

#include <QKeyEvent>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <vector>

namespace orvex {

namespace {

// The controls of `page` that Tab stops at, in reading order.
std::vector<QWidget*> ReadingStops(QWidget* page) {
    struct Stop {
        QWidget* w;
        QRect r;
    };
    std::vector<Stop> stops;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(page)) continue;
        bool inner = false;  // inside another stop (a picker's own line, an editor)
        for (QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
            if (p->focusPolicy() & Qt::TabFocus) inner = true;
        if (!inner) stops.push_back({w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())});
    }
    std::sort(stops.begin(), stops.end(),
              [](const Stop& a, const Stop& b) { return a.r.center().y() < b.r.center().y(); });
    // Lines: a control whose middle lies within the first control of the
    // line belongs to it.
    std::vector<QWidget*> out;
    for (size_t i = 0; i < stops.size();) {
        size_t j = i + 1;
        while (j < stops.size() && stops[j].r.center().y() <= stops[i].r.bottom()) ++j;
        std::stable_sort(stops.begin() + static_cast<long>(i), stops.begin() + static_cast<long>(j),
                         [](const Stop& a, const Stop& b) { return a.r.left() < b.r.left(); });
        for (size_t k = i; k < j; ++k) out.push_back(stops[k].w);
        i = j;
    }
    return out;
}

class ReadingOrder : public QObject {
  public:
    explicit ReadingOrder(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) {
        for (int i = 0; i < tabs->count(); ++i) tabs->widget(i)->installEventFilter(this);
        tabs->tabBar()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Show && watched != tabs_->tabBar()) {
            Apply(static_cast<QWidget*>(watched));
        } else if (e->type() == QEvent::KeyPress && last_) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
            const bool back = k->key() == Qt::Key_Backtab ||
                              (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier));
            const bool forward = k->key() == Qt::Key_Tab && !back;
            if (forward && watched == last_) {
                tabs_->tabBar()->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (back && watched == tabs_->tabBar()) {
                last_->setFocus(Qt::BacktabFocusReason);
                return true;
            }
        }
        return false;
    }

  private:
    void Apply(QWidget* page) {
        const std::vector<QWidget*> stops = ReadingStops(page);
        if (last_) last_->removeEventFilter(this);
        last_ = nullptr;
        if (stops.empty()) return;
        QWidget::setTabOrder(tabs_->tabBar(), stops.front());
        for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
        last_ = stops.back();
        last_->installEventFilter(this);
    }

    QTabWidget* tabs_;
    QPointer<QWidget> last_;
};

}  // namespace

void KeepReadingTabOrder(QTabWidget* tabs) {
    new ReadingOrder(tabs);
}

}  // namespace orvex
