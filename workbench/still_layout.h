// The main window lays out its bars and client area in one step.
//
// Qt's main-window layout gives each bar and the client area a property
// animation whenever it places them, even when it does not slide them (the
// animation then lasts no time); every page switch and every change of the
// status line's texts places them again, and the finished animations wait
// for the event loop to delete them. A main window laid out still places its
// widgets directly and makes no such objects.
#pragma once

class QMainWindow;

namespace orvex {

// Applies to the window's central widget and its toolbars as they stand.
void LayOutStill(QMainWindow& window);

}  // namespace orvex
