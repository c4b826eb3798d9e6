#include "platform/rtf_reader.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace orvex {

// ---------------------------------------------------------------------------
// Character sets

QChar Cp1252Char(unsigned char b) {
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (b >= 0x80 && b <= 0x9F) return QChar(high[b - 0x80]);
    return QChar(static_cast<char16_t>(b));
}

QChar SymbolFontChar(unsigned char b) {
    // The Symbol font's code points and the Unicode characters they draw.
    static const char16_t low[0x7F - 0x20] = {
        0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,  // 20
        0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,  // 28
        0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30
        0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 38
        0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,  // 40
        0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,  // 48
        0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,  // 50
        0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,  // 58
        0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,  // 60
        0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,  // 68
        0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,  // 70
        0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C};         // 78
    static const char16_t high[0xFF - 0xA0] = {
        0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,  // A0
        0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,  // A8
        0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,  // B0
        0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,  // B8
        0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,  // C0
        0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,  // C8
        0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,  // D0
        0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,  // D8
        0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,  // E0
        0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,  // E8
        0xFFFD, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,  // F0
        0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD};         // F8
    if (b >= 0x20 && b <= 0x7E) return QChar(low[b - 0x20]);
    if (b >= 0xA0 && b <= 0xFE) return QChar(high[b - 0xA0]);
    return Cp1252Char(b);
}

namespace {

// ---------------------------------------------------------------------------
// Reader state

enum class Dest {
    Body,  // text goes into the document
    FontTable,
    FontEntry,  // one font of the table (its name is the text)
    ColorTable,
    Picture,    // hex or binary picture data
    FieldInst,  // field instruction text, kept for HYPERLINK
    Skip,       // read and dropped
};

struct CharProps {
    int font = -1;  // index in the font table; -1 none
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;    // -1 sub, +1 super
    int colour = 0;      // index in the colour table; 0 automatic
    int background = 0;  // \highlight or \cb: index in the colour table; 0 none
    bool hidden = false;
    QString href;  // link target inside a HYPERLINK field result
};

struct TabStop {
    int twips;
    QTextOption::TabType type;
};

struct ParaProps {
    int left = 0, right = 0, first = 0;  // twips
    int before = 0, after = 0;           // twips
    Qt::Alignment align = Qt::AlignLeft;
    int lineSpacing = 0;        // \sl: twips (negative: exactly), or 240ths of a line
    bool lineMultiple = false;  // \slmult1: lineSpacing counts 240ths of a line
    std::vector<TabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct PictProps {
    enum Kind { None, Png, Jpeg, Other } kind = None;
    int goalW = 0, goalH = 0;  // twips
    int picW = 0, picH = 0;    // source size, pixels (or metafile units)
    int scaleX = 100, scaleY = 100;
};

struct GroupState {
    Dest dest = Dest::Body;
    CharProps chr;
    ParaProps para;
    int uc = 1;
    bool fieldResult = false;
    bool pictStart = false;  // this group opened a picture
};

struct FontInfo {
    QString name;
    bool symbol = false;
};

// The document is limited in what it will grow to, so that damaged input
// cannot eat the memory.
constexpr qsizetype kMaxPictureBytes = 32 * 1024 * 1024;
constexpr int kMaxTwips = 31680;  // 22 inches: larger lengths are clamped

int ClampTwips(int v) {
    return std::clamp(v, -kMaxTwips, kMaxTwips);
}

// The words of a picture group: its format, goal size and scale.
bool PictureWord(PictProps& p, const QByteArray& w, int param) {
    if (w == "pngblip") {
        p.kind = PictProps::Png;
        return true;
    }
    if (w == "jpegblip") {
        p.kind = PictProps::Jpeg;
        return true;
    }
    if (w == "emfblip" || w == "wmetafile" || w == "macpict" || w == "dibitmap" || w == "wbitmap" ||
        w == "pmmetafile") {
        p.kind = PictProps::Other;
        return true;
    }
    if (w == "picwgoal") {
        p.goalW = std::clamp(param, 0, kMaxTwips);
        return true;
    }
    if (w == "pichgoal") {
        p.goalH = std::clamp(param, 0, kMaxTwips);
        return true;
    }
    if (w == "picw") {
        p.picW = param;
        return true;
    }
    if (w == "pich") {
        p.picH = param;
        return true;
    }
    if (w == "picscalex") {
        p.scaleX = param;
        return true;
    }
    if (w == "picscaley") {
        p.scaleY = param;
        return true;
    }
    return false;
}

class Reader {
  public:
    Reader(const QByteArray& data, QTextDocument& doc) : in_(data), doc_(doc), cursor_(&doc) {}

