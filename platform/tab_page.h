// The tabs of the main window's tab sets: each a field area that the tab's
// own work fills, above a row of buttons.
#pragma once

#include <QString>

class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QTabWidget;
class QWidget;

namespace orvex {

struct TabPage {
    QWidget* page;
    QWidget* fields;   // named name + "_fields", laid out by `grid`
    QGridLayout* grid;
    QHBoxLayout* buttons;  // starts with a stretch: buttons sit at the right
};

// Adds a tab named `name` with its caption to `tabs`.
TabPage MakeTabPage(QTabWidget* tabs, const QString& caption, const QString& name);

// A new grid row: the label in column 0, the field in column 1.
void AddRow(const TabPage& t, const QString& label, QWidget* field);

// A push button named `name`.
QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name);

}  // namespace orvex
