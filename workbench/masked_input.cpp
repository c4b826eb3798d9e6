#include "workbench/masked_input.h"

namespace orvex {

MaskedField* MakeMaskedField(QWidget* parent, const QString& name) {
    auto* f = new MaskedField(parent);
    f->setObjectName(name);
    f->setMaximumWidth(160);
    return f;
}

void SetFieldMask(QLineEdit* field, const std::string& mask) {
    if (auto* m = qobject_cast<MaskedField*>(field)) m->SetMask(QString::fromStdString(mask));
}

std::string FieldMask(const QLineEdit* field) {
    if (const auto* m = qobject_cast<const MaskedField*>(field)) return m->Mask().toStdString();
    return {};
}

}  // namespace orvex
