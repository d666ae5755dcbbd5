// tests/res/DialogTest.cpp: the eight dialog templates, control by control in tab order.
#include "DialogTemplate.h"
#include "ExpectedResources.h"
#include "ResourceModule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// Class names compare without case; the predefined classes may be stored as ordinals.
std::wstring ClassName(const SzOrOrd& field) {
    switch (field.ordinal) {
    case 0x80:
        return L"BUTTON";
    case 0x81:
        return L"EDIT";
    case 0x82:
        return L"STATIC";
    }
    std::wstring name = field.text;
    for (wchar_t& c : name)
        c = towupper(c);
    return name;
}

// Styles read best in hexadecimal when a check fails.
std::string Hex(DWORD value) {
    char text[16];
    snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::optional<DialogTemplate> Load(WORD id) {
    auto data = TestModule().Data(RT_DIALOG, MAKEINTRESOURCEW(id), kGerman);
    return data ? DialogTemplate::Parse(*data) : std::nullopt;
}

} // namespace

TEST(Dialogs, HeaderAndFont) {
    for (const ExpectedDialog& want : kDialogs) {
        SCOPED_TRACE(testing::Message() << "dialog " << want.id);
        auto d = Load(want.id);
        ASSERT_TRUE(d) << "missing or not a DLGTEMPLATEEX";
        EXPECT_EQ(d->helpId, 0u);
        EXPECT_EQ(Hex(d->style), Hex(want.style));
        EXPECT_EQ(Hex(d->exStyle), Hex(want.exStyle));
        EXPECT_EQ(std::vector<short>({d->x, d->y, d->cx, d->cy}),
                  std::vector<short>({want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(d->menu, SzOrOrd{});
        EXPECT_EQ(d->windowClass, SzOrOrd{});
        EXPECT_EQ(d->caption, SzOrOrd{want.caption});
        EXPECT_EQ(d->pointSize, 8);
        EXPECT_EQ(d->weight, want.weight);
        EXPECT_EQ(d->italic, 0);
        EXPECT_EQ(d->charset, DEFAULT_CHARSET);
        EXPECT_EQ(d->typeface, L"MS Shell Dlg");
    }
}

TEST(Dialogs, ControlsInTabOrder) {
    for (const ExpectedDialog& want : kDialogs) {
        auto d = Load(want.id);
        ASSERT_TRUE(d) << "dialog " << want.id;
        ASSERT_EQ(d->controls.size(), want.controls.size()) << "dialog " << want.id;
        for (size_t i = 0; i < want.controls.size(); ++i) {
            const ExpectedControl& w = want.controls[i];
            const DialogControl& c = d->controls[i];
            SCOPED_TRACE(testing::Message() << "dialog " << want.id << " control " << i);
            EXPECT_EQ(c.id, w.id);
            EXPECT_EQ(ClassName(c.windowClass), ClassName(SzOrOrd{w.windowClass}));
            EXPECT_EQ(c.text, (w.text ? SzOrOrd{w.text} : SzOrOrd{L"", w.image}));
            EXPECT_EQ(Hex(c.style), Hex(w.style));
            EXPECT_EQ(Hex(c.exStyle), Hex(w.exStyle));
            EXPECT_EQ(std::vector<short>({c.x, c.y, c.cx, c.cy}),
                      std::vector<short>({w.x, w.y, w.cx, w.cy}));
            EXPECT_EQ(c.helpId, 0u);
            EXPECT_EQ(c.extraBytes, 0);
        }
    }
}
