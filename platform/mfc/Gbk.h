#pragma once
// The system's code page at its fixed boundaries (display files, pinyin initials, byte counts).
// GB18030 is used for both directions: it encodes every GBK character to the same bytes and
// can also carry characters that GBK lacks, so no text is lost on the way to a file.
#include <optional>
#include <string>
#include <string_view>

namespace mfc {

// nullopt when the UTF-8 text is not well formed.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
// nullopt when the bytes are not valid in the code page.
std::optional<std::string> GbkToUtf8(std::string_view gbk);
// Bytes the text takes in the code page; a text that cannot be converted counts its UTF-8 bytes.
int GbkByteLength(std::string_view utf8);

} // namespace mfc
