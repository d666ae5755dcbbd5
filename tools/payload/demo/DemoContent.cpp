// tools/payload/demo/DemoContent.cpp
#include "demo/DemoContent.h"

#include "demo/WaveSynth.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// 32-bit little-endian ARM executable: e_ident, then type 2 (executable), machine 40.
const unsigned char kElfHeader[] = {0x7F, 'E', 'L', 'F', 1, 1, 1,  0, 0, 0, 0, 0,
                                    0,    0,   0,   0,   2, 0, 40, 0, 1, 0, 0, 0};

const char* const kWords[] = {"Korvanu", "Level",  "Spiel",   "Karte",  "Musik",  "Sound",
                              "Sprache", "Datei",  "Version", "Fehler", "Punkte", "Start",
                              "Ende",    "Weiter", "Zurueck", "Menue",  "Taste",  "und",
                              "der",     "die",    "das",     "mit",    "for",    "the"};

} // namespace

std::vector<unsigned char> CDemoContent::Generate(const SDemoEntry& entry) {
    std::vector<unsigned char> data(entry.nSize);
    CDemoRandom random(entry.nSeed);
    switch (entry.nKind) {
    case EDemoKind::Wave:
        CWaveSynth(entry.nSeed).Render(data.data(), entry.nSize);
        break;
    case EDemoKind::Program:
        RenderProgram(random, data);
        break;
    case EDemoKind::Text:
        RenderText(random, data);
        break;
    }
    return data;
}

// Code reuses a limited set of instruction words, with some literal data between.
void CDemoContent::RenderProgram(CDemoRandom& random, std::vector<unsigned char>& data) {
    uint32_t vocabulary[384];
    for (uint32_t& nWord : vocabulary)
        nWord = static_cast<uint32_t>(random.Next());
    for (size_t i = 0; i < data.size(); i += 4) {
        uint32_t nWord = random.Below(8) < 5 ? vocabulary[random.Below(384)]
                                             : static_cast<uint32_t>(random.Next());
        for (size_t k = 0; k < 4 && i + k < data.size(); ++k)
            data[i + k] = static_cast<unsigned char>(nWord >> (8 * k));
    }
    std::memcpy(data.data(), kElfHeader, std::min(sizeof kElfHeader, data.size()));
}

void CDemoContent::RenderText(CDemoRandom& random, std::vector<unsigned char>& data) {
    std::string strText = "Korvanu 1.1";
    size_t nLine = strText.size();
    while (strText.size() < data.size()) {
        if (nLine > 64) {
            strText += "\r\n";
            nLine = 0;
        } else {
            strText += ' ';
        }
        const char* pszWord = kWords[random.Below(sizeof kWords / sizeof kWords[0])];
        strText += pszWord;
        nLine += std::strlen(pszWord) + 1;
    }
    std::memcpy(data.data(), strText.data(), data.size());
}
