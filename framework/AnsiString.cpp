// framework/AnsiString.cpp
#include "framework/AnsiString.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

CString::CString(LPCSTR psz) : m_str(psz ? psz : "") {}

CString::CString(LPCSTR pch, int nLength) : m_str(pch, static_cast<std::size_t>(nLength)) {}

int CString::GetLength() const {
    return static_cast<int>(m_str.size());
}

BOOL CString::IsEmpty() const {
    return m_str.empty();
}

void CString::Empty() {
    m_str.clear();
}

LPCSTR CString::c_str() const {
    return m_str.c_str();
}

CString::operator LPCSTR() const {
    return m_str.c_str();
}

BOOL CString::LoadString(UINT nID) {
    m_str.clear();
    // The table stores strings in blocks of sixteen: block nID / 16 + 1, each
    // entry a WORD length followed by that many UTF-16 units.
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    HRSRC hRes = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID / 16 + 1), MAKEINTRESOURCEW(6));
    HGLOBAL hData = hRes ? ::LoadResource(hModule, hRes) : nullptr;
    const WCHAR* p = hData ? static_cast<const WCHAR*>(::LockResource(hData)) : nullptr;
    if (!p)
        return FALSE;
    const WCHAR* pEnd = p + ::SizeofResource(hModule, hRes) / sizeof(WCHAR);
    for (UINT i = 0; i < nID % 16 && p < pEnd; ++i)
        p += 1 + *p;
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return FALSE;
    int nChars = *p++;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, p, nChars, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return FALSE;
    m_str.resize(static_cast<std::size_t>(nBytes));
    ::WideCharToMultiByte(CP_ACP, 0, p, nChars, &m_str[0], nBytes, nullptr, nullptr);
    return TRUE;
}

void CString::FormatArgs(LPCSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int nLength = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (nLength < 0) {
        m_str.clear();
    } else {
        std::vector<char> buffer(static_cast<std::size_t>(nLength) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
        m_str.assign(buffer.data(), static_cast<std::size_t>(nLength));
    }
    va_end(args);
}

CString& CString::operator=(LPCSTR psz) {
    m_str = psz ? psz : "";
    return *this;
}

CString& CString::operator+=(LPCSTR psz) {
    if (psz)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

CString operator+(const CString& left, LPCSTR right) {
    CString result(left);
    result += right;
    return result;
}

bool operator==(const CString& left, LPCSTR right) {
    return left.m_str == (right ? right : "");
}
