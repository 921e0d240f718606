#include "qt/command_line.h"

#include <string_view>

#include "version.h"

namespace dravik::qt {

namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kHelp =
    "Usage: dravik [--help | --version]\n"
    "A mine-finding puzzle: uncover the safe cells of a 30 x 16 board, mark its 99 mines.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and licence and exit\n";

// The first line stays "dravik <version>" alone: scripts read the version from it.
constexpr std::string_view kCopyright =
    "Copyright (C) 2026 Dravik 2000 developers\n"
    "Licence GPL-3.0-or-later <https://www.gnu.org/licenses/>: free to share and change, no "
    "warranty.\n";

}  // namespace

std::optional<int> HandleCommandLine(std::span<const char* const> args, std::ostream& out,
                                     std::ostream& err) {
    if (args.size() <= 1) {
        return std::nullopt;
    }
    const std::string_view arg = args[1];
    if (args.size() == 2 && arg == "--help") {
        out << kHelp;
        return 0;
    }
    if (args.size() == 2 && arg == "--version") {
        out << "dravik " << kVersionText << '\n' << kCopyright;
        return 0;
    }
    // The first argument the game cannot take is the one named.
    const std::string_view bad = arg == "--help" || arg == "--version" ? args[2] : arg;
    err << "dravik: unrecognised argument '" << bad << "' (try 'dravik --help')\n";
    return kUsageError;
}

}  // namespace dravik::qt
