// The rich-text box of the reports and letters: a read-only text view that
// loads an RTF document beside the program and offers the operations the
// report templates are filled with: find the next placeholder, select it,
// set the formatting of the selection or of the insertion point, and
// replace the selection by text.
//
// Positions count characters of the document's raw text, a paragraph end
// counting one (as Text() shows it). Lengths are in twips (1440 per inch),
// font sizes in points.
//
// Formatting follows the selection: with characters selected a Set... call
// formats them and also becomes the format of the next inserted text; with
// an empty selection it only sets the format of the next inserted text.
// Moving the insertion point takes the format of the character before it
// (of the first selected character when a selection is made), so a
// replaced placeholder hands its formatting to the text that replaces it.
#pragma once

#include <QColor>
#include <QString>
#include <QTextCharFormat>
#include <QTextEdit>

namespace orvex {

class RichTextBox : public QTextEdit {
    Q_OBJECT

  public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Loads an RTF file, replacing the content. On failure the content is
    // unchanged and the reason is returned in `error`.
    bool LoadFile(const QString& path, QString* error = nullptr);
    // Sets the file name and loads it (the templates are reloaded from it).
    // A file that cannot be read is reported in a message box titled
    // " File access error" and the content stays as it was.
    bool SetFileName(const QString& path);
    const QString& FileName() const { return fileName_; }
    // Names the file without reading it: a document that could not be read
    // at start is still looked for, and named, where it should be.
    void NameFile(const QString& path) { fileName_ = path; }
    // Reloads the file named by FileName(), reporting a failure as above.
    bool Reload() { return SetFileName(fileName_); }

    // The whole text, one character per position; a paragraph end is
    // U+2029, a line break inside a paragraph U+2028.
    QString Text() const;
    int TextLength() const;

    // Selection: setting the start puts the insertion point there with an
    // empty selection; the length then extends it forward. Both are clamped
    // to the text.
    void SetSelStart(int position);
    int SelStart() const;
    void SetSelLength(int length);
    int SelLength() const;
    QString SelText() const;

    // Replaces the selection (or inserts at the insertion point) by text in
    // the current insertion format. "\r\n" (and a lone "\r" or "\n") starts
    // a new paragraph with the same paragraph format. The insertion point
    // ends after the text, with an empty selection.
    void SetSelText(const QString& text);

    // Moves the insertion point forward to just before the next character
    // that belongs to `characters` (from the insertion point or the start of
    // the selection). Returns false and moves to the end when there is none.
    bool MoveToNextOf(const QString& characters);

    // Character formatting of the selection and the insertion format.
    void SetSelColor(const QColor& colour);
    void SetSelFontName(const QString& family);
    void SetSelFontSize(double points);
    void SetSelBold(bool on);
    void SetSelItalic(bool on);
    void SetSelUnderline(bool on);

    // Paragraph formatting of the paragraphs the selection touches.
    //   twips   left indent of the paragraphs
    void SetSelIndent(int twips);
    //   twips   first-line indent relative to the left indent (negative for
    //           a hanging first line)
    void SetSelHangingIndent(int twips);
    void SetSelRightIndent(int twips);
    // Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight or Qt::AlignJustify.
    void SetSelAlignment(Qt::Alignment alignment);
    // Makes the paragraphs bulleted (or plain again); the bullet stands
    // BulletIndent() twips to the left of the text.
    void SetSelBullet(bool on);
    void SetBulletIndent(int twips);
    int BulletIndent() const { return bulletIndentTwips_; }

    // Redraws the box now.
    void Refresh();

  private:
    void MergeSelection(const QTextCharFormat& f);
    void TakeFormatAtCursor();
    void MergeBlocks(const QTextBlockFormat& f);

    QString fileName_;
    QTextCharFormat insertFormat_;
    int bulletIndentTwips_ = 0;
};

}  // namespace orvex
