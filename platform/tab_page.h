// The pages of the main window's tab sets: a field area that the page's own
// work fills, above a row of navigation buttons; and the small makers the
// tab sets share.
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
    QWidget* fields;
    QGridLayout* grid;  // the field area's layout; nullptr for a given field area
    QHBoxLayout* buttons;
};

// Adds a page named `name` to `tabs`; its field area is named name +
// "_fields". A given `fields` widget becomes the field area as it is (it
// lays itself out); otherwise an empty one with a grid is made.
TabPage MakeTabPage(QTabWidget* tabs, const QString& caption, const QString& name,
                    QWidget* fields = nullptr);
// A labelled field on the next row of the page's grid.
void AddRow(const TabPage& t, const QString& label, QWidget* field);
QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name);
// "name_index", the object name of a control array's member.
QString Indexed(const char* name, int index);

}  // namespace orvex
