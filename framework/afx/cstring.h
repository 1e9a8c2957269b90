#pragma once
// CString: the toolkit's string type with value semantics over std::string.

#include <string>
#include <string_view>

#include "framework/afx/win_types.h"

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}   // NOLINT: implicit like the original
    CString(const std::string& text) : m_text(text) {}        // NOLINT
    CString(std::string&& text) : m_text(std::move(text)) {}  // NOLINT
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    CString(const char* text, int length) : m_text(text ? text : "", text ? length : 0) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text[static_cast<std::size_t>(index)]; }
    void SetAt(int index, char ch) { m_text[static_cast<std::size_t>(index)] = ch; }
    char operator[](int index) const { return GetAt(index); }

    operator LPCTSTR() const { return m_text.c_str(); }  // NOLINT: implicit like the original
    const char* GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    // printf-style; a CString argument must be passed as (LPCTSTR)s or s.GetString().
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);
    int Replace(const char* from, const char* to);
    int Replace(char from, char to);
    int Remove(char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // The buffer stays valid until ReleaseBuffer; ReleaseBuffer(-1) takes the text up to the first
    // NUL.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    std::string m_text;
};
