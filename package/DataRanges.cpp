// DataRanges: overlap tests against the neighbouring claims.
#include "package/DataRanges.h"

#include <iterator>

bool DataRanges::Claim(uint64_t start, uint64_t length)
{
    if (length == 0)
        return true;
    const uint64_t end = start + length < start ? UINT64_MAX : start + length;
    auto next = claimed.lower_bound(start);
    if (next != claimed.end() && next->first < end)
        return false;
    if (next != claimed.begin() && std::prev(next)->second > start)
        return false;
    claimed.emplace(start, end);
    return true;
}
