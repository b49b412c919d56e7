#pragma once
// Picks shuffled entries with a linear congruential generator that starts from seed 0 and
// is never reseeded, so every run picks the same sequence.
#include <cstdint>

class ShuffleGenerator {
public:
    // An index from 0 to count - 1 (0 when count is 0 or less).
    int next(int count);

private:
    uint32_t m_seed = 0;
};
