// themepack: the command line that writes theme packages and shows what they hold; main only dispatches.
#include <cstdio>
#include <cstring>
#include <string>

#include "ProductVersion.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/InstalledStub.h"
#include "tools/themepack/UsageText.h"

namespace {

bool IsHelp(const char* argument)
{
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
           std::strcmp(argument, "help") == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage(stderr);
        return ExitUsage;
    }
    const char* name = argv[1];
    if (IsHelp(name)) {
        PrintUsage(stdout);
        return ExitSuccess;
    }
    if (std::strcmp(name, "--version") == 0) {
        PrintVersion(PRODUCT_VERSION_TEXT);
        return ExitSuccess;
    }
    const Command* command = FindCommand(name);
    if (command == nullptr)
        return ReportUsageError(std::string("unknown command '") + name + "'");
    return command->run(argc - 2, argv + 2);
}
