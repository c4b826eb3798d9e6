// Where the program's own windows open: wholly on the screen of the window
// they belong to. Positions and sizes are pixels of the virtual desktop;
// "on the screen" means its available area (without task bars and docks).
#pragma once

class QWidget;

namespace orvex {

// Places the top-level `window`, frame included, centred on `owner`'s
// window and wholly on the owner's screen: moved in from an edge where the
// centred place would cross it, and shrunk to the screen's area where it is
// larger (never below its minimum size). A window never resized is first
// given the size its layout asks for, as showing it would. A window never
// shown has no frame yet: the owner's frame is counted in its place.
void CentreOnOwner(QWidget& window, const QWidget& owner);

// Brings the top-level `window` back wholly onto its screen after it grew
// (its layout is settled first): it keeps its place where it fits, else it
// is moved in from the edges it crosses (a window not shown yet counts its
// owner's frame).
void KeepOnScreen(QWidget& window);

}  // namespace orvex
