// tests/wizard/LabelLayoutTest.cpp
#include "wizard/LabelLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character is 10 pixels wide; measuring also records what was measured.
struct FixedWidth {
    std::vector<std::string>* pMeasured = nullptr;
    long operator()(const char* pch, std::size_t nLength) const {
        if (pMeasured)
            pMeasured->emplace_back(pch, nLength);
        return static_cast<long>(nLength) * 10;
    }
};

std::vector<std::string> Lines(const char* pszText, long nWidth) {
    std::vector<std::string> result;
    for (const CLabelLine& line : BreakLabelLines(pszText, nWidth, FixedWidth()))
        result.emplace_back(pszText + line.nStart, line.nLength);
    return result;
}

using Texts = std::vector<std::string>;

TEST(LabelLayout, EmptyTextHasNoLines) {
    EXPECT_TRUE(Lines("", 100).empty());
}

TEST(LabelLayout, TextThatFitsStaysOnOneLine) {
    EXPECT_EQ(Lines("Zusammenfassung", 200), Texts{"Zusammenfassung"});
    EXPECT_EQ(Lines("Bereit zum Installieren", 300), Texts{"Bereit zum Installieren"});
}

TEST(LabelLayout, WordEndingExactlyAtTheRightEdgeGoesToTheNextLine) {
    // "aaa bbb" is 70 pixels: it fits only where the label is wider than that.
    EXPECT_EQ(Lines("aaa bbb", 70), (Texts{"aaa", "bbb"}));
    EXPECT_EQ(Lines("aaa bbb", 71), Texts{"aaa bbb"});
}

TEST(LabelLayout, BreaksDropTheBlankAndFillEachLine) {
    EXPECT_EQ(Lines("aa bb cc dd ee", 60), (Texts{"aa bb", "cc dd", "ee"}));
}

TEST(LabelLayout, OnlyTheBlankBreaks) {
    EXPECT_EQ(Lines("aa\tbb\r\ncc dd", 70), (Texts{"aa\tbb\r\ncc", "dd"}));
    EXPECT_EQ(Lines("aa-bb/cc", 30), Texts{"aa-bb/cc"});
}

TEST(LabelLayout, OverlongWordStandsOnItsOwnLine) {
    EXPECT_EQ(Lines("a Donaudampfschifffahrt b", 50), (Texts{"a", "Donaudampfschifffahrt", "b"}));
    EXPECT_EQ(Lines("Donaudampfschifffahrt ab cd", 60), (Texts{"Donaudampfschifffahrt", "ab cd"}));
    EXPECT_EQ(Lines("ab Donaudampfschifffahrt", 60), (Texts{"ab", "Donaudampfschifffahrt"}));
}

TEST(LabelLayout, ZeroWidthStillEnds) {
    EXPECT_EQ(Lines("ab cd ef", 0), (Texts{"ab", "cd", "ef"}));
}

TEST(LabelLayout, RunsOfBlanksGiveEmptyLinesOnlyWhereTheyDoNotFit) {
    EXPECT_EQ(Lines("a  b", 100), Texts{"a  b"});
    EXPECT_EQ(Lines("a  b", 20), (Texts{"a", "", "b"}));
    EXPECT_EQ(Lines("ab ", 100), Texts{"ab "});
}

TEST(LabelLayout, MeasuresEachCandidateFromTheLineStart) {
    std::vector<std::string> measured;
    FixedWidth measure;
    measure.pMeasured = &measured;
    BreakLabelLines("aa bb cc", 60, measure);
    // Kerning makes widths non-additive, so a line is always measured whole;
    // a line's first word needs no measuring, as it stays in any case.
    EXPECT_EQ(measured, (Texts{"aa bb", "aa bb cc"}));
}

} // namespace
