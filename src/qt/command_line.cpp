#include "qt/command_line.h"

#include <string_view>

namespace dravik::qt {

namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kHelp =
    "Usage: dravik [--help | --version]\n"
    "A mine-finding puzzle: uncover the safe cells of a 30 x 16 board, mark its 99 mines.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

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
        out << "dravik " << DRAVIK_VERSION << '\n';
        return 0;
    }
    // The first argument the game cannot take is the one named.
    const std::string_view bad = arg == "--help" || arg == "--version" ? args[2] : arg;
    err << "dravik: unrecognised argument '" << bad << "' (try 'dravik --help')\n";
    return kUsageError;
}

}  // namespace dravik::qt
