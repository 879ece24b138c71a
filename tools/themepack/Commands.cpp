// Commands: the table that the program's main looks its first argument up in.
#include "tools/themepack/Commands.h"

#include <cstring>

namespace {

const Command kCommands[] = {
    {"create", RunCreate}, {"build", RunBuild}, {"inspect", RunInspect}, {"list", RunList}, {"extract", RunExtract},
};

}  // namespace

const Command* FindCommand(const char* name)
{
    for (const Command& command : kCommands) {
        if (std::strcmp(command.name, name) == 0)
            return &command;
    }
    return nullptr;
}
