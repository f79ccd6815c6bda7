#include "CellView.h"

#include "CString.h"
#include "ValueText.h"

#include <algorithm>
#include <climits>

namespace kes {

double CellView::Number(double missing) const {
    switch (kind) {
    case Kind::Integer:
        return text.empty() ? double(integer) : TextToDouble(text);
    case Kind::Real:
        return text.empty() ? real : TextToDouble(text);
    case Kind::Text:
        return text.empty() ? missing : TextToDouble(text);
    case Kind::Null:
        break;
    }
    return missing;
}

int CellView::Int() const {
    if (kind == Kind::Integer && text.empty()) return int(std::clamp<long long>(integer, INT_MIN, INT_MAX));
    std::string buffer;
    return TextToInt(Text(buffer));
}

std::string_view CellView::Text(std::string& buffer) const {
    switch (kind) {
    case Kind::Integer:
        if (!text.empty()) return text;
        buffer.clear();
        AppendInteger(buffer, integer);
        return buffer;
    case Kind::Real:
        if (!text.empty()) return text;
        buffer.clear();
        AppendNumber(buffer, real);
        return buffer;
    case Kind::Text:
        return text;
    case Kind::Null:
        break;
    }
    return {};
}

} // namespace kes
