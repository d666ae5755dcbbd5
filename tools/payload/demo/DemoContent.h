// tools/payload/demo/DemoContent.h
#pragma once

#include "demo/DemoLayout.h"

#include <vector>

// The decoded contents of one demo file, made from its seed alone: waves from
// CWaveSynth, programs as an ELF header over instruction-like words, texts as
// lines of words.
class CDemoContent {
public:
    static std::vector<unsigned char> Generate(const SDemoEntry& entry);

private:
    static void RenderProgram(CDemoRandom& random, std::vector<unsigned char>& data);
    static void RenderText(CDemoRandom& random, std::vector<unsigned char>& data);
};
