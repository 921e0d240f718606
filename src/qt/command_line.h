#pragma once

#include <optional>
#include <ostream>
#include <span>

namespace dravik::qt {

// Answers --help and --version and refuses any other argument, before a window system is
// needed: returns the exit code when the program is to end without a window, nothing when the
// game is to start.
std::optional<int> HandleCommandLine(std::span<const char* const> args, std::ostream& out,
                                     std::ostream& err);

}  // namespace dravik::qt
