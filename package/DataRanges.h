// DataRanges: the stretches of an archive whose stored data entries have already claimed.
#pragma once

#include <cstdint>
#include <map>

// In a sound archive no two entries share stored data. A package whose
// directory points many entries at one stream could make a reader unpack the
// same data again and again; each entry claims its stretch, and one that
// overlaps an earlier claim is refused.
class DataRanges {
public:
    // True, claiming it, when [start, start + length) overlaps no earlier
    // claim. An empty stretch overlaps nothing.
    bool Claim(uint64_t start, uint64_t length);

private:
    // Start of each claimed stretch to its end.
    std::map<uint64_t, uint64_t> claimed;
};
