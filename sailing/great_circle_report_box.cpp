#include "sailing/great_circle_report_box.h"

#include <QColor>

#include "platform/rich_text_box.h"

namespace orvex {

namespace {

void ApplyFormat(RichTextBox& box, const GreatCircleFormat& f) {
    if (f.fontName) box.SetSelFontName(QString::fromStdString(*f.fontName));
    if (f.fontSize) box.SetSelFontSize(*f.fontSize);
    if (f.bold) box.SetSelBold(*f.bold);
    if (f.italic) box.SetSelItalic(*f.italic);
    if (f.underline) box.SetSelUnderline(*f.underline);
    if (f.colour) box.SetSelColor(QColor(static_cast<QRgb>(*f.colour)));
    if (f.bulletIndent) box.SetBulletIndent(*f.bulletIndent);
    if (f.bullet) box.SetSelBullet(*f.bullet);
    if (f.centre) box.SetSelAlignment(Qt::AlignHCenter);
}

}  // namespace

int FillGreatCircleReport(RichTextBox& box, const GreatCircleInputs& in, const GreatCircleResult& r,
                          const GreatCircleReportContext& ctx) {
    int filled = 0;
    for (const GreatCircleSlot& slot : GreatCircleReportSlots(in, r, ctx)) {
        if (!box.MoveToNextOf(kPlaceholderMark)) break;
        box.SetSelLength(1);
        ++filled;
        for (const GreatCirclePiece& piece : slot) {
            ApplyFormat(box, piece.format);
            box.SetSelText(QString::fromStdString(piece.text));
        }
    }
    return filled;
}

}  // namespace orvex
