#include "companions/companion_links.h"

#include "platform/pc_clock.h"

namespace orvex {

double CompanionLinks::UtNow() const {
    const PcClock clock(Clock);
    bool daylight = false;
    return clock.LocalNowDays() + clock.GetUtcOffset(daylight);
}

}  // namespace orvex
