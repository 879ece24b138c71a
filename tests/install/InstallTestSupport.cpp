// Test support: pattern lists for the engine.
#include "tests/install/InstallTestSupport.h"

void FillPatterns(StringList& list, const std::vector<std::string>& patterns)
{
    for (const std::string& pattern : patterns)
        list.PutAt(list.Count(), String(pattern.c_str()));
}
