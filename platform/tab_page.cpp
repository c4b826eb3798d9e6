#include "platform/tab_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvex {

TabPage MakeTabPage(QTabWidget* tabs, const QString& caption, const QString& name,
                    QWidget* fields) {
    TabPage t;
    t.page = new QWidget(tabs);
    t.page->setObjectName(name);
    auto* v = new QVBoxLayout(t.page);
    if (fields) {
        t.fields = fields;
        t.fields->setParent(t.page);
        t.grid = nullptr;
    } else {
        t.fields = new QWidget(t.page);
        t.grid = new QGridLayout(t.fields);
        t.grid->setColumnStretch(2, 1);
    }
    t.fields->setObjectName(name + "_fields");
    v->addWidget(t.fields, 1);
    t.buttons = new QHBoxLayout;
    t.buttons->addStretch(1);
    v->addLayout(t.buttons);
    tabs->addTab(t.page, caption);
    return t;
}

void AddRow(const TabPage& t, const QString& label, QWidget* field) {
    const int row = t.grid->rowCount();
    auto* l = new QLabel(label, t.fields);
    t.grid->addWidget(l, row, 0);
    t.grid->addWidget(field, row, 1);
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

}  // namespace orvex