    RtfReadResult Run();

  private:
    // Input
    int Peek() const { return pos_ < in_.size() ? static_cast<unsigned char>(in_[pos_]) : -1; }
    int Get() { return pos_ < in_.size() ? static_cast<unsigned char>(in_[pos_++]) : -1; }

    // Groups
    GroupState& St() { return stack_.back(); }
    bool OpenGroup();
    void CloseGroup();

    // Tokens
    void ControlWord(const QByteArray& word, bool hasParam, int param);
    void ControlSymbol(int c);
    void Char(QChar c);          // a character of text in the current destination
    void Byte(unsigned char b);  // a byte in code page terms (\'hh or raw)
    void Unicode(int value);

    // Body output
    void Flush();
    QTextCharFormat CharFormat() const;
    QTextBlockFormat BlockFormat() const;
    void EndParagraph(bool pageBreakAfter);
    void FinishDocument();
    void InsertPicture();
    void EndFontName();

    QByteArray in_;
    qsizetype pos_ = 0;
    QTextDocument& doc_;
    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    bool starDestination_ = false;  // the last token was \*
    int ucSkip = 0;                 // fallback characters still to skip

    std::map<int, FontInfo> fonts_;
    int currentFontEntry_ = 0;
    bool fontNameDone_ = false;
    int excessDepth_ = 0;  // groups nested beyond kMaxRtfDepth, dropped whole
    int defaultFont_ = -1;
    std::vector<QColor> colours_;  // index 0 first; invalid = automatic
    int red_ = -1, green_ = -1, blue_ = -1;

    QString pending_;
    QTextCharFormat pendingFormat_;
    bool pendingValid_ = false;
    bool blockBreakBefore_ = false;  // the current block starts a new page

    PictProps pict_;
    QByteArray pictData_;
    int hexHigh_ = -1;

