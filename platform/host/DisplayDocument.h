#pragma once
// A display: the elements an engineer placed, in drawing order, stored in a display file.
// The byte layout is described in DISPLAY_FILE_FORMAT.md beside this file. An element whose
// class is not loaded (its module is missing) is kept as it was read and written back
// unchanged, so opening and saving a display never loses another module's elements.
#include "DrawObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An element of a class that no loaded module provides: its stored bytes, kept verbatim.
class CUnknownDrawObject : public CDrawObject {
public:
    CUnknownDrawObject(std::string className, unsigned schema, std::vector<std::uint8_t> payload);
    const CRuntimeClass& GetRuntimeClass() const override { return m_class; }
    std::unique_ptr<CDrawObject> Duplicate() const override;
    const std::vector<std::uint8_t>& Payload() const { return m_payload; }

private:
    std::string m_className;
    CRuntimeClass m_class;
    std::vector<std::uint8_t> m_payload;
};

struct CDisplayLoadError {
    std::string message; // says what was being read and the byte offset where reading failed
    std::size_t offset = 0;
};

class CDisplayDocument {
public:
    static constexpr std::uint32_t kFormatVersion = 1;

    std::vector<std::unique_ptr<CDrawObject>> m_objects;

    std::vector<std::uint8_t> Store() const;
    // Replaces the elements with those of the bytes; on failure the document is left as it was
    // and the error is returned.
    bool Load(const std::vector<std::uint8_t>& bytes, CDisplayLoadError& error);

    // Written to a uniquely named temporary file beside the target and renamed over it, so a
    // failed save never leaves half a display and a link planted beside it is never followed.
    bool SaveFile(const std::string& path, std::string& error) const;
    bool LoadFile(const std::string& path, CDisplayLoadError& error);
};
