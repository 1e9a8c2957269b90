#include "framework/afx/cstring.h"

#include <strings.h>
#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
std::string vformat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(needed));
    return out;
}

std::size_t clampIndex(int index, std::size_t size) {
    return index < 0 ? 0 : std::min(static_cast<std::size_t>(index), size);
}

bool isBlank(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}
}  // namespace

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_text = vformat(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_text += vformat(format, args);
    va_end(args);
}

CString CString::Left(int count) const {
    return CString(m_text.substr(0, clampIndex(count, m_text.size())));
}

CString CString::Mid(int first) const {
    return CString(m_text.substr(clampIndex(first, m_text.size())));
}

CString CString::Mid(int first, int count) const {
    const std::size_t from = clampIndex(first, m_text.size());
    return CString(m_text.substr(from, clampIndex(count, m_text.size() - from)));
}

CString CString::Right(int count) const {
    const std::size_t n = clampIndex(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) > m_text.size()) {
        return -1;
    }
    const auto pos = m_text.find(ch, static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || static_cast<std::size_t>(start) > m_text.size()) {
        return -1;
    }
    const auto pos = m_text.find(sub, static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    const auto pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* chars) const {
    const auto pos = m_text.find_first_of(chars ? chars : "");
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Compare(const char* other) const {
    return std::strcmp(m_text.c_str(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const {
    return ::strcasecmp(m_text.c_str(), other ? other : "");
}

CString& CString::MakeUpper() {
    for (auto& ch : m_text) {
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    return *this;
}

CString& CString::MakeLower() {
    for (auto& ch : m_text) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::TrimLeft() {
    m_text.erase(m_text.begin(), std::find_if_not(m_text.begin(), m_text.end(), isBlank));
    return *this;
}

CString& CString::TrimRight() {
    m_text.erase(std::find_if_not(m_text.rbegin(), m_text.rend(), isBlank).base(), m_text.end());
    return *this;
}

CString& CString::Trim() {
    return TrimLeft().TrimRight();
}

CString& CString::TrimLeft(char ch) {
    m_text.erase(0, m_text.find_first_not_of(ch));
    return *this;
}

CString& CString::TrimRight(char ch) {
    const auto last = m_text.find_last_not_of(ch);
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Replace(const char* from, const char* to) {
    if (!from || !*from) {
        return 0;
    }
    const std::string needle(from);
    const std::string replacement(to ? to : "");
    int count = 0;
    for (std::size_t pos = m_text.find(needle); pos != std::string::npos;
         pos = m_text.find(needle, pos + replacement.size())) {
        m_text.replace(pos, needle.size(), replacement);
        ++count;
    }
    return count;
}

int CString::Replace(char from, char to) {
    int count = 0;
    for (auto& ch : m_text) {
        if (ch == from) {
            ch = to;
            ++count;
        }
    }
    return count;
}

int CString::Remove(char ch) {
    const auto before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, const char* text) {
    m_text.insert(clampIndex(index, m_text.size()), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    const std::size_t from = clampIndex(index, m_text.size());
    m_text.erase(from, clampIndex(count, m_text.size() - from));
    return GetLength();
}

char* CString::GetBuffer(int minLength) {
    const std::size_t length = m_text.size();
    if (minLength > 0 && static_cast<std::size_t>(minLength) > length) {
        m_text.resize(static_cast<std::size_t>(minLength), '\0');
    }
    return m_text.data();
}

char* CString::GetBufferSetLength(int length) {
    m_text.resize(clampIndex(length, static_cast<std::size_t>(length < 0 ? 0 : length)), '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(std::strlen(m_text.c_str()));
    } else {
        m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
    }
}

CString& CString::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_text += text ? text : "";
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.m_text + b.m_text);
}
CString operator+(const CString& a, const char* b) {
    return CString(a.m_text + (b ? b : ""));
}
CString operator+(const char* a, const CString& b) {
    return CString((a ? a : "") + b.m_text);
}
CString operator+(const CString& a, char b) {
    return CString(a.m_text + b);
}
