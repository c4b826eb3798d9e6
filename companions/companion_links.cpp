#include "companions/companion_links.h"

#include "platform/pc_clock.h"

namespace orvex {

double CompanionLinks::UtNow() const {
    return PcClock(Clock).UtNowDays();
}

}  // namespace orvex
