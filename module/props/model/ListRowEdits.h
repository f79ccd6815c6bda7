#pragma once
// The list tool strip's edits on the rows of a grid that shows one entry per row (grid row r
// holds entry r - 1): delete, move up and move down of the selected rows first..last. Each
// answers whether the list changed; a move shifts the selection by one row when it did.
#include "Arrays.h"

#include <algorithm>

template <class T> bool DeleteListRows(CObjectArray<T>& entries, long first, long last) {
    if (first < 1 || last < first) return false;
    const long end = std::min<long>(last, entries.GetSize());
    for (long row = end; row >= first; --row)
        entries.RemoveAt(int(row - 1));
    return end >= first;
}

template <class T> bool MoveListRowsUp(CObjectArray<T>& entries, long first, long last) {
    if (first <= 1 || last < first || last > entries.GetSize()) return false;
    // The entry just above the selection goes just below it.
    std::unique_ptr<T> above = entries.TakeAt(int(first - 2));
    entries.RemoveAt(int(first - 2));
    entries.InsertAt(int(last - 1), std::move(above));
    return true;
}

template <class T> bool MoveListRowsDown(CObjectArray<T>& entries, long first, long last) {
    if (first < 1 || last < first || last >= entries.GetSize()) return false;
    // The entry just below the selection goes to its top.
    std::unique_ptr<T> below = entries.TakeAt(int(last));
    entries.RemoveAt(int(last));
    entries.InsertAt(int(first - 1), std::move(below));
    return true;
}
