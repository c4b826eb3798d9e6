// The spin buttons moved to platform/ (the utilities page uses them too).
#pragma once

#include "platform/up_down_buttons.h"
