#pragma once
// A list of texts kept in order: the time axis of the point query. Texts compare by their
// code-page bytes, so "2024-06-01 08" sorts before "2024-06-01 09" and Chinese labels in the
// order of the system's own lists.
#include "Arrays.h"
#include "CString.h"

class CSortedTextList {
public:
    void Add(const CString& text) { m_texts.Add(text); }
    void RemoveAll();
    int GetSize() const { return m_texts.GetSize(); }

    void Sort(bool ascending = true);
    // Sorts ascending and keeps one of each run of equal texts.
    void SortUnique();

    // The text at index; empty outside the list.
    CString GetAt(int index) const;
    CString First() const { return GetAt(0); }
    CString Last() const { return GetAt(GetSize() - 1); }

    // The index of an equal text, or -1. The search starts where the last successful one ended,
    // runs to the end and then from the start up to there, so texts asked for in list order are
    // each found at the first step.
    int Find(std::string_view text);

private:
    CStringArray m_texts;
    int m_lastFound = 0;
};
