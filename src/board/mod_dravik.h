#pragma once

#include <cstdint>

namespace dravik {

// The two option values shared by the main window and the options dialog. They live only in
// memory: every start begins with the defaults the main window's load handler sets.
struct ModDravik {
    // How a hit mine is announced: 0 "Alarm Bell", 1 "Warning Box", 2 "End of Game".
    std::int16_t HitMineOption = 0;
    // "Display Count": 1 makes a repeated rule run report its number of passes.
    std::int16_t ShowRuleCount = 0;
};

}  // namespace dravik
