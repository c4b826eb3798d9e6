#include "charts/chart_canvas.h"

#include <QFontMetricsF>
#include <cmath>

#include "charts/core/chart_data.h"

namespace orvex {

ChartCanvas::ChartCanvas(QPainter& painter, const QRectF& area, double dpi)
    : painter_(painter), area_(area), dpi_(dpi > 0 ? dpi : 96.0) {
    font_ = QFont("Arial");
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void ChartCanvas::Scale(double x1, double y1, double x2, double y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) ||
        x1 == x2 || y1 == y2 || area_.width() <= 0 || area_.height() <= 0)
        throw ChartError(5, "Invalid procedure call or argument");
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
}

QPointF ChartCanvas::ToDevice(double x, double y) const {
    return QPointF(area_.left() + (x - x1_) / (x2_ - x1_) * area_.width(),
                   area_.top() + (y - y1_) / (y2_ - y1_) * area_.height());
}

QPointF ChartCanvas::ToUser(const QPointF& device) const {
    return QPointF(x1_ + (device.x() - area_.left()) / area_.width() * (x2_ - x1_),
                   y1_ + (device.y() - area_.top()) / area_.height() * (y2_ - y1_));
}

void ChartCanvas::SetFontName(const QString& name) {
    font_.setFamily(name);
}
void ChartCanvas::SetFontSize(double points) {
    fontPoints_ = points;
}
void ChartCanvas::SetFontItalic(bool on) {
    font_.setItalic(on);
}
void ChartCanvas::SetFontUnderline(bool on) {
    font_.setUnderline(on);
}

QFont ChartCanvas::DeviceFont() const {
    QFont f = font_;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPoints_ * dpi_ / 72.0))));
    return f;
}

QFontMetricsF ChartCanvas::Metrics() const {
    return QFontMetricsF(DeviceFont(), painter_.device());
}

double ChartCanvas::TextWidth(const QString& text) const {
    const QFontMetricsF fm = Metrics();
    return fm.horizontalAdvance(text) * UnitsPerPixelX();
}

double ChartCanvas::TextHeight(const QString& text) const {
    (void)text;
    const QFontMetricsF fm = Metrics();
    return fm.height() * UnitsPerPixelY();
}

QRectF ChartCanvas::TextBox(const QString& text) const {
    const QFontMetricsF fm = Metrics();
    return QRectF(ToDevice(cx_, cy_), QSizeF(fm.horizontalAdvance(text), fm.height()));
}

QPen ChartCanvas::MakePen(const QColor& colour) const {
    QPen pen(colour.isValid() ? colour : fore_);
    pen.setWidthF(std::max(1.0, lineWidth_ * dpi_ / 96.0));
    pen.setStyle(lineStyle_);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void ChartCanvas::Clear(const QColor& background) {
    painter_.fillRect(area_, background);
    cx_ = x1_;
    cy_ = y1_;
}

void ChartCanvas::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    painter_.setPen(MakePen(colour));
    painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
    cx_ = x2;
    cy_ = y2;
}

void ChartCanvas::LineTo(double x2, double y2, const QColor& colour) {
    Line(cx_, cy_, x2, y2, colour);
}

void ChartCanvas::Ellipse(double x, double y, double rx, double ry, const QColor& colour) {
    const double px = std::fabs(rx / UnitsPerPixelX());
    const double py = std::fabs(ry / UnitsPerPixelY());
    if (!std::isfinite(px) || !std::isfinite(py)) throw ChartError(6, "Overflow");
    QPen pen = MakePen(colour);
    pen.setStyle(Qt::SolidLine);
    painter_.setPen(pen);
    painter_.setBrush(fillSolid_ ? QBrush(fillColour_) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(ToDevice(x, y), px, py);
    painter_.setBrush(Qt::NoBrush);
    cx_ = x;
    cy_ = y;
}

void ChartCanvas::Clip(double x1, double y1, double x2, double y2) {
    painter_.setClipRect(QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized());
}

void ChartCanvas::NoClip() {
    painter_.setClipping(false);
}

void ChartCanvas::Print(const QString& text) {
    const QFont f = DeviceFont();
    const QFontMetricsF fm = Metrics();
    painter_.setFont(f);
    painter_.setPen(fore_);
    const QPointF at = ToDevice(cx_, cy_);
    const QPointF baseline(at.x(), at.y() + fm.ascent());
    painter_.drawText(baseline, text);
    if (drawn_) drawn_->push_back({text, fm.tightBoundingRect(text).translated(baseline)});
    cx_ += fm.horizontalAdvance(text) * UnitsPerPixelX();
}

}  // namespace orvex
