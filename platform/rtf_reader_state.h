// The RTF reader's state and steps, shared by its files (rtf_reader.cpp
// reads the tokens, rtf_control_words.cpp applies the control words,
// rtf_document_output.cpp writes the document). Not for use elsewhere: the
// face of the reader is platform/rtf_reader.h.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>
#include <map>
#include <vector>

#include "platform/rtf_reader.h"

class QTextDocument;

namespace orvex::rtf {

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

// A length in twips within +-kMaxTwips.
int ClampTwips(int v);

// Applies a word of a picture group (its format, goal size, scale) to `p`;
// false when the word is none of them.
bool PictureWord(PictProps& p, const QByteArray& w, int param);
// Applies a paragraph-formatting word to `p`; false when the word is none.
bool ParagraphWord(ParaProps& p, const QByteArray& w, int param);
// Destinations that hold no body text.
bool IsSkippedDestination(const QByteArray& w);

class Reader {
  public:
    Reader(const QByteArray& data, QTextDocument& doc) : in_(data), doc_(doc), cursor_(&doc) {}

    RtfReadResult Run();

  private:
    // Input
    int Peek() const { return pos_ < in_.size() ? static_cast<unsigned char>(in_[pos_]) : -1; }
    int Get() { return pos_ < in_.size() ? static_cast<unsigned char>(in_[pos_++]) : -1; }
    // Takes the character as one of the fallback characters after a \uN
    // when some are still due; true when it was taken.
    bool SkipFallback();

    // Groups
    GroupState& St() { return stack_.back(); }
    bool OpenGroup();
    void CloseGroup();

    // Tokens
    // What follows a backslash: a control word, a symbol, a "\'hh" byte.
    void Backslash();
    void ReadControlWord();
    void ReadHexByte();
    // A hexadecimal digit of picture data.
    void PictureDigit(int c);
    void ControlWord(const QByteArray& word, bool hasParam, int param);
    // The words that open a destination; false when `w` is none of them.
    bool DestinationWord(const QByteArray& w);
    void FontTableWord(const QByteArray& w, int param);
    void ColourTableWord(const QByteArray& w, int param);
    // A word that stands for one character (\tab, \emdash, ...); false when
    // `w` is none of them.
    bool SpecialCharacter(const QByteArray& w);
    bool CharacterWord(const QByteArray& w, bool hasParam, int param);
    void ControlSymbol(int c);
    void Char(QChar c);          // a character of text in the current destination
    void Byte(unsigned char b);  // a byte in code page terms (\'hh or raw)
    void Unicode(int value);

    // Body output
    void Flush();
    // The colour table's entry `index`, or null for automatic or an index
    // the table does not hold.
    const QColor* TableColour(int index) const;
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

}  // namespace orvex::rtf
