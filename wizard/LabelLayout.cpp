// wizard/LabelLayout.cpp
#include "wizard/LabelLayout.h"

#include <cstring>

namespace {

// The first blank at or after nFrom; the text counts as ending in one (at nLength).
std::size_t FindBlank(const char* pszText, std::size_t nLength, std::size_t nFrom) {
    const void* p = std::memchr(pszText + nFrom, ' ', nLength - nFrom);
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - pszText) : nLength;
}

} // namespace

std::vector<CLabelLine> BreakLabelLines(const char* pszText, long nWidth,
                                        const LabelMeasure& measure) {
    std::vector<CLabelLine> lines;
    const std::size_t nLength = std::strlen(pszText);
    if (nLength == 0)
        return lines;
    std::size_t nLineStart = 0;
    std::size_t nLineEnd = 0;
    do {
        // The line's first word always stays on it, so every line makes
        // progress even when that word is wider than the label.
        nLineEnd = FindBlank(pszText, nLength, nLineStart);
        while (nLineEnd < nLength) {
            std::size_t nNext = FindBlank(pszText, nLength, nLineEnd + 1);
            if (measure(pszText + nLineStart, nNext - nLineStart) >= nWidth)
                break;
            nLineEnd = nNext;
        }
        lines.push_back({nLineStart, nLineEnd - nLineStart});
        nLineStart = nLineEnd + 1;
    } while (nLineEnd < nLength);
    return lines;
}
