// A drawing surface with a user coordinate system, as the chart draws on
// the screen picture and on the printer page: the coordinates of two
// corners are set (Scale), lines run from point to point or from the
// current position, text is printed with its top-left corner at the
// current position (which then moves right by the text's width), and text
// is measured in user units.
//
// Line widths are given in screen pixels and scaled to the device's
// resolution (dpi / 96), font sizes in points.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

namespace orvex {

// A text as drawn: the box its ink covers, device pixels.
struct DrawnText {
    QString text;
    QRectF box;
};

class ChartCanvas {
  public:
    // painter  draws on the device; area: the drawing area in the painter's
    //          coordinates (device pixels); dpi: the device's resolution.
    ChartCanvas(QPainter& painter, const QRectF& area, double dpi);

    // Width and height of the area, device pixels.
    double Width() const { return area_.width(); }
    double Height() const { return area_.height(); }

    // User coordinates: (x1, y1) at the top-left corner, (x2, y2) at the
    // bottom-right. Throws ChartError 5 when a span is zero or not finite.
    void Scale(double x1, double y1, double x2, double y2);
    QPointF ToDevice(double x, double y) const;
    // The user coordinates of a device point.
    QPointF ToUser(const QPointF& device) const;
    double UnitsPerPixelX() const { return (x2_ - x1_) / area_.width(); }
    double UnitsPerPixelY() const { return (y2_ - y1_) / area_.height(); }

    void SetFontName(const QString& name);
    void SetFontSize(double points);
    void SetFontItalic(bool on);
    void SetFontUnderline(bool on);
    // Width and height of a text in user units (the height is negative
    // when y grows downwards on the device, as with north up).
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // The line box a text printed at the current position takes: its
    // advance width by the font's height, device pixels.
    QRectF TextBox(const QString& text) const;

    QColor ForeColor() const { return fore_; }
    void SetLineWidth(double screenPixels) { lineWidth_ = screenPixels; }
    void SetLineStyle(Qt::PenStyle style) { lineStyle_ = style; }
    void SetFill(const QColor& colour, bool solid) {
        fillColour_ = colour;
        fillSolid_ = solid;
    }

    // Fills the whole area with the background colour.
    void Clear(const QColor& background);

    void SetCurrent(double x, double y) {
        cx_ = x;
        cy_ = y;
    }
    // A line in the foreground colour (or the given one); the current
    // position becomes its end.
    void Line(double x1, double y1, double x2, double y2, const QColor& colour = QColor());
    void LineTo(double x2, double y2, const QColor& colour = QColor());
    // An ellipse centred on (x, y) with half-axes rx (x units) and ry
    // (y units), outline in `colour`, filled as set with SetFill.
    void Ellipse(double x, double y, double rx, double ry, const QColor& colour);
    // Prints text at the current position; the position moves right by
    // the text's width.
    void Print(const QString& text);
    // Drawing is limited to the rectangle between two corners (user
    // units) until NoClip.
    void Clip(double x1, double y1, double x2, double y2);
    void NoClip();
    // From now on every printed text is added to `drawn` (none: stop).
    void RecordTexts(std::vector<DrawnText>* drawn) { drawn_ = drawn; }

  private:
    QFont DeviceFont() const;
    // Metrics of the font as the device renders it.
    QFontMetricsF Metrics() const;
    QPen MakePen(const QColor& colour) const;

    QPainter& painter_;
    QRectF area_;
    double dpi_;
    double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
    double cx_ = 0, cy_ = 0;
    QFont font_;
    double fontPoints_ = 10;
    QColor fore_ = Qt::black;
    double lineWidth_ = 1;
    Qt::PenStyle lineStyle_ = Qt::SolidLine;
    QColor fillColour_ = Qt::black;
    bool fillSolid_ = false;
    std::vector<DrawnText>* drawn_ = nullptr;
};

}  // namespace orvex
