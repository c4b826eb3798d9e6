// Keeps the drawing of a picture box: the chart is drawn once into an
// image of the box's size and the box shows that image whenever it is
// repainted. When the box changes size, `onResize` is called (the main
// window redraws the chart for the new shape).
#pragma once

#include <QImage>
#include <QObject>
#include <functional>

class QWidget;

namespace orvex {

class ChartPicture : public QObject {
    Q_OBJECT
  public:
    // Attaches to `box` (and is owned by it).
    explicit ChartPicture(QWidget* box);

    // A white image of the box's current size at screen resolution, to be
    // drawn on and then handed back with Show().
    QImage NewImage() const;
    void Show(const QImage& image);
    const QImage& Image() const { return image_; }
    // The resolution images are drawn at (dots per inch).
    double Dpi() const;

    std::function<void()> onResize;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* box_;
    QImage image_;
};

}  // namespace orvex
