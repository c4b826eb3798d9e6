#include "workbench/still_layout.h"

#include <QApplication>
#include <QMainWindow>
#include <QProxyStyle>
#include <QToolBar>

namespace orvex {

namespace {

// The application's style, but widgets placed by a main window are never
// animated into place.
class StillStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_Widget_Animation_Duration) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

void LayOutStill(QMainWindow& window) {
    auto* style = new StillStyle(QApplication::style()->name());
    style->setParent(&window);
    if (QWidget* client = window.centralWidget()) client->setStyle(style);
    for (QToolBar* bar : window.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly))
        bar->setStyle(style);
}

}  // namespace orvex
