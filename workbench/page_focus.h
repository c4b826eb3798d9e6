// Keeps the keyboard on the page the navigator sees.
//
// The main window shows one page at a time and hides the others under it
// (the start pictures under the tab sets, a report under the input tabs, the
// tabs of a tab set behind the current one). A page switch may hide the
// control that has the focus, and Qt leaves the focus there when nothing
// else on the window takes it: the keys then edit a control nobody sees.
//
// PageFocus watches the pages. After each page switch, once the command that
// made it has run, a focus that is not on a visible, enabled control of the
// page shown goes to that page's entry control. A key that still reaches a
// hidden, disabled or off-page control is dropped, and the focus moves the
// same way. The window's menu bar, toolbars and status bar belong to every
// page. While a modal dialog is up nothing moves; the check runs again when
// the window is active again.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace orvex {

struct PageFocusLinks {
    // The page shown now: one of the watched pages, or the client area
    // itself for the start screen.
    std::function<QWidget*()> ShownPage;
    // The control a page is entered by (the page itself when it takes the
    // focus, as a tab set does by its tab row).
    std::function<QWidget*(QWidget* page)> EntryOf;
};

class PageFocus : public QObject {
  public:
    // `window` is the main window, `client` the area that holds its pages.
    PageFocus(QWidget* window, QWidget* client, PageFocusLinks links);
    ~PageFocus() override;

    // Watches a page's showing and hiding, and a tab set's changes of tab.
    void Watch(QWidget* page);
    // True when keys may go to `w`: visible, enabled, on the main window and
    // on the page shown (or on the window's bars).
    bool Keyable(const QWidget* w) const;
    // Moves the focus to the entry of the page shown when it is not on a
    // control that keys may go to.
    void Settle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void SettleLater();

    QWidget* window_;
    QWidget* client_;
    PageFocusLinks links_;
    std::vector<QObject*> pages_;
    bool posted_ = false;
};

}  // namespace orvex
