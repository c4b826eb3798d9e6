#include "charts/page_recorder.h"

#include <QPaintEngine>
#include <QPainter>

namespace orvex {

namespace {

// Draws nothing; writes down each text item with where it lands.
class RecordingEngine : public QPaintEngine {
  public:
    explicit RecordingEngine(PageRecorder& device)
        : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QPainter* pt = painter();
        const QTransform t = pt->combinedTransform();
        const double twips = 1440.0 / device_.logicalDpiY();
        const QTransform toTwips = t * QTransform::fromScale(twips, twips);
        PrintedText r;
        r.page = device_.Page();
        r.text = item.text();
        r.box = toTwips.mapRect(
            QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        r.baseline = toTwips.map(p).y();
        if (pt->hasClipping()) r.clip = toTwips.mapRect(pt->clipBoundingRect());
        r.pageArea = QRectF(0, 0, device_.width() * twips, device_.height() * twips);
        device_.texts.push_back(r);
    }

  private:
    PageRecorder& device_;
};

}  // namespace

bool PrintedText::Shown() const {
    const QRectF body(box.left(), box.top(), box.width(), baseline - box.top());
    const QRectF visible = clip.isNull() ? pageArea : pageArea.intersected(clip);
    // A quarter of a point of tolerance for rounding to device pixels.
    return visible.adjusted(-5, -5, 5, 5).contains(body);
}

PageRecorder::PageRecorder(const QPaintDevice& like)
    : engine_(std::make_unique<RecordingEngine>(*this)) {
    metrics_[PdmWidth] = like.width();
    metrics_[PdmHeight] = like.height();
    metrics_[PdmWidthMM] = like.widthMM();
    metrics_[PdmHeightMM] = like.heightMM();
    metrics_[PdmNumColors] = like.colorCount();
    metrics_[PdmDepth] = like.depth();
    metrics_[PdmDpiX] = like.logicalDpiX();
    metrics_[PdmDpiY] = like.logicalDpiY();
    metrics_[PdmPhysicalDpiX] = like.physicalDpiX();
    metrics_[PdmPhysicalDpiY] = like.physicalDpiY();
    metrics_[PdmDevicePixelRatio] = 1;
    metrics_[PdmDevicePixelRatioScaled] = static_cast<int>(devicePixelRatioFScale());
}

PageRecorder::~PageRecorder() = default;

QPaintEngine* PageRecorder::paintEngine() const {
    return engine_.get();
}

int PageRecorder::metric(PaintDeviceMetric m) const {
    if (m >= PdmWidth && m <= PdmDevicePixelRatioScaled) return metrics_[m];
    return QPaintDevice::metric(m);
}

}  // namespace orvex
