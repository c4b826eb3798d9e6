// The validated input field of every numeric input: a one-line field whose
// text always has the full width of its mask, the unfilled places showing the
// prompt "_". The position and number parsers read fixed character places,
// so the text keeps its literals and prompts: "12°3_'.5 N" stays 10
// characters long whatever was typed.
//
// Mask characters (everything else is a literal shown as it stands):
//   #   a digit
//   9   a digit or a blank (optional digit)
//   +   a digit, a blank or a sign "+" or "-" (a signed digit place)
//   ?   a letter
//   &   any printable character (e.g. a sign)
//   A   a letter or a digit;  a  a letter, a digit or a blank
//   C   any printable character or a blank
//   \   the next mask character is a literal
// The decimal separator is written into the mask as the character itself
// ("." or ","), a literal like the others. Typing either "." or "," moves the
// caret past the next separator place, whichever of the two the mask holds.
//
// Typing overwrites the place at the caret (literals are skipped); a
// character the place does not take is refused, except that a character
// equal to a literal further on moves the caret past that literal.
// Backspace and Delete put the prompt back. A key rewrite hook (the
// hemisphere fields turn "+" into "N") sees each typed character first.
//
// The keys of one entry make the new value: however the field is entered
// (Tab, Shift+Tab, a click anywhere in it), the first character typed
// empties every place and is typed at the entry place (0 unless the window
// sets another, SetEntryPlace), and the next ones follow it. No digit of the
// old value is read with them. Digits typed on past the decimal separator
// of the mask before the separator key itself ("105" then "." from the
// entry place 1 of "###.#") move back before it when the separator comes:
// "105.0" is 105.0. Editing the text shown instead takes a key
// that moves the caret or deletes first (an arrow, Home, End, Backspace,
// Delete): the keys after it overwrite in place. A click while the field is
// being typed into places the caret for such an edit.
//
// Colours: on entry the window colour (the palette's base colour); the
// window sets kValidGreen or kDoubtfulOrange after a valid commit,
// kComputedYellow on a value the program wrote, kRefusedRed on a refused
// grid value.
//
// Leaving the field runs its commit hook. Focus lost to a message box, to
// another window or to a menu does not count as leaving, and neither does
// the focus coming back from them count as entering. A commit hook refuses
// the entry with Reject(), which shows the message titled
// " Error in input data" (exclamation icon, OK) and keeps the focus in the
// field; when the user left by clicking another control, that click does
// nothing (as if the move had been cancelled).
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <vector>

namespace orvex {

inline const QColor kValidGreen{0, 255, 0};
inline const QColor kDoubtfulOrange{255, 128, 0};
inline const QColor kComputedYellow{255, 255, 0};
inline const QColor kRefusedRed{255, 0, 0};

// The title of every refused-input message.
inline const QString kInputErrorTitle = QStringLiteral(" Error in input data");

class MaskedField : public QLineEdit {
    Q_OBJECT

  public:
    static constexpr QChar kPrompt = u'_';

    // What Reject() does with the text after the message.
    enum class RejectMode {
        ReplaceLastWithPrompt,  // condition fields: the last place becomes "_"
        KeepText,               // position fields: the text stays as typed
    };

    explicit MaskedField(QWidget* parent = nullptr);
    MaskedField(const QString& mask, QWidget* parent = nullptr);

    // Sets the mask; the text becomes all prompts and literals.
    void SetMask(const QString& mask);
    const QString& Mask() const { return mask_; }

    // The text with its literals and prompts (the parsers' input). Put texts
    // in with SetMaskedText; a text set with QLineEdit::setText or clear() is
    // fitted to the mask at the next key.
    QString MaskedText() const { return text(); }

    // Puts a text into the field as the program would (a spin button, a
    // loaded file, the reset of a new fix). The text is read against the
    // mask place by place: a character equal to the literal of its place is
    // taken as that literal, a literal missing from the text is supplied,
    // "_" or a character a place refuses leaves that place a prompt, and
    // characters beyond the mask are dropped. No hook runs.
    void SetMaskedText(const QString& text);
    // The text SetMaskedText would show; whole (when given) tells whether
    // every character of `text` would be kept: none refused by its place
    // ("_" and blanks only leave a place empty) and none beyond the mask.
    QString FittedText(const QString& text, bool* whole = nullptr) const;

    // The place where a new entry begins: the caret goes there when the
    // field is entered by Tab or Shift+Tab, and the first key typed after
    // any entry is typed there.
    void SetEntryPlace(int place) { entryPlace_ = place; }
    // The keys typed next go on with the text shown, as the caret stands (a
    // grid cell editor opened by its first key).
    void ContinueEntry() { entryPending_ = false; }
    // After an accepted commit: shows `text`, the value as stored, in place
    // of the keys typed, unless they read as it already (leading zeros left
    // as prompts: "_12.5" for "012.5"). A text the program put in stays.
    void ShowCommitted(const QString& text);

