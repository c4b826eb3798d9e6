// Alt and a menu's letter open that menu, whatever the page shows.
//
// The menu bar's letters are also the access keys of some controls of the
// pages ("&Astro Position" and "C&ancel" of the input tabs). Qt takes two
// owners of one key as an ambiguous shortcut and hands each press to the
// next owner in turn, so Alt+A opened its menu only every other time, and
// the control's turn only moved the focus. MenuAccessKeys gives such a key
// to the menu each time; a key no enabled menu has stays the control's.
#pragma once

#include <QObject>

class QMenuBar;

namespace orvex {

class MenuAccessKeys : public QObject {
  public:
    // Watches the shortcuts of `bar`'s window (and is owned by the bar).
    explicit MenuAccessKeys(QMenuBar* bar);
    ~MenuAccessKeys() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMenuBar* bar_;
};

}  // namespace orvex
