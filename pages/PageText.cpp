// pages/PageText.cpp
#include "pages/PageText.h"

#include "res/resource.h"
#include "wizard/TextLabel.h"

CString LoadText(UINT nID) {
    CString strText;
    strText.LoadString(nID);
    return strText;
}

CString LoadTitledString(UINT nID) {
    CString strText;
    strText.Format(LoadText(nID).c_str(), LoadText(IDS_GAME_TITLE).c_str());
    return strText;
}

void ShowPageError(HWND hOwner, LPCSTR pszText) {
    ::MessageBoxA(hOwner, pszText, "Fehler", MB_OK | MB_ICONERROR);
}

void SetTopicLabel(CTextLabel& label, int nHeight, LPCSTR pszText) {
    label.SetTextColor(RGB(0, 0, 0));
    label.SetShadowColor(RGB(201, 201, 201));
    label.SetLabelFont("MS Shell Dlg", nHeight, FW_SEMIBOLD);
    label.SetLabelText(pszText);
}

void SetSubtopicLabel(CTextLabel& label, LPCSTR pszText) {
    label.SetTextColor(RGB(0, 0, 0));
    label.SetShadowColor(RGB(255, 255, 255));
    label.SetLabelFont("MS Shell Dlg", 12, FW_NORMAL);
    label.SetLabelText(pszText);
}
