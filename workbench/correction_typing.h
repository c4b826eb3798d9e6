// The number being typed into an instrument-correction field (the conditions
// tab's or a grid cell's editor): while typing lasts, from the entry (or a
// sign) until the caret is moved, the keys are read as CorrectionEntry reads
// them and the field shows the number in its template; otherwise the mask
// takes the keys, except a sign, which becomes the sign of the number shown.
#pragma once

#include <QString>
#include <string>

#include "workbench/core/correction_entry.h"

class QKeyEvent;

namespace orvex {

class MaskedField;

class CorrectionTyping {
  public:
    explicit CorrectionTyping(MaskedField* field = nullptr) : field_(field) {}

    // The next key begins a new number.
    void Restart() {
        entry_.Clear();
        typing_ = true;
    }
    // A new number begun with `c` (the key that opened the grid's editor),
    // shown in the field.
    void StartWith(char c, const std::string& decSep);
    // A key typed into the field; true when it was taken here.
    bool Key(QKeyEvent* key, const std::string& decSep);
    // True when the field shows the limit put in place of minutes that do
    // not fit, not what was typed.
    bool ShowsBeyond() const;

  private:
    void Show(const std::string& decSep);

    MaskedField* field_;
    CorrectionEntry entry_;
    bool typing_ = false;
    // The limit text shown for minutes that do not fit (else empty).
    QString beyond_;
};

}  // namespace orvex
