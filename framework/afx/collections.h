#pragma once
// CObject and the array collections pages use, over std::vector.

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/afx/cstring.h"
#include "framework/afx/runtime_class.h"

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    static CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* someClass) const;
};

namespace afx {

// The shared body of the typed arrays. Indexes are not checked, as in the original:
// callers keep them below GetSize().
template <class T, class Arg = const T&>
class TypedArray : public CObject {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }

    void SetSize(int size, int /*growBy*/ = -1) {
        m_items.resize(static_cast<std::size_t>(size < 0 ? 0 : size));
    }
    const T& GetAt(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    T& ElementAt(int index) { return m_items[static_cast<std::size_t>(index)]; }
    void SetAt(int index, Arg value) { m_items[static_cast<std::size_t>(index)] = value; }
    void SetAtGrow(int index, Arg value) {
        if (index >= GetSize()) {
            SetSize(index + 1);
        }
        SetAt(index, value);
    }
    const T& operator[](int index) const { return GetAt(index); }
    T& operator[](int index) { return ElementAt(index); }
    const T* GetData() const { return m_items.data(); }
    T* GetData() { return m_items.data(); }

    int Add(Arg value) {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    int Append(const TypedArray& other) {
        const int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const TypedArray& other) { m_items = other.m_items; }
    void InsertAt(int index, Arg value, int count = 1) {
        const auto at = static_cast<std::size_t>(index < 0 ? 0 : index);
        if (at > m_items.size()) {
            m_items.resize(at);
        }
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at),
                       static_cast<std::size_t>(count < 0 ? 0 : count), value);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || index >= GetSize() || count <= 0) {
            return;
        }
        const auto first = m_items.begin() + index;
        m_items.erase(first, first + std::min(count, GetSize() - index));
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};

}  // namespace afx

class CStringArray : public afx::TypedArray<CString> {
    DECLARE_DYNAMIC(CStringArray)
};

class CUIntArray : public afx::TypedArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CDWordArray : public afx::TypedArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class CWordArray : public afx::TypedArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class CPtrArray : public afx::TypedArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

// Holds pointers it does not own, as in the original.
class CObArray : public afx::TypedArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};
