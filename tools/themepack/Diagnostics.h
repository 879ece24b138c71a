// Diagnostics: themepack's exit statuses and the lines it writes on standard error.
#pragma once

#include <string>

constexpr int ExitSuccess = 0;
// A failure, or a package that the installer would reject.
constexpr int ExitFailure = 1;
// The command line itself is wrong.
constexpr int ExitUsage = 2;

// One line on standard error: "themepack: " and the message.
void ReportError(const std::string& message);
// The same for a wrong command line, with a pointer to --help; returns ExitUsage.
int ReportUsageError(const std::string& message);
// One line on standard error: "themepack: warning: " and the message.
void ReportWarning(const std::string& message);
