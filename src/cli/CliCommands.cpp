#include "cli/CliCommands.h"

namespace rp770::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

}  // namespace rp770::cli
