#pragma once
// Growable arrays indexed from 0, as the module's records hold them. Value arrays copy their
// elements; object arrays own theirs and delete them when removed or emptied.
#include "CString.h"
#include "Types.h"

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

template <class T> class CValueArray {
public:
    CValueArray() = default;
    CValueArray(std::initializer_list<T> items) : m_items(items) {}

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int n) { m_items.resize(n > 0 ? std::size_t(n) : 0); }
    void Reserve(int n) { m_items.reserve(n > 0 ? std::size_t(n) : 0); }

    const T& GetAt(int i) const { return m_items.at(Index(i)); }
    T& ElementAt(int i) { return m_items.at(Index(i)); }
    void SetAt(int i, T v) { m_items.at(Index(i)) = std::move(v); }
    const T& operator[](int i) const { return GetAt(i); }
    T& operator[](int i) { return ElementAt(i); }

    int Add(T v) {
        m_items.push_back(std::move(v));
        return GetUpperBound();
    }
    void InsertAt(int i, T v) { m_items.insert(m_items.begin() + Clamp(i), std::move(v)); }
    void RemoveAt(int i, int count = 1) {
        std::size_t first = Index(i);
        std::size_t last = std::min(m_items.size(), first + std::size_t(count > 0 ? count : 0));
        m_items.erase(m_items.begin() + long(first), m_items.begin() + long(last));
    }
    void RemoveAll() { m_items.clear(); }
    void Copy(const CValueArray& other) { m_items = other.m_items; }
    int Append(const CValueArray& other) {
        int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    friend bool operator==(const CValueArray&, const CValueArray&) = default;

private:
    std::size_t Index(int i) const {
        if (i < 0 || std::size_t(i) >= m_items.size()) throw std::out_of_range("array index out of range");
        return std::size_t(i);
    }
    long Clamp(int i) const { return i < 0 ? 0 : std::min<long>(i, long(m_items.size())); }
    std::vector<T> m_items;
};

using CStringArray = CValueArray<CString>;
using CDWordArray = CValueArray<DWORD>;

// An array that owns its objects. Copying makes deep copies (the element type must be copyable).
template <class T> class CObjectArray {
public:
    CObjectArray() = default;
    CObjectArray(const CObjectArray& other) { Copy(other); }
    CObjectArray& operator=(const CObjectArray& other) {
        if (this != &other) Copy(other);
        return *this;
    }
    CObjectArray(CObjectArray&&) noexcept = default;
    CObjectArray& operator=(CObjectArray&&) noexcept = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    T* GetAt(int i) const { return m_items.at(Index(i)).get(); }
    T& operator[](int i) const { return *GetAt(i); }

    int Add(std::unique_ptr<T> item) {
        m_items.push_back(std::move(item));
        return GetSize() - 1;
    }
    void InsertAt(int i, std::unique_ptr<T> item) {
        long at = i < 0 ? 0 : std::min<long>(i, long(m_items.size()));
        m_items.insert(m_items.begin() + at, std::move(item));
    }
    void RemoveAt(int i) { m_items.erase(m_items.begin() + long(Index(i))); }
    // Hands the object at i over to the caller; its slot stays, empty.
    std::unique_ptr<T> TakeAt(int i) { return std::move(m_items.at(Index(i))); }
    void RemoveAll() { m_items.clear(); }
    void Copy(const CObjectArray& other) {
        std::vector<std::unique_ptr<T>> copies;
        copies.reserve(other.m_items.size());
        for (const auto& p : other.m_items)
            copies.push_back(p ? std::make_unique<T>(*p) : nullptr);
        m_items = std::move(copies);
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    friend bool operator==(const CObjectArray& a, const CObjectArray& b) {
        if (a.m_items.size() != b.m_items.size()) return false;
        for (std::size_t i = 0; i < a.m_items.size(); ++i) {
            const T* x = a.m_items[i].get();
            const T* y = b.m_items[i].get();
            if ((x == nullptr) != (y == nullptr) || (x && !(*x == *y))) return false;
        }
        return true;
    }

private:
    std::size_t Index(int i) const {
        if (i < 0 || std::size_t(i) >= m_items.size()) throw std::out_of_range("array index out of range");
        return std::size_t(i);
    }
    std::vector<std::unique_ptr<T>> m_items;
};
