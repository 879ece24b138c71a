// themepack's commands and what they share: exit statuses and the error line.
#pragma once

#include <cstdio>
#include <string>

struct PackageRequest;

constexpr int ExitSuccess = 0;
// A failure, or a package that the installer would reject.
constexpr int ExitFailure = 1;
// The command line itself is wrong.
constexpr int ExitUsage = 2;

// The usage text, on standard output for --help and on standard error when
// the command line is wrong.
void PrintUsage(FILE* stream);

// One line on standard error: "themepack: " and the message.
void ReportError(const std::string& message);
// The same for a wrong command line, with a pointer to --help; returns ExitUsage.
int ReportUsageError(const std::string& message);
// One line on standard error: "themepack: warning: " and the message.
void ReportWarning(const std::string& message);

// Each takes the arguments after its command name and returns the exit status.
int RunCreate(int argc, char** argv);
int RunInspect(int argc, char** argv);
int RunBuild(int argc, char** argv);
int RunList(int argc, char** argv);
int RunExtract(int argc, char** argv);

// Writes the package and says so on standard output, or reports why not;
// returns the exit status. Where create and build end.
int WriteRequestedPackage(const PackageRequest& request);
