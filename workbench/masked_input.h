// The masked input fields of the main window, made and given their masks in
// one place.
#pragma once

#include <QString>
#include <string>

#include "platform/masked_field.h"

namespace orvex {

// A masked field named `name`, child of parent.
MaskedField* MakeMaskedField(QWidget* parent, const QString& name);
// Sets the field's mask (see input_masks.h); the field then shows its blank
// template of prompts and literals.
void SetFieldMask(QLineEdit* field, const std::string& mask);
// The mask last set, or empty for a field that is not masked.
std::string FieldMask(const QLineEdit* field);

}  // namespace orvex
