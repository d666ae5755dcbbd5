// tools/payload/demo/DemoRandom.h
#pragma once

#include <cstdint>

// A small deterministic generator (splitmix64): the demo payload must be the
// same bytes on every run, compiler and machine, so nothing from <random>.
class CDemoRandom {
public:
    explicit CDemoRandom(uint64_t nSeed) : m_nState(nSeed) {}

    uint64_t Next();
    // Uniform enough for test data: 0 <= result < nBound (nBound > 0).
    uint32_t Below(uint32_t nBound);
    // lo <= result <= hi.
    uint32_t Between(uint32_t nLow, uint32_t nHigh);

private:
    uint64_t m_nState;
};
