// Makers of the controls the star-fix wizard and the azimuth tool share.
#pragma once

#include <QString>
#include <string>

class QDateTimeEdit;
class QLabel;
class QWidget;

namespace orvex::companion_ui {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A label showing `text`, named `name` when a name is given.
QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name = QString());

// A label in bold, named `name`: the caption of a wizard step.
QLabel* MakeCaption(QWidget* parent, const QString& text, const QString& name);

// A date-time picker named `name` that shows and takes UT in `format`
// (e.g. "d MMM yyyy HH:mm:ss"), with English month names in any language.
QDateTimeEdit* MakeUtPicker(QWidget* parent, const QString& name, const QString& format);

}  // namespace orvex::companion_ui
