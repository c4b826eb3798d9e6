// A paint device that keeps the texts drawn on it instead of marking paper:
// the printer script's stand-in for a printer when a test reads what the
// printed pages show. It takes the size and resolution of the printer it
// stands for, so that fonts, pages and layouts come out as on that printer.
#pragma once

#include <QPaintDevice>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPaintEngine;

namespace orvex {

// One piece of text as it landed on a page. Lengths in twips from the
// printable area's top-left corner.
struct PrintedText {
    int job = 0;   // 1-based, in the order of the script's jobs
    int page = 0;  // 1-based within its job
    QString text;
    QRectF box;  // the text's line box: ascent above, descent below the baseline
    double baseline = 0;
    QRectF clip;      // the clip in force, null when none
    QRectF pageArea;  // the printable area
    // True when the text's body (baseline up to its ascent) lies on the page
    // and inside the clip: a reader sees it.
    bool Shown() const;
};

class PageRecorder : public QPaintDevice {
  public:
    // like: the printer whose page this device stands for.
    explicit PageRecorder(const QPaintDevice& like);
    ~PageRecorder() override;

    QPaintEngine* paintEngine() const override;
    void NewPage() { ++page_; }
    int Page() const { return page_; }

    // Every text drawn so far, job numbers left at 0.
    std::vector<PrintedText> texts;

  protected:
    int metric(PaintDeviceMetric m) const override;

  private:
    int metrics_[PdmDevicePixelRatioScaled + 1] = {};
    int page_ = 1;
    std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace orvex
