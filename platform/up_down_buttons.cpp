#include "platform/up_down_buttons.h"

#include <QApplication>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/masked_field.h"

namespace orvex {

namespace {
// Commits the field of this window that holds the focus; false when it
// refused its text.
bool CommitOpenField(const QWidget* arrows) {
    auto* field = qobject_cast<MaskedField*>(QApplication::focusWidget());
    return !field || field->window() != arrows->window() || field->Commit();
}
}  // namespace

UpDownButtons::UpDownButtons(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto make = [this, v, &name](Qt::ArrowType arrow, const char* suffix) {
        auto* b = new QToolButton(this);
        b->setObjectName(name + suffix);
        b->setArrowType(arrow);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
        v->addWidget(b);
        return b;
    };
    up_ = make(Qt::UpArrow, "_Up");
    down_ = make(Qt::DownArrow, "_Down");
    connect(up_, &QToolButton::clicked, this, [this] {
        if (CommitOpenField(this)) emit UpClick();
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        if (CommitOpenField(this)) emit DownClick();
    });
    setFixedSize(18, 24);
}

}  // namespace orvex
