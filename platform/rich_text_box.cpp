#include "platform/rich_text_box.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>

#include "navlib/hooks.h"
#include "platform/message_box.h"
#include "platform/rtf_reader.h"

namespace orvex {

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    TakeFormatAtCursor();
}

bool RichTextBox::LoadFile(const QString& path, QString* error) {
    const RtfReadResult r = ReadRtfFile(path, *document());
    if (!r.ok) {
        if (error) *error = r.error;
        return false;
    }
    setTextCursor(QTextCursor(document()));
    TakeFormatAtCursor();
    return true;
}

bool RichTextBox::SetFileName(const QString& path) {
    QString error;
    if (!LoadFile(path, &error)) {
        ShowMessage(kIconExclamation + kButtonsOk, QStringLiteral(" File access error"),
                    QStringLiteral("The document could not be read.\r\n") + error, window());
        return false;
    }
    fileName_ = path;
    return true;
}

QString RichTextBox::Text() const {
    return document()->toRawText();
}

int RichTextBox::TextLength() const {
    return std::max(0, document()->characterCount() - 1);
}

void RichTextBox::SetSelStart(int position) {
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(position, 0, TextLength()));
    setTextCursor(c);
    TakeFormatAtCursor();
}

int RichTextBox::SelStart() const {
    return textCursor().selectionStart();
}

void RichTextBox::SetSelLength(int length) {
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::clamp(start + std::max(0, length), 0, TextLength()),
                  QTextCursor::KeepAnchor);
    setTextCursor(c);
    TakeFormatAtCursor();
}

int RichTextBox::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString RichTextBox::SelText() const {
    return textCursor().selectedText();
}

void RichTextBox::TakeFormatAtCursor() {
    QTextCursor c = textCursor();
    if (c.hasSelection()) {
        // The format of the first selected character.
        QTextCursor first(document());
        first.setPosition(c.selectionStart() + 1);
        insertFormat_ = first.charFormat();
    } else {
        insertFormat_ = c.charFormat();
    }
    insertFormat_.clearProperty(QTextFormat::ObjectIndex);
    insertFormat_.clearProperty(QTextFormat::ImageName);
    insertFormat_.clearProperty(QTextFormat::ObjectType);
}

void RichTextBox::SetSelText(const QString& text) {
    QTextCursor c = textCursor();
    c.beginEditBlock();
    if (c.hasSelection()) c.removeSelectedText();
    QString t = text;
    t.replace(QLatin1String("\r\n"), QString(QChar::ParagraphSeparator));
    t.replace(QLatin1Char('\r'), QChar::ParagraphSeparator);
    t.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
    const QStringList parts = t.split(QChar::ParagraphSeparator);
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) c.insertBlock(c.blockFormat(), insertFormat_);
        if (!parts[i].isEmpty()) c.insertText(parts[i], insertFormat_);
    }
    c.endEditBlock();
    setTextCursor(c);
}

bool RichTextBox::MoveToNextOf(const QString& characters) {
    const QString raw = Text();
    const int from = SelStart();
    for (int i = std::max(0, from); i < raw.size(); ++i) {
        if (characters.contains(raw[i])) {
            SetSelStart(i);
            return true;
        }
    }
    SetSelStart(TextLength());
    return false;
}

void RichTextBox::MergeSelection(const QTextCharFormat& f) {
    QTextCursor c = textCursor();
    if (c.hasSelection()) c.mergeCharFormat(f);
    insertFormat_.merge(f);
}

void RichTextBox::SetSelColor(const QColor& colour) {
    QTextCharFormat f;
    f.setForeground(colour);
    MergeSelection(f);
}

void RichTextBox::SetSelFontName(const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    MergeSelection(f);
}

void RichTextBox::SetSelFontSize(double points) {
    if (!(points > 0.0)) return;
    QTextCharFormat f;
    f.setFontPointSize(std::min(points, 1638.0));
    MergeSelection(f);
}

void RichTextBox::SetSelBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeSelection(f);
}

void RichTextBox::SetSelItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    MergeSelection(f);
}

void RichTextBox::SetSelUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    MergeSelection(f);
}

void RichTextBox::MergeBlocks(const QTextBlockFormat& f) {
    QTextCursor c = textCursor();
    c.mergeBlockFormat(f);  // every paragraph the selection touches
}

void RichTextBox::SetSelIndent(int twips) {
    QTextBlockFormat f;
    f.setLeftMargin(twips / kTwipsPerPixel);
    MergeBlocks(f);
}

void RichTextBox::SetSelHangingIndent(int twips) {
    QTextBlockFormat f;
    f.setTextIndent(twips / kTwipsPerPixel);
    MergeBlocks(f);
}

void RichTextBox::SetSelRightIndent(int twips) {
    QTextBlockFormat f;
    f.setRightMargin(twips / kTwipsPerPixel);
    MergeBlocks(f);
}

void RichTextBox::SetSelAlignment(Qt::Alignment alignment) {
    QTextBlockFormat f;
    f.setAlignment(alignment);
    MergeBlocks(f);
}

void RichTextBox::SetBulletIndent(int twips) {
    bulletIndentTwips_ = std::max(0, twips);
    // Lists indent by the document's indent width: the bullet stands that
    // far to the left of the text.
    document()->setIndentWidth(std::max(1.0, bulletIndentTwips_ / kTwipsPerPixel));
}

void RichTextBox::SetSelBullet(bool on) {
    QTextCursor c = textCursor();
    c.beginEditBlock();
    if (on) {
        const int start = c.selectionStart(), end = c.selectionEnd();
        QTextList* list = nullptr;
        for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() <= end;
             b = b.next()) {
            if (b.textList()) {
                list = b.textList();
                continue;
            }
            if (!list) {
                QTextCursor bc(b);
                QTextListFormat lf;
                lf.setStyle(QTextListFormat::ListDisc);
                lf.setIndent(1);
                list = bc.createList(lf);
            } else {
                list->add(b);
            }
        }
    } else {
        const int start = c.selectionStart(), end = c.selectionEnd();
        for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() <= end;
             b = b.next()) {
            if (QTextList* list = b.textList()) list->remove(b);
            QTextCursor bc(b);
            QTextBlockFormat bf = bc.blockFormat();
            bf.setIndent(0);
            bc.setBlockFormat(bf);
        }
    }
    c.endEditBlock();
}

void RichTextBox::Refresh() {
    viewport()->update();
}

}  // namespace orvex
