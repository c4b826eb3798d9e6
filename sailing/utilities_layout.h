// Small layout helpers shared by the files of the sailing utilities page.
#pragma once

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QString>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string>

#include "platform/tab_page.h"

namespace orvex::utilities_layout {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

using orvex::Indexed;  // platform/tab_page.h

// The field grid of a tab ("tabUtil_<tab>_fields").
inline QGridLayout* FieldGrid(QTabWidget* tabs, int tab) {
    auto* fields = tabs->findChild<QWidget*>(QString("tabUtil_%1_fields").arg(tab));
    return fields ? qobject_cast<QGridLayout*>(fields->layout()) : nullptr;
}

// The row of buttons under a tab's fields.
inline QHBoxLayout* ButtonRow(QTabWidget* tabs, int tab) {
    auto* page = tabs->widget(tab);
    auto* v = page ? qobject_cast<QVBoxLayout*>(page->layout()) : nullptr;
    return v && v->count() > 1 ? qobject_cast<QHBoxLayout*>(v->itemAt(1)->layout()) : nullptr;
}

// The grid row of a widget, or -1 when it is not in the grid.
inline int RowOf(QGridLayout* grid, QWidget* w) {
    int row = 0, col = 0, rs = 0, cs = 0;
    const int i = grid->indexOf(w);
    if (i < 0) return -1;
    grid->getItemPosition(i, &row, &col, &rs, &cs);
    return row;
}

// Sets the label in column 0 of the field's row.
inline void Relabel(QGridLayout* grid, QWidget* field, const QString& text) {
    const int row = RowOf(grid, field);
    if (row < 0) return;
    if (QLayoutItem* it = grid->itemAtPosition(row, 0))
        if (auto* l = qobject_cast<QLabel*>(it->widget())) l->setText(text);
}

// Puts w in column col of the field's row.
inline void PlaceBeside(QGridLayout* g, QWidget* field, QWidget* w, int col) {
    g->addWidget(w, RowOf(g, field), col, Qt::AlignLeft);
}

// The tips of the position fields.
inline const QString kLatitudeTip =
    QString::fromUtf8("Enter degrees [°] minutes ['] & tenths of minute N/+ S/-");
inline const QString kLongitudeTip =
    QString::fromUtf8("Enter degrees [°] minutes ['] & tenths of minute E/+ W/-");

// The labels of the departure and arrival fields on both position tabs.
inline const char* const kPositionLabels[] = {
    "Latitude Pos. 1 :", "Longitude Pos. 1 :", "Latitude Pos. 2 :", "Longitude Pos. 2 :"};

// An ETA field whose text was refused, or passed over after a refusal,
// shows a value the table would not use: the table waits until it is
// corrected.
inline void MarkEtaRefused(QWidget* f, bool refused) {
    f->setProperty("EtaRefused", refused);
}

inline bool EtaRefused(const QWidget* f) {
    return f->property("EtaRefused").toBool();
}

}  // namespace orvex::utilities_layout
