// What the sailing utilities page needs of the main window, handed to it as
// plain values and callbacks (the page knows nothing of the main window's
// classes). Unset callbacks do nothing. The Earth model is handed over by
// UtilitiesPage::EllipsoidChosen.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <functional>
#include <string>

class QDateTimeEdit;
class QWidget;

namespace orvex {

struct UtilitiesLinks {
    // True while the preferences were opened from this page (it waits under
    // them).
    std::function<bool()> PreferencesFromPage;
    // Opens the preferences on the ellipsoid tab in place of the page (a
    // double click on the chosen ellipsoid's name).
    std::function<void()> ChangeEllipsoid;
    // Makes the UT date-time picker named `name` (the star-fix pickers' kind).
    std::function<QDateTimeEdit*(const QString& name, QWidget* parent)> MakeTimePicker;
    // Runs `onLeave` each time the focus leaves `widget` for another control
    // of the window.
    std::function<void(QWidget* widget, std::function<void()> onLeave)> WhenLeft;
    // The present UT instant, days since 1899 December 30.
    std::function<double()> UtNow;
    // True while the main window switches the page's tab by code (the
    // tab's entry is then run by the caller).
    std::function<bool()> ChangingTabByCode;
    // The page was closed (En&d): the main window gives back its menus and
    // start pictures.
    std::function<void()> PageClosed;
    // Shows the wait window of a print job modally.
    std::function<void()> ShowPrintWait;
    // The erased text of a position field for the user's separator.
    std::function<std::string(bool latitude)> BlankPositionText;
    // A small drawn picture (the toolbar style) of a glyph in a colour.
    std::function<QIcon(const QString& glyph, const QColor& colour)> Picture;
};

}  // namespace orvex
