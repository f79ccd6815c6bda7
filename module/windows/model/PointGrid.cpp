// The grid of the point query: headings, row numbers and period labels, the values of the
// chosen kind coloured by their quality, the columns' styles and the alternating row colours.
#include "PointQuery.h"

#include "DataProColorTable.h"
#include "InterfaceSettings.h"
#include "QueryClient.h"

#include <charconv>

namespace {

constexpr long kFirstPointColumn = 2;

// The style of a point's column; the first style when points outnumber styles.
const CStyleEntry* StyleOf(const CPointQuerySettings& s, int point) {
    if (s.m_styles.IsEmpty()) return nullptr;
    return &s.m_styles[std::min(point, s.m_styles.GetSize() - 1)];
}

} // namespace

LOGFONT PointWindowFont() {
    LOGFONT f = CQueryItem::DefaultFont();
    f.lfHeight = 14;
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = GB2312_CHARSET;
    f.lfFaceName = "宋体";
    return f;
}

CPointGridLook PointGridLookOf(const CInterfaceSettings& face) {
    CPointGridLook look;
    look.windowFont = PointWindowFont();
    look.alternateRows = face.m_alternateRows == 1;
    look.firstRowColor = face.m_firstRowColor;
    look.secondRowColor = face.m_secondRowColor;
    return look;
}

CString CPointQuery::CellText(const CSpanRecord* record, int valueKind) {
    if (!record || valueKind < 0 || valueKind > 3) return " ";
    const float value = record->m_fValue[valueKind];
    if (value == kMissingValue) return " ";
    // As "%.3lf" writes it, without the cost of a printf per cell.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::fixed, 3);
    if (ec != std::errc()) return " ";
    return CString(std::string_view(buffer, std::size_t(end - buffer)));
}

void CPointQuery::LoadQualityColours() {
    m_qualitiesLoaded = true;
    CQueryClient client;
    CDataProColorTable table(client);
    for (const auto& entry : table.m_entries) {
        if (entry->m_nDataProId < 0 || entry->m_nDataProId > 1000) continue;
        const std::size_t code = std::size_t(entry->m_nDataProId);
        if (m_qualities.size() <= code) m_qualities.resize(code + 1);
        if (m_qualities[code].known) continue; // the first entry of a code counts
        m_qualities[code] = {true, entry->m_nDisSta == 1, COLORREF(entry->m_lColor)};
    }
}

CPointQuery::QualityLook CPointQuery::QualityOf(int quality) {
    if (!m_qualitiesLoaded) LoadQualityColours();
    if (quality < 0 || std::size_t(quality) >= m_qualities.size()) return {};
    return m_qualities[std::size_t(quality)];
}

void CPointQuery::Fill(CGridIterator& grid, const CPointQuerySettings& s, const CPointGridLook& look) {
    const long periods = m_matrix.Periods();
    const long points = m_matrix.Points();
    grid.SetDisplayModeInit();
    grid.SetColumnCount(kFirstPointColumn + points);
    grid.SetRowCount(1 + periods);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(kFirstPointColumn);

    // Headings: the window's font and black on white, or the first point's look.
    CGridCellPro heading;
    heading.m_font = look.windowFont;
    if (const CStyleEntry* first = StyleOf(s, 0); first && points > 0) {
        heading.m_font = first->m_font;
        heading.m_crText = COLORREF(first->m_first);
        heading.m_crBack = COLORREF(first->m_second);
    }
    heading.m_nAlign = GRID_ALIGN_CENTER;
    heading.m_strText = "  ";
    grid.SetColumnHeader(0, heading);
    heading.m_strText = "时间";
    grid.SetColumnHeader(1, heading);
    for (int p = 0; p < points; ++p) {
        heading.m_strText = PointCaption(s.m_points[p]);
        heading.m_nAlign = GRID_ALIGN_RIGHT;
        grid.SetColumnHeader(kFirstPointColumn + p, heading);
    }

    // The first period's row in the first colour.
    if (look.alternateRows) grid.SetRowStripes(1, periods, 0, look.secondRowColor, look.firstRowColor);
    grid.ReserveText(std::size_t(periods) * std::size_t(points + 2) * 10);
    for (long r = 0; r < periods; ++r)
        FillRow(grid, r, s, look);
}

void CPointQuery::FillRow(CGridIterator& grid, long r, const CPointQuerySettings& s,
                          const CPointGridLook& look) {
    const long row = r + 1;
    const int kind = std::clamp(s.m_valueKind, 0, 3);
    char number[24];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, r + 1);
    grid.SetItemText(row, 0, std::string_view(number, std::size_t(end - number)));
    grid.SetItemText(row, 1, m_axis.GetAt(int(r)).str());
    for (long p = 0; p < m_matrix.Points(); ++p) {
        const long col = kFirstPointColumn + p;
        const CStyleEntry* style = StyleOf(s, int(p));
        COLORREF text = style ? COLORREF(style->m_first) : 0;
        const CSpanRecord* record = m_matrix.At(r, p);
        bool shown = record != nullptr;
        if (record) {
            const QualityLook quality = QualityOf(record->m_nQuality[kind]);
            shown = quality.shown;
            if (quality.known) text = quality.colour;
        }
        grid.SetItemText(row, col, shown ? CellText(record, kind).str() : std::string_view(" "));
        if (text != 0 || grid.GetCellLook(row, col).crText != 0) grid.SetItemFgColour(row, col, text);
        if (style) {
            if (!look.alternateRows) grid.SetItemBkColour(row, col, COLORREF(style->m_second));
            grid.SetItemFont(row, col, style->m_font);
        }
    }
}

std::vector<int> SavedPointColumnWidths(const CDWordArray& saved, long columnCount) {
    std::vector<int> widths;
    if (saved.IsEmpty()) return widths;
    for (long col = 0; col < columnCount; ++col)
        widths.push_back(int(saved[int(std::min<long>(col, saved.GetSize() - 1))]));
    return widths;
}
