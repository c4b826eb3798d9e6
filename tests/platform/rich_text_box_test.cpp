// The rich-text box operations that fill the report templates: placeholders
// found strictly forward, formats handed from a placeholder to its text,
// pieces inserted with the format set just before them, CR LF as a new
// paragraph, bullets, alignment.
#include "platform/rich_text_box.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextList>

#include "platform/message_box.h"

namespace orvex {
namespace {

const char* kTemplate =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2 Courier New;}}"
    "{\\colortbl;\\red0\\green0\\blue255;}"
    "\\pard\\f0\\fs24 The most probable position on \\'a7 is\\par "
    "Lat \\'a7 and Long \\'a7\\par "
    "with an ellipse of {\\cf1 \\'a7} % probability\\par "
    "\\pard\\qc {\\b \\'a7}\\par "
    "\\pard Table:\\par \\'a7\\par End}";

QString WriteTemplate(QTemporaryDir& dir, const char* content = kTemplate) {
    const QString path = dir.filePath("NumResults.rtf");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return path;
}

// Moves to the next mark and selects it, as every slot of the report does.
void SelectNextMark(RichTextBox& box) {
    ASSERT_TRUE(box.MoveToNextOf(QString::fromUtf8("\u00a7")));
    box.SetSelLength(1);
    ASSERT_EQ(box.SelText(), QString::fromUtf8("\u00a7"));
}

QTextCharFormat FormatAt(RichTextBox& box, const QString& text) {
    const int at = box.Text().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor c(box.document());
    c.setPosition(std::max(0, at) + 1);
    return c.charFormat();
}

// Guards the fill order and the formats: each mark's replacement keeps the
// mark's own format (the blue one stays blue), a colour set on the selection
// colours the text that replaces it, and the fill never goes backwards.
TEST(RichTextBox, FillsMarksInOrderWithTheirFormats) {
    QTemporaryDir dir;
    RichTextBox box;
    ASSERT_TRUE(box.SetFileName(WriteTemplate(dir)));
    box.SetSelStart(0);
    box.SetSelLength(box.TextLength());
    box.SetSelIndent(210);
    box.SetSelStart(0);

    SelectNextMark(box);
    box.SetSelText("14 Mar 2024 10:22:00");
    SelectNextMark(box);
    box.SetSelColor(QColor(255, 0, 0));
    box.SetSelText(QString::fromUtf8("45\u00b012'.3 N"));
    SelectNextMark(box);
    box.SetSelText(QString::fromUtf8("004\u00b005'.6 W"));
    SelectNextMark(box);
    box.SetSelText("95.0");
    SelectNextMark(box);
    box.SetSelText("bold");
    // A mark replaced with several pieces, each with the format set before it.
    SelectNextMark(box);
    box.SetSelFontName("Courier New");
    box.SetSelBullet(true);
    box.SetSelText("SIRIUS");
    box.SetSelBold(true);
    box.SetSelText(" = 100 %\r\nVEGA");
    box.SetSelBold(false);
    box.SetSelText(" = 98.5 %");
    EXPECT_FALSE(box.MoveToNextOf(QString::fromUtf8("\u00a7")));  // all 6 filled
    EXPECT_EQ(box.SelStart(), box.TextLength());

    const QString text = box.Text();
    EXPECT_TRUE(text.startsWith("The most probable position on 14 Mar 2024 10:22:00 is"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Lat 45\u00b012'.3 N and Long 004\u00b005'.6 W")));
    EXPECT_FALSE(text.contains(QString::fromUtf8("\u00a7")));
    EXPECT_EQ(FormatAt(box, "45").foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(FormatAt(box, "004").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatAt(box, "95.0").foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(FormatAt(box, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(box, "SIRIUS").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_NE(FormatAt(box, "SIRIUS").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(box, " = 100").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(box, "VEGA").fontWeight(), QFont::Bold);
    EXPECT_NE(FormatAt(box, " = 98.5").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatAt(box, " = 98.5").fontFamilies().toStringList(), QStringList{"Courier New"});
    // CR LF made a new paragraph, and both rows are bulleted.
    const QTextBlock sirius = box.document()->findBlock(text.indexOf("SIRIUS"));
    const QTextBlock vega = box.document()->findBlock(text.indexOf("VEGA"));
    EXPECT_NE(sirius.blockNumber(), vega.blockNumber());
    ASSERT_NE(sirius.textList(), nullptr);
    EXPECT_EQ(sirius.textList(), vega.textList());
    EXPECT_EQ(box.document()->findBlock(text.indexOf("End")).textList(), nullptr);
    // The indent given to the whole text at the start.
    EXPECT_NEAR(box.document()->findBlock(0).blockFormat().leftMargin(), 210 / 15.0, 1e-9);
    EXPECT_EQ(box.document()->findBlock(text.indexOf("bold")).blockFormat().alignment(),
              Qt::AlignHCenter);
}

// Guards the report's closing line and the paragraph operations.
TEST(RichTextBox, ParagraphOperationsAndInsertionPoint) {
    QTemporaryDir dir;
    RichTextBox box;
    ASSERT_TRUE(box.SetFileName(WriteTemplate(dir)));
    box.SetSelStart(box.TextLength());
    box.SetSelText("\r\n");
    box.SetSelFontName("Arial");
    box.SetSelBold(true);
    box.SetSelItalic(true);
    box.SetSelUnderline(true);
    box.SetSelFontSize(8);
    box.SetSelAlignment(Qt::AlignHCenter);
    box.SetSelText("End of astronomic position by Orvex 1.2");
    const QTextCharFormat f = FormatAt(box, "End of astronomic");
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_TRUE(f.fontItalic());
    EXPECT_TRUE(f.fontUnderline());
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 8.0);
    EXPECT_EQ(box.document()->lastBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(box.document()->lastBlock().text().startsWith("End of astronomic"));
    box.SetBulletIndent(300);
    EXPECT_EQ(box.BulletIndent(), 300);
    EXPECT_NEAR(box.document()->indentWidth(), 20.0, 1e-9);
    box.SetSelStart(20);
    EXPECT_EQ(box.SelStart(), 20);
    EXPECT_EQ(box.SelLength(), 0);
    box.SetSelStart(1000000);  // clamped
    EXPECT_EQ(box.SelStart(), box.TextLength());
    box.SetSelHangingIndent(-284);
    box.SetSelRightIndent(567);
    EXPECT_NEAR(box.document()->lastBlock().blockFormat().textIndent(), -284 / 15.0, 1e-9);
    EXPECT_NEAR(box.document()->lastBlock().blockFormat().rightMargin(), 567 / 15.0, 1e-9);
}

// Guards a missing template: a clear message, and the box keeps what it had.
TEST(RichTextBox, MissingFileIsReportedAndLosesNothing) {
    PlatformScript script;
    QTemporaryDir dir;
    RichTextBox box;
    const QString path = WriteTemplate(dir);
    ASSERT_TRUE(box.SetFileName(path));
    const QString before = box.Text();
    EXPECT_FALSE(box.SetFileName(dir.filePath("CalcWP.rtf")));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].title, QString(" File access error"));
    EXPECT_TRUE(script.messages[0].text.contains("CalcWP.rtf"));
    EXPECT_EQ(box.Text(), before);
    EXPECT_EQ(box.FileName(), path);
    // Reload gives the template back after a fill.
    box.SetSelStart(0);
    box.SetSelText("changed ");
    ASSERT_TRUE(box.Reload());
    EXPECT_EQ(box.Text(), before);
}

}  // namespace
}  // namespace orvex
