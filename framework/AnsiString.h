// framework/AnsiString.h
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

// An 8-bit string in the system's ANSI code page.
class CString {
public:
    CString() = default;
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
    LPCSTR c_str() const;
    operator LPCSTR() const;

    // Loads entry nID of the string table (UTF-16) converted to the ANSI code page.
    // An id without a string yields "" and FALSE.
    BOOL LoadString(UINT nID);

    // printf formatting. A string object must never travel through varargs:
    // pass c_str() (or the LPCSTR conversion) instead; objects are rejected here.
    template <typename... Args> void Format(LPCSTR pszFormat, Args... args) {
        static_assert((std::is_scalar_v<Args> && ...),
                      "Format takes numbers and pointers only; pass strings as c_str()");
        FormatArgs(pszFormat, args...);
    }

    CString& operator=(LPCSTR psz);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);
    friend CString operator+(const CString& left, LPCSTR right);
    friend bool operator==(const CString& left, LPCSTR right);

private:
    void FormatArgs(LPCSTR pszFormat, ...);

    std::string m_str;
};
