// pages/PageText.h: texts and header labels shared by the wizard pages.
#pragma once

#include "framework/AnsiString.h"

class CTextLabel;

// String nID of the string table; empty when it cannot be loaded.
CString LoadText(UINT nID);
// String nID formatted with the game's title for its "%s"; empty when nID
// cannot be loaded.
CString LoadTitledString(UINT nID);
// Configures a page title: black text with a light-grey shadow, "MS Shell Dlg"
// semibold at nHeight pixels.
void SetTopicLabel(CTextLabel& label, int nHeight, LPCSTR pszText);
// An error box owned by the wizard: caption "Fehler", one OK button.
void ShowPageError(HWND hOwner, LPCSTR pszText);
// Configures a header subtitle: black text with a white shadow, "MS Shell Dlg"
// regular at 12 pixels.
void SetSubtopicLabel(CTextLabel& label, LPCSTR pszText);
