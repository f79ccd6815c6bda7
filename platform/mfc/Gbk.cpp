#include "Gbk.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace mfc {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
    iconv_t raw = iconv_open(to, from);
    if (raw == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert between GB18030 and UTF-8");
    std::unique_ptr<void, IconvCloser> cd(raw);

    std::string out(in.size() * 2 + 8, '\0');
    char* inp = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t done = 0;
    while (inLeft > 0) {
        char* outp = out.data() + done;
        std::size_t outLeft = out.size() - done;
        std::size_t r = iconv(raw, &inp, &inLeft, &outp, &outLeft);
        done = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        return std::nullopt; // EILSEQ or EINVAL: not text in the source encoding
    }
    out.resize(done);
    return out;
}

} // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    return Convert("GB18030", "UTF-8", utf8);
}
std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "GB18030", gbk);
}

int GbkByteLength(std::string_view utf8) {
    auto g = Utf8ToGbk(utf8);
    return static_cast<int>(g ? g->size() : utf8.size());
}

} // namespace mfc
