#include "sailing/up_down_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace orvex {

UpDownButtons::UpDownButtons(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setObjectName(name + "_Up");
    up_->setArrowType(Qt::UpArrow);
    up_->setFixedSize(18, 12);
    down_ = new QToolButton(this);
    down_->setObjectName(name + "_Down");
    down_->setArrowType(Qt::DownArrow);
    down_->setFixedSize(18, 12);
    v->addWidget(up_);
    v->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &UpDownButtons::upClicked);
    connect(down_, &QToolButton::clicked, this, &UpDownButtons::downClicked);
}

}  // namespace orvex
