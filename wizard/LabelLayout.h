// wizard/LabelLayout.h
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// One line of a text label: nLength bytes of the text from nStart.
struct CLabelLine {
    std::size_t nStart;
    std::size_t nLength;
};

// Width in pixels of nLength bytes starting at pch, in the label's font.
using LabelMeasure = std::function<long(const char* pch, std::size_t nLength)>;

// Breaks a label's text into lines nWidth pixels wide. Only the blank (0x20)
// breaks a line; a line takes words while their width from the line's start
// stays below nWidth (a word ending exactly at nWidth goes to the next line),
// and the blank at a break is dropped. A word wider than the label stands on a
// line of its own. An empty text has no lines.
std::vector<CLabelLine> BreakLabelLines(const char* pszText, long nWidth,
                                        const LabelMeasure& measure);
