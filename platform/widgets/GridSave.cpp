// Export of a grid to a text file or a spreadsheet ("输出" in the query windows).
#include "AtomicFile.h"
#include "GridCellText.h"
#include "GridIterator.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <memory>

namespace {

void SetError(CString* error, CString text) {
    if (error) *error = std::move(text);
}

// The writer's reason (which file, what failed) under the export's own heading.
void SetFileError(CString* error, const mfc::CAtomicFile& file) {
    SetError(error, CString("无法保存文件: " + file.Error()));
}

bool IsSpreadsheetPath(const std::string& path) {
    auto endsWith = [&](std::string_view ext) {
        if (path.size() < ext.size()) return false;
        for (std::size_t i = 0; i < ext.size(); ++i) {
            char c = path[path.size() - ext.size() + i];
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
            if (c != ext[i]) return false;
        }
        return true;
    };
    return endsWith(".xls") || endsWith(".xlsx");
}

// Display width of a text in spreadsheet character units: a hanzi takes two.
double TextWidth(std::string_view text) {
    double width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            width += 1;
        else if (c >= 0xC0)
            width += 2; // lead byte of a multi-byte character
    }
    return width;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* wb) const { workbook_close(wb); }
};

} // namespace

bool CGridIterator::SaveData(const CString& path, CString* error) const {
    if (path.IsEmpty()) {
        SetError(error, "没有给出文件名");
        return false;
    }
    return IsSpreadsheetPath(path.str()) ? SaveSpreadsheet(path.str(), error) : SaveText(path.str(), error);
}

bool CGridIterator::SaveText(const std::string& path, CString* error) const {
    mfc::CAtomicFile file(path);
    if (!file.Open()) {
        SetFileError(error, file);
        return false;
    }
    // The byte-order mark lets spreadsheet programs and editors on operator workstations
    // recognise UTF-8 instead of guessing the local code page.
    std::string out = "\xEF\xBB\xBF";
    out.reserve(std::size_t(1) << 20);
    for (long r = 0; r < m_rows; ++r) {
        for (long c = 0; c < m_cols; ++c) {
            if (c > 0) out += '\t';
            // A tab or line break inside a cell would shift the columns and rows of everything
            // after it; it is written as a blank.
            for (char ch : GetDisplayText(r, c))
                out += (ch == '\t' || ch == '\r' || ch == '\n') ? ' ' : ch;
        }
        out += "\r\n";
        if (out.size() >= (std::size_t(1) << 20)) {
            if (!file.Write(out)) {
                SetFileError(error, file);
                return false;
            }
            out.clear();
        }
    }
    if (!file.Write(out) || !file.Commit()) {
        SetFileError(error, file);
        return false;
    }
    return true;
}

// Writes an Office Open XML workbook. A ".xls" path gets this format too: the old binary format
// is not written any more, and Excel and LibreOffice recognise the content whatever the name.
bool CGridIterator::SaveSpreadsheet(const std::string& path, CString* error) const {
    if (m_rows > LXW_ROW_MAX || m_cols > LXW_COL_MAX) {
        SetError(error, "表格太大, 电子表格放不下");
        return false;
    }
    mfc::CAtomicFile file(path);
    if (!file.Open()) {
        SetFileError(error, file);
        return false;
    }

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows are written in order and not kept in memory
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(
        workbook_new_opt(file.TemporaryPath().c_str(), &options));
    if (!book) {
        SetError(error, "无法创建电子表格");
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "数据查询");
    lxw_format* header = workbook_add_format(book.get());
    format_set_bold(header);
    // One number format per count of decimals, so that "12.50" still shows "12.50".
    lxw_format* numberFormats[16] = {};
    auto numberFormat = [&](int decimals) {
        lxw_format*& format = numberFormats[decimals];
        if (!format) {
            format = workbook_add_format(book.get());
            std::string pattern = decimals == 0 ? "0" : "0." + std::string(std::size_t(decimals), '0');
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    };

    // Column widths from the texts of the first rows, enough to read the usual cells.
    const long sampleRows = std::min<long>(m_rows, 2000);
    for (long c = 0; c < m_cols; ++c) {
        double width = 4;
        for (long r = 0; r < sampleRows; ++r)
            width = std::max(width, TextWidth(GetDisplayText(r, c)) + 1);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(width, 60.0), nullptr);
    }
    if (m_fixedRows < m_rows && m_fixedCols < m_cols)
        worksheet_freeze_panes(sheet, lxw_row_t(m_fixedRows), lxw_col_t(m_fixedCols));

    std::string text;
    for (long r = 0; r < m_rows; ++r) {
        for (long c = 0; c < m_cols; ++c) {
            const std::string_view cell = GetDisplayText(r, c);
            if (cell.empty()) continue;
            lxw_error rc;
            int decimals = 0;
            double value = 0;
            if (r > 0 && gridtext::IsPlainNumber(cell, decimals) &&
                std::from_chars(cell.data(), cell.data() + cell.size(), value).ec == std::errc()) {
                rc = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value, numberFormat(decimals));
            } else {
                text.assign(cell);
                rc = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text.c_str(),
                                            r == 0 ? header : nullptr);
            }
            if (rc != LXW_NO_ERROR) {
                CString reason;
                reason.Format("第%ld行第%ld列写不进电子表格: %s", r, c, lxw_strerror(rc));
                SetError(error, reason);
                return false;
            }
        }
    }
    const lxw_error rc = workbook_close(book.release());
    if (rc != LXW_NO_ERROR) {
        CString reason;
        reason.Format("无法写入电子表格 %s: %s", path.c_str(), lxw_strerror(rc));
        SetError(error, reason);
        return false;
    }
    if (!file.Commit()) {
        SetFileError(error, file);
        return false;
    }
    return true;
}
