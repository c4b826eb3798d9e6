#include "workbench/correction_typing.h"

#include <QKeyEvent>

#include "platform/masked_field.h"

namespace orvex {

void CorrectionTyping::StartWith(char c, const std::string& decSep) {
    Restart();
    entry_.Type(c);
    Show(decSep);
}

bool CorrectionTyping::Key(QKeyEvent* e, const std::string& decSep) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (e->key()) {
        case Qt::Key_Backspace:
            if (!typing_) return false;
            entry_.Backspace();
            Show(decSep);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Delete:
            typing_ = false;  // editing in place, as in any masked field
            return false;
        default:
            break;
    }
    const QString text = e->text();
    if (text.size() != 1 || !text[0].isPrint()) return false;
    const char c = text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : '\0';
    if (!typing_) {
        // Editing in place: the mask takes the key, but a sign always
        // becomes the sign of the number shown.
        if (c != '+' && c != '-') return false;
        entry_.StartFrom(field_->text().toStdString(), decSep);
        typing_ = true;
    }
    if (entry_.Type(c)) Show(decSep);
    return true;
}

bool CorrectionTyping::ShowsBeyond() const {
    return !beyond_.isEmpty() && field_->text() == beyond_;
}

void CorrectionTyping::Show(const std::string& decSep) {
    const QString text = QString::fromStdString(entry_.Text(decSep));
    field_->SetMaskedText(text);
    beyond_ = entry_.Beyond() ? text : QString();
    field_->setCursorPosition(entry_.Caret());
}

}  // namespace orvex
