#include "workbench/field_layout.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "workbench/reading_tab_order.h"

namespace orvex {

void FitField(QWidget* f, const QString& sample) {
    f->setFixedWidth(QFontMetrics(f->font()).horizontalAdvance(sample) + 18);
}

QLabel* FieldLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QGroupBox* FieldFrame(const QString& caption, const QString& name, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

QVBoxLayout* ClearFieldArea(QWidget* fields) {
    for (QLabel* l : fields->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) delete l;
    delete fields->layout();
    auto* v = new QVBoxLayout(fields);
    v->setContentsMargins(6, 4, 6, 4);
    return v;
}

QDateTimeEdit* MakeUtPicker(const QString& name, QWidget* parent) {
    auto* p = new DateTimePicker(parent);
    p->setObjectName(name);
    // Every time of the star fix is UT: no daylight-saving gap or repeat.
    p->setTimeSpec(Qt::UTC);
    p->setLocale(QLocale::c());
    p->setDisplayFormat("d MMM yyyy HH:mm:ss");
    p->setCalendarPopup(true);
    p->setFixedWidth(QFontMetrics(p->font()).horizontalAdvance("30 Sep 2000 00:00:00") + 40);
    return p;
}

}  // namespace orvex
