// Small helpers that lay out the fields of the main window's tab pages.
#pragma once

#include <QString>

class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace orvex {

// A field just wide enough for its longest text `sample`.
void FitField(QWidget* f, const QString& sample);
// A caption label beside a field.
QLabel* FieldLabel(const QString& text, QWidget* parent);
// A titled frame with its control name.
QGroupBox* FieldFrame(const QString& caption, const QString& name, QWidget* parent);
// Removes the rows a page was first given (its labels and layout) and
// returns the page's field area with a fresh vertical layout.
QVBoxLayout* ClearFieldArea(QWidget* fields);
// A date-time picker of UT (no daylight-saving gap or repeat), shown as
// "d MMM yyyy HH:mm:ss" with a calendar.
QDateTimeEdit* MakeUtPicker(const QString& name, QWidget* parent);

}  // namespace orvex
