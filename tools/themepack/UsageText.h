// UsageText: themepack's usage, the text --help prints.
#pragma once

#include <cstdio>

// The usage text, on standard output for --help and on standard error when
// the command line is wrong.
void PrintUsage(FILE* stream);
