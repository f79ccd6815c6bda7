#pragma once
// One cell of a result row as the database holds it, before anything writes it as text: a
// read that wants numbers takes them as numbers, with no writing and re-reading of a text.
// Each reading gives what the same cell's reply-row text reads as, except that a real number
// keeps all its digits where the text keeps fifteen significant ones.
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kes {

struct CellView {
    enum class Kind : unsigned char { Null, Integer, Real, Text };

    Kind kind = Kind::Null;
    long long integer = 0; // Kind::Integer, unless text holds it
    double real = 0;       // Kind::Real, unless text holds it
    // Kind::Text: the value unescaped, times as "YYYY-MM-DD HH:MM:SS" as in reply rows.
    // Kind::Integer and Kind::Real: when not empty, the number as a reply row writes it (a
    // backend that reads numbers as texts gives them so), read only when the number is asked
    // for. Valid during the row's call only.
    std::string_view text;

    // The number the cell holds; missing for NULL and for an empty text, a text read as the
    // C library reads numbers.
    double Number(double missing) const;
    // The cell read as an int, as TextToInt reads the cell's text.
    int Int() const;
    // The cell's reply-row text without escapes: numbers written as AppendNumber and
    // AppendInteger write them (into buffer), a text as it is, NULL empty.
    std::string_view Text(std::string& buffer) const;
};

// The cells of one result row, valid during the call they are handed to only.
using CellRow = std::span<const CellView>;
// Receives the result rows of a statement one at a time as their cells.
using CellSink = std::function<void(CellRow cells)>;

} // namespace kes
