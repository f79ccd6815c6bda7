#include "Archive.h"

#include "Gbk.h"

#include <bit>
#include <cstring>

CArchiveException::CArchiveException(std::size_t offset, const std::string& what)
    : std::runtime_error(what + " at byte offset " + std::to_string(offset)), m_offset(offset) {}

CArchive::CArchive() : m_mode(store) {}
CArchive::CArchive(std::vector<std::uint8_t> bytes) : m_mode(load), m_bytes(std::move(bytes)) {}

void CArchive::Fail(std::size_t offset, const std::string& what) const {
    throw CArchiveException(offset, what);
}

void CArchive::Need(std::size_t n, const char* what) const {
    if (m_mode != load) throw std::logic_error("reading from a storing archive");
    if (n > Remaining()) Fail(m_pos, std::string("the data ends inside ") + what);
}

void CArchive::WriteBytes(const void* data, std::size_t n) {
    if (m_mode != store) throw std::logic_error("writing to a loading archive");
    auto p = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + n);
}

void CArchive::ReadBytes(void* data, std::size_t n) {
    Need(n, "a block of bytes");
    if (n) std::memcpy(data, m_bytes.data() + m_pos, n);
    m_pos += n;
}

CArchive& CArchive::WriteLE(std::uint64_t v, int n) {
    std::uint8_t b[8];
    for (int i = 0; i < n; ++i)
        b[i] = std::uint8_t(v >> (8 * i));
    WriteBytes(b, std::size_t(n));
    return *this;
}

std::uint64_t CArchive::ReadLE(int n) {
    Need(std::size_t(n), "a number");
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v |= std::uint64_t(m_bytes[m_pos + std::size_t(i)]) << (8 * i);
    m_pos += std::size_t(n);
    return v;
}

CArchive& CArchive::operator<<(double v) {
    return WriteLE(std::bit_cast<std::uint64_t>(v), 8);
}

CArchive& CArchive::operator>>(std::int32_t& v) {
    v = std::int32_t(std::uint32_t(ReadLE(4)));
    return *this;
}
CArchive& CArchive::operator>>(std::uint32_t& v) {
    v = std::uint32_t(ReadLE(4));
    return *this;
}
CArchive& CArchive::operator>>(std::int16_t& v) {
    v = std::int16_t(std::uint16_t(ReadLE(2)));
    return *this;
}
CArchive& CArchive::operator>>(std::uint16_t& v) {
    v = std::uint16_t(ReadLE(2));
    return *this;
}
CArchive& CArchive::operator>>(std::uint8_t& v) {
    v = std::uint8_t(ReadLE(1));
    return *this;
}
CArchive& CArchive::operator>>(double& v) {
    v = std::bit_cast<double>(ReadLE(8));
    return *this;
}

// Length prefix: below 255 one byte; up to 65534 the byte 255 and a 16-bit length; from
// 65535 on 255, 0xFFFF and a 32-bit length.
CArchive& CArchive::operator<<(const CString& s) {
    auto gbk = mfc::Utf8ToGbk(s.str());
    if (!gbk) throw std::invalid_argument("text is not well-formed UTF-8: " + s.str());
    std::size_t n = gbk->size();
    if (n > 0xFFFFFFFFu) throw std::length_error("text too long for a display file");
    if (n < 255) {
        WriteLE(n, 1);
    } else if (n < 0xFFFF) {
        WriteLE(255, 1);
        WriteLE(n, 2);
    } else {
        WriteLE(255, 1);
        WriteLE(0xFFFF, 2);
        WriteLE(n, 4);
    }
    WriteBytes(gbk->data(), n);
    return *this;
}

CArchive& CArchive::operator>>(CString& s) {
    std::size_t start = m_pos;
    if (Remaining() < 1) Fail(start, "the data ends inside a text");
    std::size_t n = m_bytes[m_pos++];
    if (n == 255) {
        if (Remaining() < 2) Fail(start, "the data ends inside a text");
        n = std::size_t(ReadLE(2));
        if (n == 0xFFFF) {
            if (Remaining() < 4) Fail(start, "the data ends inside a text");
            n = std::size_t(ReadLE(4));
        }
    }
    if (n > Remaining()) Fail(start, "the data ends inside a text");
    std::string_view raw(reinterpret_cast<const char*>(m_bytes.data() + m_pos), n);
    auto utf8 = mfc::GbkToUtf8(raw);
    if (!utf8) Fail(start, "a text holds bytes that are not GBK");
    m_pos += n;
    s = CString(std::move(*utf8));
    return *this;
}
