// Diagnostics: every error and warning line goes through here, so all of them start alike.
#include "tools/themepack/Diagnostics.h"

#include <cstdio>

void ReportError(const std::string& message)
{
    std::fprintf(stderr, "themepack: %s\n", message.c_str());
}

int ReportUsageError(const std::string& message)
{
    ReportError(message + " (try themepack --help)");
    return ExitUsage;
}

void ReportWarning(const std::string& message)
{
    std::fprintf(stderr, "themepack: warning: %s\n", message.c_str());
}
