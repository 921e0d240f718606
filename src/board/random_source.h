#pragma once

#include <functional>

namespace dravik {

// Where new minefields come from, the game's and the no-guess generator's alike: each call a
// number in [0, 1).
using RandomSource = std::function<float()>;

}  // namespace dravik
