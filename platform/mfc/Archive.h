#pragma once
// The byte stream that display files are written in. Integers are little-endian; texts are the
// framework's length-prefixed form in the system code page. A load that runs past the end of
// the data, or meets a text that is not in the code page, throws CArchiveException with the
// byte offset where the damaged item starts.
#include "CString.h"
#include "Types.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class CArchiveException : public std::runtime_error {
public:
    CArchiveException(std::size_t offset, const std::string& what);
    std::size_t Offset() const { return m_offset; }

private:
    std::size_t m_offset;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // A storing archive that collects bytes.
    CArchive();
    // A loading archive over the given bytes.
    explicit CArchive(std::vector<std::uint8_t> bytes);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    void WriteBytes(const void* data, std::size_t n);
    void ReadBytes(void* data, std::size_t n);

    CArchive& operator<<(std::int32_t v) { return WriteLE(std::uint32_t(v), 4); }
    CArchive& operator<<(std::uint32_t v) { return WriteLE(v, 4); }
    CArchive& operator<<(std::int16_t v) { return WriteLE(std::uint16_t(v), 2); }
    CArchive& operator<<(std::uint16_t v) { return WriteLE(v, 2); }
    CArchive& operator<<(std::uint8_t v) { return WriteLE(v, 1); }
    CArchive& operator<<(double v);
    CArchive& operator<<(const CString& s);

    CArchive& operator>>(std::int32_t& v);
    CArchive& operator>>(std::uint32_t& v);
    CArchive& operator>>(std::int16_t& v);
    CArchive& operator>>(std::uint16_t& v);
    CArchive& operator>>(std::uint8_t& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(CString& s);

    [[noreturn]] void Fail(std::size_t offset, const std::string& what) const;

    // The schema number an element was stored with, for versionable classes reading older data.
    unsigned GetObjectSchema() const { return m_objectSchema; }
    void SetObjectSchema(unsigned schema) { m_objectSchema = schema; }

private:
    CArchive& WriteLE(std::uint64_t v, int n);
    std::uint64_t ReadLE(int n);
    void Need(std::size_t n, const char* what) const;

    Mode m_mode;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    unsigned m_objectSchema = 0;
};

// Stores the field into a storing archive or loads it from a loading one, so one Serialize
// body serves both directions.
template <class T> void ArchiveField(CArchive& ar, T& field) {
    if (ar.IsStoring())
        ar << field;
    else
        ar >> field;
}
