// tools/payload/demo/DemoRandom.cpp
#include "demo/DemoRandom.h"

uint64_t CDemoRandom::Next() {
    uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t CDemoRandom::Below(uint32_t nBound) {
    return static_cast<uint32_t>(((Next() >> 32) * nBound) >> 32);
}

uint32_t CDemoRandom::Between(uint32_t nLow, uint32_t nHigh) {
    return nLow + Below(nHigh - nLow + 1);
}
