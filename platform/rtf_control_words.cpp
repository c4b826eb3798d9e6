// The RTF reader's control words and symbols: destinations, the font and
// colour tables, pictures, special characters, character and paragraph
// formatting.
#include <algorithm>

#include "platform/rtf_reader_state.h"

namespace orvex::rtf {

int ClampTwips(int v) {
    return std::clamp(v, -kMaxTwips, kMaxTwips);
}

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

    if (DestinationWord(w)) return;
    if (star) {
        // An ignorable destination this reader does not know.
        s.dest = Dest::Skip;
        return;
    }
    if (s.dest == Dest::Picture) {
        PictureWord(pict_, w, param);
        return;
    }
    if (s.dest == Dest::FontTable || s.dest == Dest::FontEntry) {
        FontTableWord(w, param);
        return;
    }
    if (s.dest == Dest::ColorTable) {
        ColourTableWord(w, param);
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
    if (SpecialCharacter(w)) return;
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
    if (CharacterWord(w, hasParam, param)) return;
    ParagraphWord(s.para, w, param);
}

bool Reader::DestinationWord(const QByteArray& w) {
    GroupState& s = St();
    if (w == "fonttbl") {
        s.dest = Dest::FontTable;
        return true;
    }
    if (w == "colortbl") {
        s.dest = Dest::ColorTable;
        colours_.clear();
        red_ = green_ = blue_ = -1;
        return true;
    }
    if (w == "pict") {
        Flush();
        s.dest = Dest::Picture;
        s.pictStart = true;
        pict_ = PictProps{};
        pictData_.clear();
        hexHigh_ = -1;
        return true;
    }
    if (w == "shppict" || w == "result" || w == "pntext" || w == "listtext")
        return true;  // shown as they stand
    if (w == "field") {
        fieldInst_.clear();
        return true;
    }
    if (w == "fldinst") {
        s.dest = Dest::FieldInst;
        fieldInst_.clear();
        return true;
    }
    if (w == "fldrslt") {
        s.fieldResult = true;
        const QString inst = fieldInst_.trimmed();
        if (inst.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive)) {
            const qsizetype q1 = inst.indexOf(QLatin1Char('"'));
            const qsizetype q2 = q1 >= 0 ? inst.indexOf(QLatin1Char('"'), q1 + 1) : -1;
            s.chr.href = q2 > q1 ? inst.mid(q1 + 1, q2 - q1 - 1)
                                 : inst.mid(9).trimmed().section(QLatin1Char(' '), 0, 0);
        }
        return true;
    }
    if (IsSkippedDestination(w)) {
        s.dest = Dest::Skip;
        return true;
    }
    return false;
}

void Reader::FontTableWord(const QByteArray& w, int param) {
    GroupState& s = St();
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
    // Family, pitch and the like carry nothing to read.
}

void Reader::ColourTableWord(const QByteArray& w, int param) {
    if (w == "red")
        red_ = param;
    else if (w == "green")
        green_ = param;
    else if (w == "blue")
        blue_ = param;
}

bool Reader::SpecialCharacter(const QByteArray& w) {
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
            return true;
        }
    }
    return false;
}

bool Reader::CharacterWord(const QByteArray& w, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    CharProps& c = St().chr;
    if (w == "plain") {
        const QString href = c.href;
        c = CharProps{};
        c.font = defaultFont_;
        c.href = href;
        return true;
    }
    if (w == "f") {
        c.font = param;
        return true;
    }
    if (w == "fs") {
        c.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        return true;
    }
    if (w == "b") {
        c.bold = on;
        return true;
    }
    if (w == "i") {
        c.italic = on;
        return true;
    }
    if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth" ||
        w == "ulwave" || w == "uldashd" || w == "uldashdd" || w == "ulhair" || w == "ulthd" ||
        w == "ulthdash" || w == "ulldash" || w == "ulthldash" || w == "ulthdashd" ||
        w == "ulthdashdd" || w == "ululdbwave" || w == "ulhwave") {
        c.underline = on;
        return true;
    }
    if (w == "ulnone") {
        c.underline = false;
        return true;
    }
    if (w == "strike" || w == "striked") {
        c.strike = on;
        return true;
    }
    if (w == "sub") {
        c.vertical = on ? -1 : 0;
        return true;
    }
    if (w == "super") {
        c.vertical = on ? 1 : 0;
        return true;
    }
    if (w == "nosupersub") {
        c.vertical = 0;
        return true;
    }
    if (w == "cf") {
        c.colour = param;
        return true;
    }
    if (w == "highlight" || w == "cb" || w == "chcbpat") {
        c.background = param;
        return true;
    }
    if (w == "v") {
        c.hidden = on;
        return true;
    }
    return false;
}

bool ParagraphWord(ParaProps& p, const QByteArray& w, int param) {
    if (w == "pard") {
        p = ParaProps{};
        return true;
    }
    if (w == "li" || w == "lin") {
        p.left = ClampTwips(param);
        return true;
    }
    if (w == "ri" || w == "rin") {
        p.right = ClampTwips(param);
        return true;
    }
    if (w == "fi") {
        p.first = ClampTwips(param);
        return true;
    }
    if (w == "sb") {
        p.before = ClampTwips(std::max(0, param));
        return true;
    }
    if (w == "sa") {
        p.after = ClampTwips(std::max(0, param));
        return true;
    }
    if (w == "sl") {
        // \sl1000 is a word processor's way of saying "single".
        p.lineSpacing = (param == 1000 || param == 0) ? 0 : ClampTwips(param);
        return true;
    }
    if (w == "slmult") {
        p.lineMultiple = param != 0;
        return true;
    }
    if (w == "ql") {
        p.align = Qt::AlignLeft;
        return true;
    }
    if (w == "qc") {
        p.align = Qt::AlignHCenter;
        return true;
    }
    if (w == "qr") {
        p.align = Qt::AlignRight;
        return true;
    }
    if (w == "qj") {
        p.align = Qt::AlignJustify;
        return true;
    }
    if (w == "tqr") {
        p.nextTabType = QTextOption::RightTab;
        return true;
    }
    if (w == "tqc") {
        p.nextTabType = QTextOption::CenterTab;
        return true;
    }
    if (w == "tqdec") {
        p.nextTabType = QTextOption::DelimiterTab;
        return true;
    }
    if (w == "tx" || w == "tb") {
        if (p.tabs.size() < 64) p.tabs.push_back({std::clamp(param, 0, kMaxTwips), p.nextTabType});
        p.nextTabType = QTextOption::LeftTab;
        return true;
    }
    return false;
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

}  // namespace orvex::rtf
