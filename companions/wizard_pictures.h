// The pictures of the star-fix wizard (its image list): the window icons of
// its two modes, the start and stop pictures of the live-display button and
// the four column-header pictures of the star table.
#pragma once

#include <QPixmap>

namespace orvex {

enum class WizardPicture {
    WizardIcon,    // the wizard window: a star over the horizon
    WhatIsUpIcon,  // a window opened by the azimuth tool: an eye on the sky
    TimerStart,    // the live display is off: a clock with a start mark
    TimerStop,     // the live display runs: a clock with a stop mark
    HeaderName,    // column "Name of the Star"
    HeaderAzimuth,
    HeaderAltitude,
    HeaderMagnitude,
};

// The picture, `size` pixels square.
QPixmap WizardPictureOf(WizardPicture which, int size = 16);

}  // namespace orvex
