// PatternProblem: what the packager says of a pattern before it writes it.
#pragma once

#include <string>

// Why the installer would not put a file where the pattern says, in a few
// words; empty when the pattern is sound.
std::string PatternProblem(const std::string& pattern);
