// Writing the RTF reader's text into the document: the pending run of
// characters in its format, paragraphs with their format, pictures.
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "platform/rtf_reader_state.h"

namespace orvex::rtf {

void Reader::Flush() {
    if (!pendingValid_) return;
    if (!pending_.isEmpty()) cursor_.insertText(pending_, pendingFormat_);
    pending_.clear();
    pendingValid_ = false;
}

const QColor* Reader::TableColour(int index) const {
    if (index <= 0 || index >= static_cast<int>(colours_.size())) return nullptr;
    const QColor& c = colours_[static_cast<size_t>(index)];
    return c.isValid() ? &c : nullptr;
}

QTextCharFormat Reader::CharFormat() const {
    const CharProps& p = stack_.back().chr;
    QTextCharFormat f;
    auto it = fonts_.find(p.font >= 0 ? p.font : defaultFont_);
    // Symbol-font characters are read as Unicode: drawn in a font of that
    // name they would show the missing-glyph box where it lacks them, so
    // they take the document's default font (and its fallbacks).
    if (it != fonts_.end() && it->second.symbol) it = fonts_.find(defaultFont_);
    if (it != fonts_.end() && !it->second.symbol && !it->second.name.isEmpty())
        f.setFontFamilies(QStringList{it->second.name});
    f.setFontPointSize(std::clamp(p.halfPoints, 2, 3276) / 2.0);
    f.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(p.italic);
    f.setFontUnderline(p.underline);
    f.setFontStrikeOut(p.strike);
    if (p.vertical < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (p.vertical > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (const QColor* c = TableColour(p.colour)) f.setForeground(*c);
    if (const QColor* c = TableColour(p.background)) f.setBackground(*c);
    if (!p.href.isEmpty()) {
        f.setAnchor(true);
        f.setAnchorHref(p.href);
    }
    return f;
}

QTextBlockFormat Reader::BlockFormat() const {
    const ParaProps& p = stack_.back().para;
    QTextBlockFormat f;
    f.setAlignment(p.align);
    f.setLeftMargin(p.left / kTwipsPerPixel);
    f.setRightMargin(p.right / kTwipsPerPixel);
    f.setTextIndent(p.first / kTwipsPerPixel);
    f.setTopMargin(p.before / kTwipsPerPixel);
    f.setBottomMargin(p.after / kTwipsPerPixel);
    if (!p.tabs.empty()) {
        QList<QTextOption::Tab> tabs;
        for (const TabStop& t : p.tabs)
            tabs.append(QTextOption::Tab(t.twips / kTwipsPerPixel, t.type));
        f.setTabPositions(tabs);
    }
    if (p.lineSpacing != 0) {
        if (p.lineMultiple && p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing / kTwipsPerPixel, QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(-p.lineSpacing / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
    }
    if (blockBreakBefore_) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
}

void Reader::EndParagraph(bool pageBreakAfter) {
    Flush();
    cursor_.setBlockFormat(BlockFormat());
    blockBreakBefore_ = pageBreakAfter;
    // The paragraph mark carries the character format too (its size sets
    // the height of an empty line).
    cursor_.insertBlock(BlockFormat(), CharFormat());
}

void Reader::FinishDocument() {
    Flush();
    // The last paragraph mark of a file ends the last paragraph: it does not
    // open an empty one.
    QTextBlock last = doc_.lastBlock();
    if (last.length() <= 1 && doc_.blockCount() > 1) {
        QTextCursor c(&doc_);
        c.movePosition(QTextCursor::End);
        c.deletePreviousChar();
    }
}

void Reader::EndFontName() {
    if (fontNameDone_) return;
    FontInfo& f = fonts_[currentFontEntry_];
    f.name = f.name.trimmed();
    if (f.name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0) f.symbol = true;
    fontNameDone_ = true;
}

void Reader::InsertPicture() {
    const QByteArray data = pictData_;
    pictData_.clear();
    hexHigh_ = -1;
    const PictProps p = pict_;
    pict_ = PictProps{};
    if (St().chr.hidden) return;
    if (p.kind != PictProps::Png && p.kind != PictProps::Jpeg) {
        ++result_.droppedPictures;
        return;
    }
    QImage image;
    if (!image.loadFromData(data, p.kind == PictProps::Png ? "PNG" : "JPEG") || image.isNull()) {
        ++result_.droppedPictures;
        return;
    }
    // Display size: the goal size when given, else the picture's own size
    // at 96 pixels per inch; then the scale in percent.
    double wTw = p.goalW > 0 ? p.goalW : image.width() * kTwipsPerPixel;
    double hTw = p.goalH > 0 ? p.goalH : image.height() * kTwipsPerPixel;
    wTw = std::clamp(wTw * std::clamp(p.scaleX, 1, 1000) / 100.0, 1.0, double(kMaxTwips));
    hTw = std::clamp(hTw * std::clamp(p.scaleY, 1, 1000) / 100.0, 1.0, double(kMaxTwips));
    const QString name = QStringLiteral("rtfpicture:%1").arg(result_.pictures + 1);
    doc_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.merge(CharFormat());
    f.setName(name);
    f.setWidth(wTw / kTwipsPerPixel);
    f.setHeight(hTw / kTwipsPerPixel);
    f.setProperty(kImageWidthTwips, qRound(wTw));
    f.setProperty(kImageHeightTwips, qRound(hTw));
    cursor_.insertImage(f);
    ++result_.pictures;
}

}  // namespace orvex::rtf
