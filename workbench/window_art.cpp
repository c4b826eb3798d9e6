#include "workbench/window_art.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace orvex {

QIcon ToolbarIcon(const QString& glyph, const QColor& colour) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(QPen(colour.darker(160), 1.5));
    p.drawRoundedRect(QRectF(2, 2, 36, 36), 7, 7);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(glyph.size() > 2 ? 11 : 16);
    p.setFont(f);
    p.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

GradientBackground::GradientBackground(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void GradientBackground::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0.0, QColor(12, 36, 84));
    g.setColorAt(0.55, QColor(40, 90, 150));
    g.setColorAt(1.0, QColor(170, 200, 225));
    p.fillRect(rect(), g);
    p.setPen(QColor(255, 255, 255, 40));
    QFont f = font();
    f.setPixelSize(qMax(24, height() / 12));
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 0, -20, -10), Qt::AlignRight | Qt::AlignBottom, "Orvex");
}

StartPicture::StartPicture(const QString& caption, int kind, QWidget* parent)
    : QWidget(parent), caption_(caption), kind_(kind) {
    setFixedSize(180, 140);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(caption);
}

void StartPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = isEnabled();
    const QRectF frame = QRectF(rect()).adjusted(3, 3, -3, -3);
    p.setBrush(on ? QColor(250, 250, 245) : QColor(200, 200, 200));
    p.setPen(QPen(on ? QColor(200, 170, 60) : QColor(130, 130, 130), 3));
    p.drawRoundedRect(frame, 10, 10);
    const QRectF art(frame.left() + 30, frame.top() + 10, frame.width() - 60, frame.height() - 45);
    const QColor ink = on ? QColor(20, 50, 110) : QColor(120, 120, 120);
    p.setPen(QPen(ink, 2.5));
    p.setBrush(Qt::NoBrush);
    switch (kind_) {
        case 0: {  // star fix: three crossing lines of position and a fix
            const QPointF c = art.center();
            for (int i = 0; i < 3; ++i) {
                const double a = qDegreesToRadians(20.0 + i * 60.0);
                const QPointF d(std::cos(a) * art.width() * 0.45,
                                std::sin(a) * art.height() * 0.45);
                p.drawLine(c - d, c + d);
            }
            p.setBrush(on ? QColor(200, 40, 40) : ink);
            p.drawEllipse(c, 5, 5);
            break;
        }
        case 1: {  // sailings: a curved great circle and a straight rhumb line
            QPainterPath gc;
            gc.moveTo(art.bottomLeft());
            gc.quadTo(QPointF(art.center().x(), art.top() - 10), art.bottomRight());
            p.drawPath(gc);
            p.setPen(QPen(ink, 2, Qt::DashLine));
            p.drawLine(art.bottomLeft(), art.bottomRight());
            break;
        }
        case 2: {  // azimuth: a compass rose
            const QPointF c = art.center();
            const double r = std::min(art.width(), art.height()) / 2;
            p.drawEllipse(c, r, r);
            p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
            p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
            p.setBrush(on ? QColor(200, 40, 40) : ink);
            QPolygonF needle({QPointF(c.x(), c.y() - r * 0.9), QPointF(c.x() + 5, c.y()),
                              QPointF(c.x() - 5, c.y())});
            p.drawPolygon(needle);
            break;
        }
        default: {  // wizard: stars above the horizon
            p.drawLine(QPointF(art.left(), art.bottom()), QPointF(art.right(), art.bottom()));
            p.setBrush(on ? QColor(230, 190, 40) : ink);
            const QPointF stars[] = {
                {0.2, 0.3}, {0.5, 0.15}, {0.8, 0.35}, {0.35, 0.65}, {0.7, 0.7}};
            for (const auto& s : stars)
                p.drawEllipse(
                    QPointF(art.left() + s.x() * art.width(), art.top() + s.y() * art.height()), 4,
                    4);
            break;
        }
    }
    p.setPen(ink);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(frame.left(), frame.bottom() - 32, frame.width(), 28), Qt::AlignCenter,
               caption_);
    if (hasFocus()) {
        p.setPen(QPen(ink, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(frame.adjusted(4, 4, -4, -4), 8, 8);
    }
}

void StartPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void StartPicture::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace orvex
