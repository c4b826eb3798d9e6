#include "companions/wizard_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace orvex {

namespace {

void DrawStar(QPainter& p, QPointF c, double r, const QColor& colour) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.45;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    p.setPen(QPen(colour.darker(160), 0.8));
    p.setBrush(colour);
    p.drawPath(path);
}

void DrawClock(QPainter& p, double s, const QColor& mark, bool stop) {
    p.setPen(QPen(QColor(40, 40, 40), s / 14));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(s * 0.05, s * 0.05, s * 0.7, s * 0.7));
    p.drawLine(QPointF(s * 0.4, s * 0.4), QPointF(s * 0.4, s * 0.15));
    p.drawLine(QPointF(s * 0.4, s * 0.4), QPointF(s * 0.58, s * 0.4));
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    if (stop) {
        p.drawRect(QRectF(s * 0.58, s * 0.58, s * 0.38, s * 0.38));
    } else {
        QPolygonF tri;
        tri << QPointF(s * 0.58, s * 0.55) << QPointF(s * 0.98, s * 0.77)
            << QPointF(s * 0.58, s * 0.99);
        p.drawPolygon(tri);
    }
}

}  // namespace

QPixmap WizardPictureOf(WizardPicture which, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    switch (which) {
        case WizardPicture::WizardIcon:
            p.fillRect(QRectF(0, s * 0.7, s, s * 0.3), QColor(20, 60, 120));
            DrawStar(p, QPointF(s * 0.5, s * 0.38), s * 0.36, QColor(255, 210, 40));
            break;
        case WizardPicture::WhatIsUpIcon:
            p.setPen(QPen(QColor(20, 60, 120), s / 12));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(s * 0.08, s * 0.28, s * 0.84, s * 0.44));
            p.setBrush(QColor(20, 60, 120));
            p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.14, s * 0.14);
            break;
        case WizardPicture::TimerStart:
            DrawClock(p, s, QColor(0, 150, 0), false);
            break;
        case WizardPicture::TimerStop:
            DrawClock(p, s, QColor(200, 0, 0), true);
            break;
        case WizardPicture::HeaderName:
            DrawStar(p, QPointF(s * 0.5, s * 0.52), s * 0.46, QColor(255, 210, 40));
            break;
        case WizardPicture::HeaderAzimuth: {
            p.setPen(QPen(QColor(0, 0, 160), s / 12));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
            QPolygonF needle;
            needle << QPointF(s * 0.5, s * 0.12) << QPointF(s * 0.62, s * 0.5)
                   << QPointF(s * 0.38, s * 0.5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 0, 0));
            p.drawPolygon(needle);
            break;
        }
        case WizardPicture::HeaderAltitude:
            p.setPen(QPen(QColor(0, 0, 160), s / 10));
            p.drawLine(QPointF(s * 0.1, s * 0.9), QPointF(s * 0.9, s * 0.9));
            p.drawLine(QPointF(s * 0.1, s * 0.9), QPointF(s * 0.8, s * 0.25));
            p.setPen(QPen(QColor(0, 0, 160), s / 14));
            p.drawArc(QRectF(-s * 0.25, s * 0.45, s * 0.9, s * 0.9), 0, 45 * 16);
            break;
        case WizardPicture::HeaderMagnitude:
            DrawStar(p, QPointF(s * 0.32, s * 0.6), s * 0.3, QColor(255, 230, 120));
            DrawStar(p, QPointF(s * 0.72, s * 0.35), s * 0.22, QColor(200, 200, 200));
            break;
    }
    return pm;
}

}  // namespace orvex
