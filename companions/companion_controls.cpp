#include "companions/companion_controls.h"

#include <QLabel>
#include <QLocale>

#include "platform/date_time_picker.h"

namespace orvex::companion_ui {

QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

QLabel* MakeCaption(QWidget* parent, const QString& text, const QString& name) {
    QLabel* l = MakeLabel(parent, text, name);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    return l;
}

QDateTimeEdit* MakeUtPicker(QWidget* parent, const QString& name, const QString& format) {
    auto* p = new DateTimePicker(parent);
    p->setObjectName(name);
    p->setTimeSpec(Qt::UTC);
    p->setLocale(QLocale::c());  // English month names in any language
    p->setDisplayFormat(format);
    return p;
}

}  // namespace orvex::companion_ui
