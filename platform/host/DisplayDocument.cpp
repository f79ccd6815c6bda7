#include "DisplayDocument.h"

#include "AtomicFile.h"
#include "RuntimeClassRegistry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[8] = {'V', 'E', 'X', 'O', 'R', 'D', 'S', 'P'};

std::unique_ptr<CDrawObject> NoCreate() {
    return nullptr;
}

// A display of a few thousand elements takes some megabytes; anything far larger is not one.
constexpr off_t kLargestDisplayFile = off_t(256) << 20;

// A stored name as it may be shown: control bytes (a NUL above all) escaped, so that a damaged
// name cannot cut a message short or move the terminal.
std::string Printable(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out;
}

bool HasControlBytes(const std::string& name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

std::string Describe(std::size_t index, std::size_t count, const std::string& className) {
    return "element " + std::to_string(index + 1) + " of " + std::to_string(count) +
           (className.empty() ? std::string() : " (" + Printable(className) + ")");
}

struct Descriptor {
    explicit Descriptor(int d) : fd(d) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

} // namespace

CUnknownDrawObject::CUnknownDrawObject(std::string className, unsigned schema,
                                       std::vector<std::uint8_t> payload)
    : m_className(std::move(className)), m_class{nullptr, schema, true, NoCreate},
      m_payload(std::move(payload)) {
    m_class.m_className = m_className.c_str();
}

std::unique_ptr<CDrawObject> CUnknownDrawObject::Duplicate() const {
    return std::make_unique<CUnknownDrawObject>(m_className, m_class.m_schema, m_payload);
}

std::vector<std::uint8_t> CDisplayDocument::Store() const {
    CArchive ar;
    ar.WriteBytes(kMagic, sizeof kMagic);
    ar << kFormatVersion << std::uint32_t(m_objects.size());
    for (const auto& obj : m_objects) {
        const CRuntimeClass& cls = obj->GetRuntimeClass();
        std::vector<std::uint8_t> payload;
        if (auto unknown = dynamic_cast<const CUnknownDrawObject*>(obj.get())) {
            payload = unknown->Payload();
        } else {
            CArchive part;
            part.SetObjectSchema(cls.m_schema);
            // Storing only reads the element, but the framework's Serialize is one non-const
            // entry for both directions.
            const_cast<CDrawObject&>(*obj).Serialize(part);
            payload = part.Bytes();
        }
        ar << CString(cls.m_className) << std::uint32_t(cls.m_schema) << std::uint32_t(payload.size());
        ar.WriteBytes(payload.data(), payload.size());
    }
    return ar.Bytes();
}

bool CDisplayDocument::Load(const std::vector<std::uint8_t>& bytes, CDisplayLoadError& error) {
    CArchive ar(bytes);
    std::vector<std::unique_ptr<CDrawObject>> loaded;
    std::string context = "the file header";
    try {
        char magic[sizeof kMagic];
        if (bytes.size() < sizeof kMagic) ar.Fail(0, "the file is too short to be a display file");
        ar.ReadBytes(magic, sizeof magic);
        if (std::memcmp(magic, kMagic, sizeof kMagic) != 0) ar.Fail(0, "the file is not a display file");
        std::uint32_t version = 0, count = 0;
        ar >> version;
        if (version != kFormatVersion)
            ar.Fail(8, "the display file has format version " + std::to_string(version) +
                           ", this program reads " + std::to_string(kFormatVersion));
        ar >> count;
        for (std::uint32_t i = 0; i < count; ++i) {
            context = Describe(i, count, "");
            CString className;
            std::uint32_t schema = 0, length = 0;
            const std::size_t nameAt = ar.Position();
            ar >> className;
            context = Describe(i, count, className.str());
            if (className.IsEmpty() || HasControlBytes(className.str()))
                ar.Fail(nameAt, "the stored class name is not a class name");
            ar >> schema;
            std::size_t lengthAt = ar.Position();
            ar >> length;
            if (length > ar.Remaining())
                ar.Fail(lengthAt, "the stored element is longer than the rest of the file");
            std::size_t payloadAt = ar.Position();
            std::vector<std::uint8_t> payload(length);
            ar.ReadBytes(payload.data(), payload.size());

            const CRuntimeClass* cls = CRuntimeClassRegistry::Instance().Find(className.str());
            if (!cls) {
                loaded.push_back(
                    std::make_unique<CUnknownDrawObject>(className.str(), schema, std::move(payload)));
                continue;
            }
            if (schema > cls->m_schema || (schema != cls->m_schema && !cls->m_versionable))
                ar.Fail(payloadAt - 8, "schema " + std::to_string(schema) +
                                           " cannot be read by this version (schema " +
                                           std::to_string(cls->m_schema) + ")");
            std::unique_ptr<CDrawObject> obj = cls->m_create();
            CArchive part(std::move(payload));
            part.SetObjectSchema(schema);
            try {
                obj->Serialize(part);
            } catch (const CArchiveException& e) {
                std::string what = e.what();
                what = what.substr(0, what.rfind(" at byte offset "));
                throw CArchiveException(payloadAt + e.Offset(), what);
            } catch (const std::exception& e) {
                // Whatever else an element's reader runs into is a damaged element too.
                throw CArchiveException(payloadAt + part.Position(), e.what());
            }
            if (part.Remaining() != 0)
                ar.Fail(payloadAt + part.Position(),
                        std::to_string(part.Remaining()) + " stored bytes were not understood");
            loaded.push_back(std::move(obj));
        }
        context = "the end of the file";
        if (ar.Remaining() != 0) ar.Fail(ar.Position(), "unexpected bytes after the last element");
    } catch (const CArchiveException& e) {
        error.offset = e.Offset();
        error.message = "reading " + context + ": " + e.what();
        return false;
    } catch (const std::exception& e) {
        error.offset = ar.Position();
        error.message =
            "reading " + context + ": " + e.what() + " at byte offset " + std::to_string(error.offset);
        return false;
    }
    m_objects = std::move(loaded);
    return true;
}

bool CDisplayDocument::SaveFile(const std::string& path, std::string& error) const {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = Store();
    } catch (const std::exception& e) {
        error = "cannot store the display: " + std::string(e.what());
        return false;
    }
    return mfc::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

bool CDisplayDocument::LoadFile(const std::string& path, CDisplayLoadError& error) {
    error.offset = 0;
    // Not blocking, so that a named pipe is refused instead of waiting for a writer.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
        error.message = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error.message = "cannot open " + path + ": it is not a regular file";
        return false;
    }
    if (st.st_size > kLargestDisplayFile) {
        error.message = "cannot open " + path + ": " + std::to_string(st.st_size) +
                        " bytes is too large for a display file";
        return false;
    }
    // Read what the file held when opened; a file that shrinks meanwhile gives what is there.
    std::vector<std::uint8_t> bytes(std::size_t(st.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error.message = "cannot read " + path + ": " + std::strerror(errno);
            return false;
        }
        if (n == 0) break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    try {
        return Load(bytes, error);
    } catch (const std::exception& e) {
        error.message = "cannot read " + path + ": " + e.what();
        return false;
    }
}