    QString fieldInst_;
    RtfReadResult result_;
};

bool Reader::OpenGroup() {
    if (static_cast<int>(stack_.size()) >= kMaxRtfDepth) return false;
    GroupState s = stack_.back();
    s.fieldResult = false;
    s.pictStart = false;
    stack_.push_back(s);
    return true;
}

void Reader::CloseGroup() {
    if (stack_.size() <= 1) return;  // a surplus "}" is ignored
    if (St().pictStart) {
        Flush();
        stack_.pop_back();  // the picture takes the format around it
        InsertPicture();
        ucSkip = 0;
        return;
    }
    if (St().dest == Dest::FontEntry) EndFontName();
    // Formatting changes at the group's end: what was read so far keeps the
    // group's format.
    if (St().dest == Dest::Body) Flush();
    // The document's own group ends: its last paragraph, with no paragraph
    // mark of its own, takes the paragraph format that stands here.
    if (stack_.size() == 2) cursor_.setBlockFormat(BlockFormat());
    stack_.pop_back();
    ucSkip = 0;
}

RtfReadResult Reader::Run() {
    // "{\rtf" must open the text (blanks before it are tolerated).
    qsizetype start = 0;
    while (start < in_.size() &&
           (in_[start] == ' ' || in_[start] == '\r' || in_[start] == '\n' || in_[start] == '\t'))
        ++start;
    if (!in_.mid(start, 5).startsWith("{\\rtf")) {
        result_.error = QStringLiteral(
            "The file is not a rich-text document (it does not start "
            "with {\\rtf).");
        return result_;
    }
    pos_ = start;
    stack_.push_back(GroupState{});
    stack_.back().dest = Dest::Skip;  // outside the document's own group
    doc_.clear();
    cursor_ = QTextCursor(&doc_);
    bool opened = false;

    while (pos_ < in_.size()) {
        const int c = Get();
        if (excessDepth_ > 0) {
            // Inside a group nested too deeply: only its braces count.
            if (c == '{')
                ++excessDepth_;
            else if (c == '}')
                --excessDepth_;
            else if (c == '\\' && pos_ < in_.size())
                ++pos_;
            continue;
        }
        if (c == '{') {
            if (!OpenGroup()) {
                excessDepth_ = 1;
                continue;
            }
            if (!opened) {
                St().dest = Dest::Body;
                opened = true;
            }
            ucSkip = 0;
            continue;
        }
        if (c == '}') {
            CloseGroup();
            if (stack_.size() == 1) break;  // the document's group is closed
            continue;
        }
        if (c == '\\') {
            const int n = Peek();
            if (n < 0) break;
            if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
                QByteArray word;
                while (pos_ < in_.size()) {
                    const int k = Peek();
                    if (!((k >= 'a' && k <= 'z') || (k >= 'A' && k <= 'Z'))) break;
                    if (word.size() < 32) word += static_cast<char>(k);
                    ++pos_;
                }
                bool neg = false, hasParam = false;
                long long value = 0;
                if (Peek() == '-') {
                    const qsizetype save = pos_;
                    ++pos_;
                    if (Peek() >= '0' && Peek() <= '9')
                        neg = true;
                    else
                        pos_ = save;
                }
                int digits = 0;
                while (Peek() >= '0' && Peek() <= '9') {
                    if (digits < 10)
                        value = value * 10 + (Get() - '0');
                    else
                        ++pos_;
                    ++digits;
                    hasParam = true;
                }
                if (Peek() == ' ') ++pos_;  // the delimiting blank belongs to the word
                value = std::clamp<long long>(neg ? -value : value, -2147483647LL, 2147483647LL);
                const int param = static_cast<int>(value);
                if (word == "bin") {
                    // Binary data: taken as picture data, skipped elsewhere.
                    const qsizetype n2 =
                        std::clamp<qsizetype>(hasParam ? param : 0, 0, in_.size() - pos_);
                    if (St().dest == Dest::Picture && pictData_.size() + n2 <= kMaxPictureBytes)
                        pictData_.append(in_.constData() + pos_, n2);
                    pos_ += n2;
                    starDestination_ = false;
                    continue;
                }
                if (ucSkip > 0 && word != "u") {
                    --ucSkip;  // a control word stands for one fallback character
                    continue;
                }
                ControlWord(word, hasParam, param);
                starDestination_ = (false);
                continue;
            }
            ++pos_;
            if (n == '\'') {
                int v = 0, got = 0;
                for (; got < 2; ++got) {
                    const int h = Peek();
                    int d;
                    if (h >= '0' && h <= '9')
                        d = h - '0';
                    else if (h >= 'a' && h <= 'f')
                        d = h - 'a' + 10;
                    else if (h >= 'A' && h <= 'F')
                        d = h - 'A' + 10;
                    else
                        break;
                    v = v * 16 + d;
                    ++pos_;
                }
                if (ucSkip > 0) {
                    --ucSkip;
                    continue;
                }
                if (got > 0) Byte(static_cast<unsigned char>(v));
                continue;
            }
            if (n == '*') {
                starDestination_ = true;
                continue;
            }
            if (n == '\r' || n == '\n') {  // "\" at a line end is a paragraph end
                if (ucSkip > 0) {
                    --ucSkip;
                    continue;
                }
                ControlWord("par", false, 0);
                continue;
            }
            if (ucSkip > 0) {
                --ucSkip;
                continue;
            }
            ControlSymbol(n);
            continue;
        }
        if (c == '\r' || c == '\n') continue;  // line ends in the file are not text
        if (ucSkip > 0) {
            --ucSkip;
            continue;
        }
        if (St().dest == Dest::Picture) {
            int d = -1;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            if (d < 0) continue;
            if (hexHigh_ < 0) {
                hexHigh_ = d;
            } else {
                if (pictData_.size() < kMaxPictureBytes)
                    pictData_.append(static_cast<char>(hexHigh_ * 16 + d));
                hexHigh_ = -1;
            }
            continue;
        }
        if (c == '\t') {
            Char(QLatin1Char('\t'));
            continue;
        }
        Byte(static_cast<unsigned char>(c));
    }
    // Groups left open at the end of the data are closed.
    while (stack_.size() > 1) CloseGroup();
    FinishDocument();
    result_.ok = true;
    return result_;
}

void Reader::Byte(unsigned char b) {
    const Dest d = St().dest;
    if (d == Dest::Body) {
        const int f = St().chr.font;
        const auto it = fonts_.find(f);
        const bool symbol = it != fonts_.end() && it->second.symbol;
        Char(symbol ? SymbolFontChar(b) : Cp1252Char(b));
        return;
    }
    if (d == Dest::ColorTable && b == ';') {
        if (red_ < 0 && green_ < 0 && blue_ < 0)
            colours_.push_back(QColor());
        else
            colours_.push_back(QColor(std::clamp(red_, 0, 255), std::clamp(green_, 0, 255),
                                      std::clamp(blue_, 0, 255)));
        red_ = green_ = blue_ = -1;
        return;
    }
    Char(Cp1252Char(b));
}

void Reader::Unicode(int value) {
    if (value < 0) value += 65536;
    if (value < 0 || value > 0xFFFF) value = 0xFFFD;
    const Dest d = St().dest;
    QChar c(static_cast<char16_t>(value));
    // A Symbol-font character written in the private area (U+F020..U+F0FF).
    if (d == Dest::Body && value >= 0xF020 && value <= 0xF0FF) {
        const auto it = fonts_.find(St().chr.font);
        if (it != fonts_.end() && it->second.symbol)
            c = SymbolFontChar(static_cast<unsigned char>(value - 0xF000));
    }
    Char(c);
    ucSkip = std::max(0, St().uc);
}

void Reader::Char(QChar c) {
    GroupState& s = St();
    switch (s.dest) {
        case Dest::Body:
            if (s.chr.hidden) return;
            if (c.unicode() == 0) return;
            {
                const QTextCharFormat f = CharFormat();
                if (pendingValid_ && f != pendingFormat_) Flush();
                if (!pendingValid_) {
                    pendingFormat_ = f;
                    pendingValid_ = true;
                }
                pending_ += c;
            }
            return;
        case Dest::FontEntry:
        case Dest::FontTable:
            if (fontNameDone_) return;
            if (c == u';') {
                EndFontName();
                return;
            }
            if (fonts_[currentFontEntry_].name.size() < 200) fonts_[currentFontEntry_].name += c;
            return;
        case Dest::FieldInst:
            if (fieldInst_.size() < 2000) fieldInst_ += c;
            return;
        default:
            return;
    }
}

void Reader::Flush() {
    if (!pendingValid_) return;
    if (!pending_.isEmpty()) cursor_.insertText(pending_, pendingFormat_);
    pending_.clear();
    pendingValid_ = false;
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
    if (p.colour > 0 && p.colour < static_cast<int>(colours_.size()) &&
        colours_[p.colour].isValid())
        f.setForeground(colours_[p.colour]);
    if (p.background > 0 && p.background < static_cast<int>(colours_.size()) &&
        colours_[p.background].isValid())
        f.setBackground(colours_[p.background]);
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

// Destinations that hold no body text.
bool IsSkippedDestination(const QByteArray& w) {
    static const char* const names[] = {"stylesheet",
                                        "info",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "footnote",
                                        "annotation",
                                        "xe",
                                        "tc",
                                        "txe",
                                        "object",
                                        "objdata",
                                        "objclass",
                                        "nonshppict",
                                        "private",
                                        "template",
                                        "revtbl",
                                        "rsidtbl",
                                        "listtable",
                                        "listoverridetable",
                                        "pgdsctbl",
                                        "generator",
                                        "themedata",
                                        "colorschememapping",
                                        "latentstyles",
                                        "datastore",
                                        "xmlnstbl",
                                        "pn",
                                        "bkmkstart",
                                        "bkmkend",
                                        "fldtype",
                                        "userprops",
                                        "docvar",
                                        "company",
                                        "title",
                                        "subject",
                                        "author",
                                        "operator",
                                        "keywords",
                                        "comment",
                                        "doccomm",
                                        "creatim",
                                        "revtim",
                                        "printim",
                                        "buptim",
                                        "mmathPr",
                                        "ftnsep",
                                        "ftnsepc",
                                        "ftncn",
                                        "aftnsep",
                                        "aftnsepc",
                                        "aftncn",
                                        "shpinst",
                                        "sp",
                                        "sn",
                                        "sv",
                                        "passwordhash",
                                        "protusertbl",
                                        "wgrffmtfilter",
                                        "pgdsc",
                                        "ud",
                                        "upr",
                                        "atnid",
                                        "atnauthor",
                                        "atndate",
                                        "atnref",
                                        "filetbl",
                                        "falt",
                                        "panose",
                                        "fname"};
    for (const char* n : names)
        if (w == n) return true;
    return false;
}

void Reader::ControlWord(const QByteArray& w, bool hasParam, int param) {
    GroupState& s = St();
    const bool star = starDestination_;
    starDestination_ = false;

    // Destinations
    if (w == "fonttbl") {
        s.dest = Dest::FontTable;
        return;
    }
    if (w == "colortbl") {
        s.dest = Dest::ColorTable;
        colours_.clear();
        red_ = green_ = blue_ = -1;
        return;
    }
    if (w == "pict") {
        Flush();
        s.dest = Dest::Picture;
        s.pictStart = true;
        pict_ = PictProps{};
        pictData_.clear();
        hexHigh_ = -1;
        return;
    }
    if (w == "shppict" || w == "result" || w == "pntext" || w == "listtext")
        return;  // shown as they stand
    if (w == "field") {
        fieldInst_.clear();
        return;
    }
    if (w == "fldinst") {
        s.dest = Dest::FieldInst;
        fieldInst_.clear();
        return;
    }
    if (w == "fldrslt") {
        s.fieldResult = true;
        const QString inst = fieldInst_.trimmed();
        if (inst.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive)) {
            const int q1 = inst.indexOf(QLatin1Char('"'));
            const int q2 = q1 >= 0 ? inst.indexOf(QLatin1Char('"'), q1 + 1) : -1;
            s.chr.href = q2 > q1 ? inst.mid(q1 + 1, q2 - q1 - 1)
                                 : inst.mid(9).trimmed().section(QLatin1Char(' '), 0, 0);
        }
        return;
    }
    if (IsSkippedDestination(w)) {
        s.dest = Dest::Skip;
        return;
    }
    if (star) {
        // An ignorable destination this reader does not know.
        s.dest = Dest::Skip;
        return;
    }

    if (s.dest == Dest::Picture) {
        PictureWord(pict_, w, param);
        return;
    }

    // Font table entries
    if (s.dest == Dest::FontTable || s.dest == Dest::FontEntry) {
        if (w == "f") {
            currentFontEntry_ = param;
            fonts_[param].name.clear();
            fontNameDone_ = false;
            if (s.dest == Dest::FontTable && stack_.size() > 1) {
                // "{\f0 Arial;}" groups and the flat "\f0 Arial;\f1 ..." form
                const GroupState& parent = stack_[stack_.size() - 2];
                s.dest = parent.dest == Dest::FontTable ? Dest::FontEntry : Dest::FontTable;
            }
            return;
        }
        if (w == "fcharset") {
            if (param == 2) fonts_[currentFontEntry_].symbol = true;
            return;
        }
        return;  // family, pitch and the like
    }
    if (s.dest == Dest::ColorTable) {
        if (w == "red")
            red_ = param;
        else if (w == "green")
            green_ = param;
        else if (w == "blue")
            blue_ = param;
        return;
    }
    if (w == "u") {
        if (hasParam) Unicode(param);
        return;
    }
    if (w == "uc") {
        s.uc = std::clamp(param, 0, 10);
        return;
    }
    if (w == "deff") {
        defaultFont_ = param;
        return;
    }

    // Special characters
    struct Special {
        const char* word;
        char16_t ch;
    };
    static const Special specials[] = {{"tab", u'\t'},        {"line", QChar::LineSeparator},
                                       {"emdash", 0x2014},    {"endash", 0x2013},
                                       {"bullet", 0x2022},    {"lquote", 0x2018},
                                       {"rquote", 0x2019},    {"ldblquote", 0x201C},
                                       {"rdblquote", 0x201D}, {"emspace", 0x2003},
                                       {"enspace", 0x2002},   {"qmspace", 0x2005},
                                       {"cell", u'\t'},       {"zwj", 0x200D},
                                       {"zwnj", 0x200C},      {"lbr", QChar::LineSeparator}};
    for (const Special& sp : specials) {
        if (w == sp.word) {
            Char(QChar(sp.ch));
            return;
        }
    }
    if (s.dest != Dest::Body) return;

    // Paragraph ends
    if (w == "par" || w == "row" || w == "sect") {
        EndParagraph(false);
        return;
    }
    if (w == "page") {
        EndParagraph(true);
        return;
    }

    // Character formatting
    const bool on = !hasParam || param != 0;
    CharProps& c = s.chr;
    if (w == "plain") {
        const QString href = c.href;
        c = CharProps{};
        c.font = defaultFont_;
        c.href = href;
        return;
    }
    if (w == "f") {
        c.font = param;
        return;
    }
    if (w == "fs") {
        c.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        return;
    }
    if (w == "b") {
        c.bold = on;
        return;
    }
    if (w == "i") {
        c.italic = on;
        return;
    }
    if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth" ||
        w == "ulwave" || w == "uldashd" || w == "uldashdd" || w == "ulhair" || w == "ulthd" ||
        w == "ulthdash" || w == "ulldash" || w == "ulthldash" || w == "ulthdashd" ||
        w == "ulthdashdd" || w == "ululdbwave" || w == "ulhwave") {
        c.underline = on;
        return;
    }
    if (w == "ulnone") {
        c.underline = false;
        return;
    }
    if (w == "strike" || w == "striked") {
        c.strike = on;
        return;
    }
    if (w == "sub") {
        c.vertical = on ? -1 : 0;
        return;
    }
    if (w == "super") {
        c.vertical = on ? 1 : 0;
        return;
    }
    if (w == "nosupersub") {
        c.vertical = 0;
        return;
    }
    if (w == "cf") {
        c.colour = param;
        return;
    }
    if (w == "highlight" || w == "cb" || w == "chcbpat") {
        c.background = param;
        return;
    }
    if (w == "v") {
        c.hidden = on;
        return;
    }

