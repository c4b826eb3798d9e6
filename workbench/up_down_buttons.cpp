#include "workbench/up_down_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace orvex {

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
    connect(up_, &QToolButton::clicked, this, &UpDownButtons::UpClick);
    connect(down_, &QToolButton::clicked, this, &UpDownButtons::DownClick);
    setFixedSize(18, 24);
}

}  // namespace orvex
