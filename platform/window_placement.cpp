#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orvex {

namespace {

QRect AvailableArea(const QWidget& w) {
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The frame around the client area, as the window shows it.
QMargins ShownFrameMargins(const QWidget& w) {
    const QRect outer = w.frameGeometry(), inner = w.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The frame of `w`. A window never shown has none in its geometry yet
// (placed so, it opened past the screen's edge by its title bar): the frame
// of `like`, a shown window of the same program, stands in for it.
QMargins FrameMargins(const QWidget& w, const QWidget* like = nullptr) {
    if (w.isVisible() || !like || !like->isVisible()) return ShownFrameMargins(w);
    return ShownFrameMargins(*like);
}

// Shrinks the window to the area where it is larger, then moves `outer`
// (the frame's rectangle at the wanted place) inside the area and the
// window there.
void PlaceInside(QWidget& window, QRect outer, const QRect& area, const QMargins& frame) {
    if (area.isEmpty()) return;
    const QSize room = area.size().shrunkBy(frame);
    if (window.width() > room.width() || window.height() > room.height()) {
        window.resize(std::min(window.width(), room.width()),
                      std::min(window.height(), room.height()));
        outer.setSize(window.size().grownBy(frame));
    }
    const int x = std::clamp(outer.left(), area.left(),
                             std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(outer.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - outer.height()));
    window.move(x, y);  // a window's position is that of its frame
}

}  // namespace

void CentreOnOwner(QWidget& window, const QWidget& owner) {
    const QWidget* top = owner.window();
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    const QMargins frame = FrameMargins(window, top);
    QRect outer(QPoint(0, 0), window.size().grownBy(frame));
    outer.moveCenter(top->frameGeometry().center());
    PlaceInside(window, outer, AvailableArea(*top), frame);
}

void KeepOnScreen(QWidget& window) {
    if (window.layout()) window.layout()->activate();
    const QMargins frame =
        FrameMargins(window, window.parentWidget() ? window.parentWidget()->window() : nullptr);
    PlaceInside(window, QRect(window.pos(), window.size().grownBy(frame)), AvailableArea(window),
                frame);
}

}  // namespace orvex
