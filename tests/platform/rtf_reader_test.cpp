// The RTF reader: our own documents, a document as a word processor saves
// it again, and damaged input.
#include "platform/rtf_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGlyphRun>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>
#include <QVariant>
#include <random>

namespace orvex {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QString DataFile(const char* name) {
    return QString(ORVEX_SOURCE_DIR "/data/files/") + name;
}
QString Fixture(const char* name) {
    return QString(ORVEX_SOURCE_DIR "/tests/platform/fixtures/") + name;
}

// The character format at the first occurrence of `text` (fails if absent).
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text) {
    const int at = doc.toRawText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(std::max(0, at) + 1);
    return c.charFormat();
}

QTextBlockFormat BlockOf(const QTextDocument& doc, const QString& text) {
    const int at = doc.toRawText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    return doc.findBlock(std::max(0, at)).blockFormat();
}

std::vector<QTextImageFormat> Images(const QTextDocument& doc) {
    std::vector<QTextImageFormat> images;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
    return images;
}

// Guards the about text: its words, fonts, colours, special characters and
// the logo's display size of 1705 x 1280 twips.
TEST(RtfReader, AboutTextReadsWithItsFormats) {
    QTextDocument doc;
    const RtfReadResult r = ReadRtfFile(DataFile("InfoProg.rtf"), doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.pictures, 1);
    const QString text = doc.toRawText();
    EXPECT_TRUE(text.contains("Celestial navigation at sea"));
    EXPECT_TRUE(text.contains("Version 1.2"));
    EXPECT_TRUE(text.contains("no almanac is needed."));
    EXPECT_FALSE(text.contains("Arial;"));    // the font table is no text
    EXPECT_FALSE(text.contains("89504e47"));  // nor the picture data

    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].property(kImageWidthTwips).toInt(), 1705);
    EXPECT_EQ(images[0].property(kImageHeightTwips).toInt(), 1280);
    EXPECT_NEAR(images[0].width(), 1705 / 15.0, 1e-9);
    EXPECT_NEAR(images[0].height(), 1280 / 15.0, 1e-9);
    const QImage logo =
        doc.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(logo.size(), QSize(256, 192));

    const QTextCharFormat title = FormatOf(doc, "Orvex\u2029");
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16.0);
    EXPECT_EQ(title.foreground().color(), QColor(11, 42, 74));
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(BlockOf(doc, "Orvex\u2029").alignment(), Qt::AlignHCenter);

    EXPECT_TRUE(FormatOf(doc, "Celestial").fontItalic());
    EXPECT_FALSE(FormatOf(doc, "Version").fontItalic());
    EXPECT_TRUE(FormatOf(doc, "What Orvex does").fontUnderline());
    EXPECT_EQ(FormatOf(doc, "equivalent probability").foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(FormatOf(doc, "From one set").foreground().style() != Qt::NoBrush &&
                 FormatOf(doc, "From one set").foreground().color() == QColor(0, 0, 255));
    EXPECT_EQ(BlockOf(doc, "From one set").alignment(), Qt::AlignJustify);
    EXPECT_NEAR(BlockOf(doc, "From one set").leftMargin(), 284 / 15.0, 1e-9);

    // Subscripts and Symbol-font characters turned into Unicode.
    const int hs = text.indexOf("Hs sextant");
    ASSERT_GE(hs, 0);
    QTextCursor c(&doc);
    c.setPosition(hs + 2);
    EXPECT_EQ(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u0394H = Ho \u2013 Hc")));   // capital delta
    EXPECT_TRUE(text.contains(QString::fromUtf8("1 m \u2194 3.28084 feet")));  // Symbol 0xAB
    EXPECT_TRUE(text.contains(QString::fromUtf8("20 \u00b0C = 68 \u00b0F")));  // \u with fallback
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u00b1 0.1'")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u2022\tThe star-fix wizard")));  // Symbol bullet
    EXPECT_TRUE(text.contains(QChar(QChar::LineSeparator)));                       // \line
    EXPECT_TRUE(text.contains(QString::fromUtf8("Copyright \u00a9")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u201cas is\u201d,")));
    EXPECT_DOUBLE_EQ(FormatOf(doc, "Copyright").fontPointSize(), 10.0);
    EXPECT_EQ(FormatOf(doc, "A prudent navigator").foreground().color(), QColor(160, 0, 0));
    const QTextBlockFormat bullet = BlockOf(doc, "The azimuth tool");
    EXPECT_NEAR(bullet.textIndent(), -284 / 15.0, 1e-9);
    ASSERT_EQ(bullet.tabPositions().size(), 1);
    EXPECT_NEAR(bullet.tabPositions()[0].position, 284 / 15.0, 1e-9);
    // The file's last paragraph mark opens no empty paragraph.
    EXPECT_FALSE(doc.lastBlock().text().isEmpty());
}

// Guards the letter: its font and the numbered paragraphs' indents.
// The glyphs that draw every `ch` of `doc` as laid out for the screen.
std::vector<quint32> GlyphsOf(QTextDocument& doc, QChar ch) {
    doc.size();  // lays the document out
    std::vector<quint32> glyphs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (int at = b.text().indexOf(ch); at >= 0; at = b.text().indexOf(ch, at + 1))
            for (const QGlyphRun& run : b.layout()->glyphRuns(at, 1))
                for (quint32 g : run.glyphIndexes()) glyphs.push_back(g);
    return glyphs;
}

// Guards the arrows and Greek letters of the Symbol font: drawn in a font
// named "Symbol" they showed the missing-glyph box (glyph 0) wherever that
// font lacks them. They are drawn as real glyphs, in the report template
// and in the about text.
TEST(RtfReader, SymbolCharactersAreDrawn) {
    for (const char* file : {"NumResults.rtf", "InfoProg.rtf"}) {
        QTextDocument doc;
        ASSERT_TRUE(ReadRtf(ReadBytes(DataFile(file)), doc).ok) << file;
        for (QChar ch : {QChar(0x2194), QChar(0x0394)}) {
            if (!doc.toRawText().contains(ch)) continue;
            const std::vector<quint32> glyphs = GlyphsOf(doc, ch);
            ASSERT_FALSE(glyphs.empty()) << file;
            for (quint32 g : glyphs)
                EXPECT_NE(g, 0u) << file << " U+" << std::hex << int(ch.unicode());
        }
    }
}

TEST(RtfReader, IntroductionLetter) {
    QTextDocument doc;
    const RtfReadResult r = ReadRtfFile(DataFile("IntroLetter.rtf"), doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QString text = doc.toRawText();
    EXPECT_TRUE(text.contains("Dear navigator,"));
    EXPECT_TRUE(text.contains("1.\tOpen the star-fix page"));
    EXPECT_EQ(FormatOf(doc, "Dear navigator").fontFamilies().toStringList(),
              QStringList{"Courier New"});
    EXPECT_DOUBLE_EQ(FormatOf(doc, "Dear navigator").fontPointSize(), 10.0);
    EXPECT_EQ(FormatOf(doc, "Orvex.").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatOf(doc, "Numeric results").fontItalic());
    const QTextBlockFormat step = BlockOf(doc, "2.\tEnter");
    EXPECT_NEAR(step.leftMargin(), 567 / 15.0, 1e-9);
    EXPECT_NEAR(step.textIndent(), -283 / 15.0, 1e-9);
    EXPECT_NEAR(BlockOf(doc, "Dear navigator").leftMargin(), 0.0, 1e-9);  // \pard resets
    EXPECT_EQ(Images(doc).size(), 1u);
}

// Guards a document saved again by a word processor: style sheet, document
// information, page styles, list tables, picture alternatives, bookmarks,
// field instructions and hidden text must not leak into the text, and the
// body must keep its formats.
TEST(RtfReader, WordProcessorFileStillLoads) {
    QTextDocument doc;
    const RtfReadResult r = ReadRtfFile(Fixture("InfoProg_resaved.rtf"), doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QString text = doc.toRawText();
    for (const char* leak : {"HandWrittenFixture", "Normal;", "Heading", "Text Body", "About Orvex",
                             "Default Page Style", "wzDescription", "HYPERLINK", "hidden note",
                             "Internet Link", "Times New Roman", "0123456789abcdef", "?;"}) {
        EXPECT_FALSE(text.contains(leak)) << leak;
    }
    EXPECT_TRUE(text.startsWith(QChar(QChar::ObjectReplacementCharacter)));
    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 1u);  // the metafile alternative is dropped
    EXPECT_EQ(images[0].property(kImageWidthTwips).toInt(), 1705);
    EXPECT_EQ(images[0].property(kImageHeightTwips).toInt(), 1280);

    EXPECT_EQ(FormatOf(doc, "Orvex\u2029").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(doc, "Orvex\u2029").foreground().color(), QColor(11, 42, 74));
    EXPECT_EQ(FormatOf(doc, "Orvex\u2029").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_TRUE(text.contains(QString::fromUtf8("Version 1.2 \u2014 r\u00e9vision \u20ac")));
    EXPECT_EQ(FormatOf(doc, "equivalent probability").foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u2022\tThe star-fix wizard")));
    const QTextBlockFormat body = BlockOf(doc, "From one set");
    EXPECT_EQ(body.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    EXPECT_NEAR(body.lineHeight(), 115.0, 1e-9);  // \sl276\slmult1
    EXPECT_NEAR(body.bottomMargin(), 140 / 15.0, 1e-9);
    EXPECT_TRUE(text.contains(QString::fromUtf8("1 m \u2194 3.28084 feet")));
    EXPECT_TRUE(text.contains(
        QString::fromUtf8("\u2026H = 0\u20195")));  // private-area Symbol, \u fallback
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u201cquoted\u201d")));
    EXPECT_TRUE(text.contains("Cell A\tCell B"));
    EXPECT_TRUE(text.contains("Visible"));
    const QTextCharFormat link = FormatOf(doc, "the Orvex web page");
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QString("https://orvex.example.org/"));
    EXPECT_EQ(link.foreground().color(), QColor(0, 0, 128));
    const int sup = text.indexOf("x2");
    ASSERT_GE(sup, 0);
    QTextCursor c(&doc);
    c.setPosition(sup + 2);
    EXPECT_EQ(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const QTextBlockFormat tabs = BlockOf(doc, "Hs sextant");
    ASSERT_EQ(tabs.tabPositions().size(), 2);
    EXPECT_EQ(tabs.tabPositions()[1].type, QTextOption::RightTab);
    const QTextBlockFormat last = BlockOf(doc, "Second page, right");
    EXPECT_EQ(last.alignment(), Qt::AlignRight);
    EXPECT_EQ(last.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_DOUBLE_EQ(FormatOf(doc, "Second page").fontPointSize(), 10.0);
}

// Guards a refused file half-loading the document or wiping it.
TEST(RtfReader, RefusedFileLeavesTheDocument) {
    QTextDocument doc;
    doc.setPlainText("kept");
    RtfReadResult r = ReadRtf("Hello, plain text", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(doc.toPlainText(), QString("kept"));
    r = ReadRtfFile("/nonexistent/folder/NumResults.rtf", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("NumResults.rtf"));
    EXPECT_EQ(doc.toPlainText(), QString("kept"));
}

// Guards the code page and escapes: \'hh in 1252 (0x80..0x9F differ from
// Latin-1), \uN with \ucN fallbacks, surrogate pairs and braces.
TEST(RtfReader, CharactersAndEscapes) {
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(R"({\rtf1\ansi \'80\'93x\'94 \'a7 \{\}\\ a\~b\_c)"
                        R"({\uc2\u8364 EU} \u-10179\'3f\u-8704\'3f \uc0\u176 1})",
                        doc)
                    .ok);
    EXPECT_EQ(doc.toRawText(), QString::fromUtf8("\u20ac\u201cx\u201d \u00a7 {}\\ a\u00a0b\u2011c"
                                                 "\u20ac \U0001F600 \u00b01"));
}

// Guards background colours and line spacing in their three kinds.
TEST(RtfReader, BackgroundAndLineSpacing) {
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1{\\colortbl;\\red255\\green255\\blue0;}"
                        "\\pard\\sl-300 A {\\highlight1 marked}\\par"
                        "\\pard\\sl360 B\\par\\pard\\sl1000 C\\par\\pard\\sl480\\slmult1 D}",
                        doc)
                    .ok);
    EXPECT_EQ(FormatOf(doc, "marked").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(FormatOf(doc, "A ").background().style(), Qt::NoBrush);
    EXPECT_EQ(BlockOf(doc, "A").lineHeightType(), int(QTextBlockFormat::FixedHeight));
    EXPECT_NEAR(BlockOf(doc, "A").lineHeight(), 20.0, 1e-9);
    EXPECT_EQ(BlockOf(doc, "B").lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    EXPECT_EQ(BlockOf(doc, "C").lineHeightType(), int(QTextBlockFormat::SingleHeight));
    EXPECT_EQ(BlockOf(doc, "D").lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    EXPECT_NEAR(BlockOf(doc, "D").lineHeight(), 200.0, 1e-9);
}

// Guards damaged and truncated files: every prefix of a real file reads
// without a crash, keeps the text read so far, and never hangs.
TEST(RtfReader, TruncatedFilesNeverCrash) {
    for (const QString& path : {DataFile("InfoProg.rtf"), Fixture("InfoProg_resaved.rtf")}) {
        const QByteArray full = ReadBytes(path);
        for (qsizetype n = 0; n <= full.size(); n += 37) {
            QTextDocument doc;
            const RtfReadResult r = ReadRtf(full.left(n), doc);
            EXPECT_EQ(r.ok, n >= 5) << n;
        }
    }
}

// Guards pathological input: deep nesting (no recursion, no stack overflow),
// huge numbers, binary data running past the end, stray braces, a picture
// whose data is garbage.
TEST(RtfReader, PathologicalInput) {
    QTextDocument doc;
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(200000, '{');
    deep += "deep";
    deep += QByteArray(200000, '}');
    deep += " after}";
    EXPECT_TRUE(ReadRtf(deep, doc).ok);
    EXPECT_FALSE(doc.toRawText().contains("deep"));  // dropped beyond the nesting limit
    for (const char* bad : {
             "{\\rtf1 \\fs99999999999999999 big\\fs-5 small\\u-99999999 x}",
             "{\\rtf1 \\bin99999999999 data}",
             "{\\rtf1 {\\pict\\pngblip\\picwgoal-5\\pichgoal99999999 zzzz0102}after}",
             "{\\rtf1 {\\pict\\jpegblip\\bin4 \xff\xd8\xff\xe0}after}",
             "{\\rtf1 }}}}}} text after the end",
             "{\\rtf1 \\'",
             "{\\rtf1 \\'4",
             "{\\rtf1 \\u",
             "{\\rtf1 \\",
             "{\\rtf1 \\li-",
             "{\\rtf1 {\\colortbl;\\red999\\green-4\\blue;;}\\cf2 x\\cf99 y\\cf-1 z}",
             "{\\rtf1 {\\fonttbl\\f0 A;\\f1\\fcharset2 Symbol;}\\f1 \\'ab\\f77 q\\f-3 r}",
             "{\\rtf1 \\tx1\\tx2\\tx3 \\li99999999\\fi-99999999\\par\\page\\page}",
             "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK}{\\fldrslt x}}{\\field{\\fldrslt}}}",
             "{\\rtf1 {\\*\\unknown {nested {more}} text} \\*\\alsounknown shown}",
         }) {
        QTextDocument d;
        EXPECT_TRUE(ReadRtf(QByteArray(bad), d).ok) << bad;
    }
    QTextDocument d;
    EXPECT_TRUE(ReadRtf("{\\rtf1 {\\pict\\pngblip 0011223344}after}", d).ok);
    EXPECT_EQ(d.toRawText(), QString("after"));
    const RtfReadResult r = ReadRtf("{\\rtf1 {\\pict\\emfblip 0011}{\\pict\\pngblip 00}}", d);
    EXPECT_EQ(r.droppedPictures, 2);
}

// Guards random input: thousands of random documents built from the
// characters that matter to the reader all read to the end.
TEST(RtfReader, RandomInputNeverCrashes) {
    std::mt19937 rng(20240314);
    const QByteArray alphabet =
        "{}{}\\\\\\'*abfiuluc0123456789- ;\r\n\tpardlitxbinpict"
        "fonttblcolortblredfs\x80\xa7\xff";
    const char* words[] = {"\\par",     "\\pict",    "\\bin",      "\\u",       "\\'",
                           "\\*",       "\\fonttbl", "\\colortbl", "\\f",       "\\uc",
                           "{",         "}",         "\\pngblip",  "\\fldrslt", "\\field",
                           "\\fldinst", "\\page",    "\\line",     "\\plain",   "\\pard"};
    for (int run = 0; run < 3000; ++run) {
        QByteArray data = "{\\rtf1";
        const int len = static_cast<int>(rng() % 600);
        for (int i = 0; i < len; ++i) {
            if (rng() % 5 == 0)
                data += words[rng() % (sizeof(words) / sizeof(words[0]))];
            else if (rng() % 7 == 0)
                data += static_cast<char>(rng() % 256);
            else
                data += alphabet[static_cast<int>(rng() % alphabet.size())];
        }
        QTextDocument doc;
        const RtfReadResult r = ReadRtf(data, doc);
        ASSERT_TRUE(r.ok) << run;
    }
}

}  // namespace
}  // namespace orvex