    // Marks the text as written by the window to show a value committed in
    // another field (the paired unit); the mark lasts until the text next
    // changes, by a key or by SetMaskedText.
    void MarkWrittenByProgram() { writtenByProgram_ = true; }
    bool WrittenByProgram() const { return writtenByProgram_; }

    // The typed characters alone: the text without its literals and prompts
    // (blanks in optional places are dropped too). Empty when nothing is
    // typed.
    QString TypedText() const { return TypedTextOf(text()); }
    // The same of a text as the field would show it (see FittedText).
    QString TypedTextOf(const QString& shown) const;
    bool IsEmptyEntry() const { return TypedText().isEmpty(); }

    // Places: how many characters the mask shows, and whether place i takes
    // input (false for a literal).
    int Width() const { return static_cast<int>(places_.size()); }
    bool IsInputPlace(int i) const;

    // Background colour, as the window wants it shown.
    void SetBackColor(const QColor& colour);
    QColor BackColor() const { return back_; }
    // The window colour of the system, given to a field on entry.
    static QColor WindowColor();

    // Hooks of the window. The key rewrite gets each typed character and
    // returns the character to type (the mask still decides whether it is
    // taken). The enter hook runs after the field took the window colour
    // (to place the caret, for example). The commit hook runs when the
    // field is left and whenever Commit() is called.
    void SetKeyRewrite(std::function<QChar(QChar)> rewrite) { rewrite_ = std::move(rewrite); }
    void SetEnterHook(std::function<void(MaskedField&)> hook) { enter_ = std::move(hook); }
    void SetCommitHook(std::function<void(MaskedField&)> hook) { commit_ = std::move(hook); }

    // Runs the commit hook now, as leaving the field would. Returns false
    // when the hook refused the entry (then the field has the focus back).
    bool Commit();

    // Called from a commit hook: shows `message` in the message box titled
    // " Error in input data" (exclamation icon, OK), then treats the text as
    // `mode` says and gives the focus back to the field.
    void Reject(const QString& message, RejectMode mode);

    // True when the last commit was refused.
    bool WasRejected() const { return rejected_; }
    // Puts back a text the field held before a refused entry (a value read
    // from a file that the field would not take): the field shows it and
    // counts as not refused.
    void RestoreText(const QString& text) {
        SetMaskedText(text);
        rejected_ = false;
    }

    // Types one character at the caret as a key press would (the rewrite
    // hook included). Returns false when the mask refused it.
    bool TypeChar(QChar c);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    enum class Kind {
        Literal,
        Digit,
        DigitOrBlank,
        DigitSignOrBlank,
        Letter,
        Any,
        AlphaNum,
        AlphaNumOrBlank,
        AnyOrBlank
    };
    struct Place {
        Kind kind;
        QChar literal;
    };

    bool Accepts(const Place& p, QChar c) const;
    static bool IsSeparator(QChar c) { return c == u'.' || c == u','; }
    static bool SameLiteral(QChar literal, QChar c);
    int NextInputPlace(int from) const;        // first input place >= from, or -1
    int PreviousInputPlace(int before) const;  // last input place < before, or -1
    void ClearRange(int from, int to);         // prompts back in [from, to)
    void SetPlace(int i, QChar c);
    void PasteText(const QString& s);
    // The first key of an entry: every place back to its prompt, the caret
    // at the entry place.
    void StartEntry();
    // The separator typed after digits that ran past the mask's separator:
    // they go back before it, right-aligned. False when nothing moved.
    bool MoveWholePartBeforeSeparator();
    void CutOrDelete(bool toClipboard);
    void EnsureMaskedWidth();

    QString mask_;
    std::vector<Place> places_;
    // The place at column `i` (0 <= i < Width()).
    const Place& PlaceAt(int i) const { return places_[static_cast<size_t>(i)]; }
    QColor back_;
    std::function<QChar(QChar)> rewrite_;
    std::function<void(MaskedField&)> enter_;
    std::function<void(MaskedField&)> commit_;
    bool rejected_ = false;
    bool writtenByProgram_ = false;
    bool inCommit_ = false;
    bool leftByMouse_ = false;
    int entryPlace_ = 0;
    bool entryPending_ = false;    // entered, nothing typed yet
    bool typedByKeys_ = false;     // keys changed the text since the program put one in
    bool inEntry_ = false;         // typing a new entry, not editing in place
    bool entrySeparator_ = false;  // its decimal separator is typed
};

}  // namespace orvex
