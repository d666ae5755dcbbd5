// tools/payload/demo/WaveSynth.h
#pragma once

#include "demo/DemoRandom.h"

#include <cstdint>

// Makes a RIFF/WAVE file of 16-bit mono PCM: short tone segments of changing
// pitch and loudness under a little noise, which packs about as recorded
// speech does (deflate keeps some 87 % of it). Integer arithmetic only, so the
// samples are the same on every machine.
class CWaveSynth {
public:
    static constexpr uint32_t kHeaderSize = 44;
    static constexpr uint32_t kSampleRate = 22050;

    explicit CWaveSynth(uint64_t nSeed);

    // Writes a whole file of nSize bytes; nSize is even and at least kHeaderSize.
    void Render(unsigned char* pOut, uint32_t nSize);

private:
    void StartSegment();
    int32_t NextSample();

    CDemoRandom m_random;
    int32_t m_nLoudness;
    int32_t m_nNoise;
    int32_t m_nLevel = 0;
    uint32_t m_nLeft = 0;
    uint32_t m_nPhase1 = 0;
    uint32_t m_nPhase2 = 0;
    uint32_t m_nStep1 = 0;
    uint32_t m_nStep2 = 0;
};
