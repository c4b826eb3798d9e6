#include "charts/chart_picture.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

namespace orvex {

ChartPicture::ChartPicture(QWidget* box) : QObject(box), box_(box) {
    setObjectName("ChartPicture");
    box_->installEventFilter(this);
}

double ChartPicture::Dpi() const {
    const QScreen* s = box_->screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

QImage ChartPicture::NewImage() const {
    const QSize size = box_->size().expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const int dpm = static_cast<int>(Dpi() / 0.0254 + 0.5);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    return image;
}

void ChartPicture::Show(const QImage& image) {
    image_ = image;
    box_->update();
}

bool ChartPicture::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_) {
        if (event->type() == QEvent::Paint && !image_.isNull()) {
            QPainter p(box_);
            p.fillRect(box_->rect(), Qt::white);
            p.drawImage(0, 0, image_);
            return true;
        }
        if (event->type() == QEvent::Resize && box_->isVisible() && !image_.isNull() &&
            static_cast<QResizeEvent*>(event)->size() != image_.size() && onResize)
            onResize();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex
