// SPDX-License-Identifier: MIT
#include "tools/fgg/FggCommands.h"

#include "tools/fgg/ArchiveCommands.h"
#include "tools/fgg/GuiCommand.h"

#include "generated/Version.h"

namespace {

// The command table. A new command is one entry here and its Run function in a file of its own;
// the GUI stream viewer ("gui FILE") is meant to join the list below this way.
constexpr TFggCommand Commands[] = {
    {"list", "ARCHIVE", 1, 1, RunList},
    {"extract", "ARCHIVE KEY", 2, 2, RunExtract},
    {"pack", "OUT.fgg TYPE:KEY=FILE ...", 2, std::numeric_limits<size_t>::max(), RunPack},
    {"gui", "FILE", 1, 1, RunGui},
};

bool IsHelp(std::string_view Word) {
    return Word == "-h" || Word == "--help" || Word == "help";
}

} // namespace

std::span<const TFggCommand> FggCommands() {
    return Commands;
}

const TFggCommand* FindFggCommand(std::string_view Name) {
    for (const TFggCommand& command : Commands) {
        if (command.Name == Name) {
            return &command;
        }
    }
    return nullptr;
}

void PrintFggUsage(std::FILE* To) {
    std::fputs("usage:\n", To);
    for (const TFggCommand& command : Commands) {
        std::fprintf(To, "  fgg %.*s %.*s\n", static_cast<int>(command.Name.size()), command.Name.data(),
                     static_cast<int>(command.Arguments.size()), command.Arguments.data());
    }
    std::fputs("  fgg --version\n", To);
    std::fputs("exit codes: 0 done, 1 failed (reason on stderr), 2 bad arguments\n", To);
}

int RunFgg(TFggArgs CommandLine, const TFggIo& Io) {
    if (!CommandLine.empty() && IsHelp(CommandLine[0])) {
        PrintFggUsage(Io.Out);
        return FggOk;
    }
    if (!CommandLine.empty() && (CommandLine[0] == "--version" || CommandLine[0] == "-V")) {
        std::fprintf(Io.Out, "fgg %s\n", ZIBO_VERSION);
        return FggOk;
    }
    const TFggCommand* command = CommandLine.empty() ? nullptr : FindFggCommand(CommandLine[0]);
    const TFggArgs args = CommandLine.empty() ? CommandLine : CommandLine.subspan(1);
    if (!command || args.size() < command->MinArgs || args.size() > command->MaxArgs) {
        PrintFggUsage(Io.Err);
        return FggUsage;
    }
    return command->Run(args, Io);
}
