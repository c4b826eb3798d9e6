// Runs a handler when a widget is left: the focus moved to another control
// of the same window. Focus lost to another window, a message box, a popup
// (a picker's calendar) or the menu bar does not count as leaving.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace orvex {

class FocusWatch : public QObject {
    Q_OBJECT
  public:
    // Watches `widget` (and is deleted with it); `onLeave` runs at each leave.
    FocusWatch(QWidget* widget, std::function<void()> onLeave);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> onLeave_;
};

}  // namespace orvex