    // Paragraph formatting
    ParaProps& p = s.para;
    if (w == "pard") {
        p = ParaProps{};
        return;
    }
    if (w == "li" || w == "lin") {
        p.left = ClampTwips(param);
        return;
    }
    if (w == "ri" || w == "rin") {
        p.right = ClampTwips(param);
        return;
    }
    if (w == "fi") {
        p.first = ClampTwips(param);
        return;
    }
    if (w == "sb") {
        p.before = ClampTwips(std::max(0, param));
        return;
    }
    if (w == "sa") {
        p.after = ClampTwips(std::max(0, param));
        return;
    }
    if (w == "sl") {
        // \sl1000 is a word processor's way of saying "single".
        p.lineSpacing = (param == 1000 || param == 0) ? 0 : ClampTwips(param);
        return;
    }
    if (w == "slmult") {
        p.lineMultiple = param != 0;
        return;
    }
    if (w == "ql") {
        p.align = Qt::AlignLeft;
        return;
    }
    if (w == "qc") {
        p.align = Qt::AlignHCenter;
        return;
    }
    if (w == "qr") {
        p.align = Qt::AlignRight;
        return;
    }
    if (w == "qj") {
        p.align = Qt::AlignJustify;
        return;
    }
    if (w == "tqr") {
        p.nextTabType = QTextOption::RightTab;
        return;
    }
    if (w == "tqc") {
        p.nextTabType = QTextOption::CenterTab;
        return;
    }
    if (w == "tqdec") {
        p.nextTabType = QTextOption::DelimiterTab;
        return;
    }
    if (w == "tx" || w == "tb") {
        if (p.tabs.size() < 64) p.tabs.push_back({std::clamp(param, 0, kMaxTwips), p.nextTabType});
        p.nextTabType = QTextOption::LeftTab;
        return;
    }
    (void)p;
}

void Reader::ControlSymbol(int c) {
    starDestination_ = false;
    switch (c) {
        case '\\':
        case '{':
        case '}':
            Char(QChar(c));
            return;
        case '~':
            Char(QChar(0x00A0));
            return;
        case '-':
            Char(QChar(0x00AD));
            return;
        case '_':
            Char(QChar(0x2011));
            return;
        case '\t':
            Char(QLatin1Char('\t'));
            return;
        default:
            return;  // \| \: and others carry nothing to show
    }
}

}  // namespace

RtfReadResult ReadRtf(const QByteArray& data, QTextDocument& doc) {
    // The reader refuses a file only before it touches the document; once
    // started it reads to the end, so `doc` is never left half-loaded.
    Reader reader(data, doc);
    return reader.Run();
}

RtfReadResult ReadRtfFile(const QString& path, QTextDocument& doc) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        RtfReadResult r;
        r.error = QStringLiteral("The file %1 could not be opened: %2.").arg(path, f.errorString());
        return r;
    }
    return ReadRtf(f.readAll(), doc);
}

}  // namespace orvex
