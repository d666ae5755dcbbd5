// tools/payload/demo/WaveSynth.cpp
#include "demo/WaveSynth.h"

namespace {

void Put16(unsigned char* p, uint32_t n) {
    p[0] = static_cast<unsigned char>(n);
    p[1] = static_cast<unsigned char>(n >> 8);
}

void Put32(unsigned char* p, uint32_t n) {
    Put16(p, n);
    Put16(p + 2, n >> 16);
}

void PutTag(unsigned char* p, const char* pszTag) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(pszTag[i]);
}

// A sine-like wave from a 32-bit phase: one parabola per half period, -32768..32768.
int32_t Tone(uint32_t nPhase) {
    int64_t t = (nPhase >> 16) & 0x7FFF;
    int32_t y = static_cast<int32_t>(4 * t * (32768 - t) / 32768);
    return (nPhase & 0x80000000u) ? -y : y;
}

// Phase step per sample for a frequency in Hz: 2^32 / kSampleRate per Hz.
uint32_t StepFor(uint32_t nHertz) {
    return static_cast<uint32_t>((static_cast<uint64_t>(nHertz) << 32) / CWaveSynth::kSampleRate);
}

} // namespace

CWaveSynth::CWaveSynth(uint64_t nSeed) : m_random(nSeed) {
    m_nLoudness = static_cast<int32_t>(m_random.Between(2500, 5000));
    m_nNoise = static_cast<int32_t>(m_random.Between(200, 400));
}

void CWaveSynth::Render(unsigned char* pOut, uint32_t nSize) {
    uint32_t nData = nSize - kHeaderSize;
    PutTag(pOut, "RIFF");
    Put32(pOut + 4, nSize - 8);
    PutTag(pOut + 8, "WAVE");
    PutTag(pOut + 12, "fmt ");
    Put32(pOut + 16, 16);
    Put16(pOut + 20, 1); // PCM
    Put16(pOut + 22, 1); // mono
    Put32(pOut + 24, kSampleRate);
    Put32(pOut + 28, kSampleRate * 2);
    Put16(pOut + 32, 2);
    Put16(pOut + 34, 16);
    PutTag(pOut + 36, "data");
    Put32(pOut + 40, nData);
    for (uint32_t i = 0; i < nData; i += 2)
        Put16(pOut + kHeaderSize + i, static_cast<uint32_t>(NextSample()));
}

void CWaveSynth::StartSegment() {
    m_nLeft = m_random.Between(1500, 6000);
    m_nLevel = static_cast<int32_t>(m_random.Below(static_cast<uint32_t>(m_nLoudness) + 1));
    uint32_t nHertz = m_random.Between(100, 900);
    m_nStep1 = StepFor(nHertz);
    m_nStep2 = StepFor(nHertz * (m_random.Below(2) ? 2 : 3) / 2);
}

int32_t CWaveSynth::NextSample() {
    if (m_nLeft == 0)
        StartSegment();
    --m_nLeft;
    m_nPhase1 += m_nStep1;
    m_nPhase2 += m_nStep2;
    int32_t nValue = Tone(m_nPhase1) * m_nLevel / 32768 + Tone(m_nPhase2) * m_nLevel / 65536;
    nValue +=
        static_cast<int32_t>(m_random.Below(2 * static_cast<uint32_t>(m_nNoise) + 1)) - m_nNoise;
    return nValue;
}
