// tests/res/DialogTest.cpp: the eight dialog templates, control by control in tab order.
#include "DialogTemplate.h"
#include "ResourceModule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

namespace {

constexpr DWORD kText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kPicture = WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZEIMAGE;
constexpr DWORD kLine = WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ;
constexpr DWORD kPush = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kPath =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kPage = WS_CHILD | WS_DISABLED | DS_SHELLFONT;
constexpr DWORD kT = WS_EX_TRANSPARENT;

struct Control {
    LONG id;
    const wchar_t* windowClass;
    const wchar_t* text; // nullptr: the text is the ordinal of resource `image`
    WORD image;
    DWORD style, exStyle;
    short x, y, cx, cy;
};

struct Dialog {
    WORD id;
    DWORD style, exStyle;
    short x, y, cx, cy;
    const wchar_t* caption;
    WORD weight;
    std::vector<Control> controls;
};

const std::vector<Dialog> kDialogs = {
    {100,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT,
     0,
     0,
     0,
     202,
     102,
     L"Info...",
     0,
     {{-1, L"STATIC", nullptr, 128, WS_CHILD | WS_VISIBLE | SS_ICON, 0, 11, 17, 21, 20},
      {-1, L"STATIC",
       L"Installations-Assistent f\u00fcr Orva Spiele\r\n\r\nVersion 1.0\r\nSprache: Deutsch", 0,
       kText | SS_NOPREFIX, 0, 40, 10, 155, 34},
      {IDOK, L"BUTTON", L"OK", 0, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON,
       0, 75, 79, 50, 16}}},
    {102,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
         DS_SHELLFONT,
     WS_EX_APPWINDOW,
     0,
     0,
     331,
     221,
     L"",
     0,
     {{IDCANCEL, L"BUTTON", L"Abbrechen", 0, kPush, 0, 274, 200, 50, 14},
      {12324, L"BUTTON", L"Weiter >", 0, kPush, 0, 219, 200, 50, 14},
      {12323, L"BUTTON", L"< Zur\u00fcck", 0, kPush, 0, 169, 200, 50, 14},
      {1000, L"STATIC", L"", 0, WS_CHILD | SS_ETCHEDFRAME, 0, 0, 0, 331, 193}}},
    {129,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{-1, L"STATIC", nullptr, 130, kPicture, 0, 0, 0, 110, 193},
      {1018, L"STATIC", L"IDC_WELCOME_TOPIC", 0, kText, 0, 118, 8, 206, 40},
      {1004, L"STATIC", L"IDC_WELCOME_PREFACE", 0, kText, 0, 118, 54, 206, 107},
      {1010, L"STATIC", L"", 0, kLine, 0, 0, 192, 333, 1},
      {1006, L"STATIC", L"IDC_WELCOME_HINT", 0, kText, 0, 118, 170, 206, 15}}},
    {136,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{1001, L"STATIC", nullptr, 137, kPicture, 0, 0, 0, 332, 36},
      {-1, L"STATIC", L"", 0, kLine, 0, 7, 192, 318, 1},
      {1002, L"STATIC", L"IDC_LICENSE_TOPIC", 0, kText, 0, 8, 5, 233, 9},
      {1003, L"STATIC", L"IDC_LICENSE_SUBTOPIC", 0, kText, 0, 16, 16, 225, 20},
      {-1, L"STATIC", L"", 0, kLine, 0, 0, 35, 333, 1},
      {1004, L"STATIC", L"IDC_LICENSE_PREFACE", 0, kText, kT, 16, 45, 300, 9},
      {1006, L"EDIT", L"", 0,
       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL |
           ES_READONLY,
       0, 15, 60, 302, 81},
      {1005, L"STATIC", L"IDC_LICENSE_HINT", 0, kText, kT, 16, 147, 300, 26},
      {1007, L"BUTTON", L"IDC_LICENSE_CHECK", 0,
       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16, 176, 301, 10}}},
    {139,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{1001, L"STATIC", nullptr, 137, kPicture, 0, 0, 0, 332, 36},
      {1009, L"STATIC", L"IDC_TARGET_TOPIC", 0, kText, 0, 8, 5, 233, 9},
      {1008, L"STATIC", L"IDC_TARGET_SUBTOPIC", 0, kText, 0, 16, 16, 225, 20},
      {-1, L"STATIC", L"", 0, kLine, 0, 0, 35, 333, 1},
      {-1, L"STATIC", L"", 0, kLine, 0, 7, 192, 318, 1},
      {1010, L"STATIC", L"IDC_TARGET_PREFACE", 0, kText, kT, 16, 45, 300, 39},
      {1011, L"BUTTON", L"IDS_TARGET_GROUPBOX", 0, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 16, 113,
       300, 37},
      {1013, L"EDIT", L"", 0, kPath, 0, 24, 127, 214, 14},
      {1014, L"BUTTON", L"Durchsuchen", 0, kPush, 0, 244, 127, 65, 14}}},
    {140,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{1001, L"STATIC", nullptr, 137, kPicture, 0, 0, 0, 332, 36},
      {1015, L"STATIC", L"IDC_SUMMARY_TOPIC", 0, kText, 0, 8, 5, 233, 9},
      {1016, L"STATIC", L"IDC_SUMMARY_SUBTOPIC", 0, kText, 0, 16, 16, 225, 20},
      {-1, L"STATIC", L"", 0, kLine, 0, 0, 35, 333, 1},
      {-1, L"STATIC", L"", 0, kLine, 0, 7, 192, 318, 1},
      {1017, L"STATIC", L"IDC_SUMMARY_PREFACE", 0, kText, kT, 16, 45, 300, 9},
      {1018, L"EDIT", L"", 0, kPath, 0, 16, 58, 300, 14}}},
    {141,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{1001, L"STATIC", nullptr, 137, kPicture, 0, 0, 0, 332, 36},
      {1019, L"STATIC", L"IDC_PROGRESS_TOPIC", 0, kText, 0, 8, 5, 233, 9},
      {1020, L"STATIC", L"IDC_PROGRESS_SUBTOPIC", 0, kText, 0, 16, 16, 225, 20},
      {-1, L"STATIC", L"", 0, kLine, 0, 0, 35, 333, 1},
      {-1, L"STATIC", L"", 0, kLine, 0, 7, 192, 318, 1},
      {1021, L"STATIC", L"IDC_PROGRESS_PREFACE", 0, kText, kT, 16, 45, 300, 9},
      {1022, L"msctls_progress32", L"", 0, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 16, 58, 300, 14}}},
    {142,
     kPage,
     0,
     0,
     0,
     332,
     193,
     L"",
     400,
     {{-1, L"STATIC", nullptr, 130, kPicture, 0, 0, 0, 110, 193},
      {1023, L"STATIC", L"IDC_FINISH_TOPIC", 0, kText, 0, 118, 8, 206, 40},
      {1024, L"STATIC", L"IDC_FINISH_PREFACE", 0, kText, 0, 118, 54, 206, 107},
      {1025, L"STATIC", L"IDC_FINISH_HINT", 0, kText, 0, 118, 170, 206, 15},
      {1010, L"STATIC", L"", 0, kLine, 0, 0, 192, 333, 1}}},
};

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
    for (const Dialog& want : kDialogs) {
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
    for (const Dialog& want : kDialogs) {
        auto d = Load(want.id);
        ASSERT_TRUE(d) << "dialog " << want.id;
        ASSERT_EQ(d->controls.size(), want.controls.size()) << "dialog " << want.id;
        for (size_t i = 0; i < want.controls.size(); ++i) {
            const Control& w = want.controls[i];
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
