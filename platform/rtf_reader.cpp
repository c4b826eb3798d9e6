// Reading an RTF document token by token: groups, control words and
// symbols, bytes and Unicode characters, picture data.
#include "platform/rtf_reader.h"

#include <QFile>
#include <QTextDocument>
#include <algorithm>

#include "platform/rtf_reader_state.h"

namespace orvex {

namespace rtf {

namespace {

bool IsLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The value of a hexadecimal digit, or -1.
int HexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

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

bool Reader::SkipFallback() {
    if (ucSkip <= 0) return false;
    --ucSkip;
    return true;
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
            Backslash();
            continue;
        }
        if (c == '\r' || c == '\n') continue;  // line ends in the file are not text
        if (SkipFallback()) continue;
        if (St().dest == Dest::Picture) {
            PictureDigit(c);
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

void Reader::Backslash() {
    const int n = Peek();
    if (n < 0) return;  // a backslash that ends the data
    if (IsLetter(n)) {
        ReadControlWord();
        return;
    }
    ++pos_;
    if (n == '\'') {
        ReadHexByte();
        return;
    }
    if (n == '*') {
        starDestination_ = true;
        return;
    }
    if (SkipFallback()) return;
    if (n == '\r' || n == '\n')  // "\" at a line end is a paragraph end
        ControlWord("par", false, 0);
    else
        ControlSymbol(n);
}

void Reader::ReadControlWord() {
    QByteArray word;
    while (pos_ < in_.size()) {
        const int k = Peek();
        if (!IsLetter(k)) break;
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
        const qsizetype n2 = std::clamp<qsizetype>(hasParam ? param : 0, 0, in_.size() - pos_);
        if (St().dest == Dest::Picture && pictData_.size() + n2 <= kMaxPictureBytes)
            pictData_.append(in_.constData() + pos_, n2);
        pos_ += n2;
        starDestination_ = false;
        return;
    }
    // A control word stands for one fallback character.
    if (word != "u" && SkipFallback()) return;
    ControlWord(word, hasParam, param);
    starDestination_ = false;
}

void Reader::ReadHexByte() {
    int v = 0, got = 0;
    for (; got < 2; ++got) {
        const int d = HexValue(Peek());
        if (d < 0) break;
        v = v * 16 + d;
        ++pos_;
    }
    if (SkipFallback()) return;
    if (got > 0) Byte(static_cast<unsigned char>(v));
}

void Reader::PictureDigit(int c) {
    const int d = HexValue(c);
    if (d < 0) return;
    if (hexHigh_ < 0) {
        hexHigh_ = d;
        return;
    }
    if (pictData_.size() < kMaxPictureBytes) pictData_.append(static_cast<char>(hexHigh_ * 16 + d));
    hexHigh_ = -1;
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

}  // namespace rtf

RtfReadResult ReadRtf(const QByteArray& data, QTextDocument& doc) {
    // The reader refuses a file only before it touches the document; once
    // started it reads to the end, so `doc` is never left half-loaded.
    rtf::Reader reader(data, doc);
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
