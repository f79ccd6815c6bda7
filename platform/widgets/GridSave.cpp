// Export of a grid to a text file or a spreadsheet ("输出" in the query windows).
#include "GridCellText.h"
#include "GridIterator.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CString SystemError(const char* what, const std::string& path) {
    CString text;
    text.Format("%s: %s (%s)", what, path.c_str(), std::strerror(errno));
    return text;
}

void SetError(CString* error, CString text) {
    if (error) *error = std::move(text);
}

// A file written beside its target under a hidden temporary name and renamed over the target
// only once complete; dropped when the writer gives up, so a failed export leaves no file.
class FileBesideTarget {
public:
    explicit FileBesideTarget(const std::string& target) : m_target(target) {
        const auto slash = target.find_last_of('/');
        const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        m_path = dir + "." + name + ".XXXXXX";
        m_fd = ::mkstemp(m_path.data());
        if (m_fd < 0) {
            m_path.clear();
            return;
        }
        // mkstemp makes the file private; the export gets the permissions of any new file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    FileBesideTarget(const FileBesideTarget&) = delete;
    FileBesideTarget& operator=(const FileBesideTarget&) = delete;
    ~FileBesideTarget() {
        CloseDescriptor();
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }

    bool IsOpen() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    int Descriptor() const { return m_fd; }
    bool CloseDescriptor() {
        if (m_fd < 0) return true;
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0;
    }

    bool Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            bytes.remove_prefix(std::size_t(n));
        }
        return true;
    }

    // Puts the finished file in place of the target.
    bool Commit(CString* error) {
        if (m_fd < 0) m_fd = ::open(m_path.c_str(), O_RDONLY);
        if (m_fd < 0 || ::fsync(m_fd) != 0 || !CloseDescriptor()) {
            SetError(error, SystemError("无法写完文件", m_target));
            return false;
        }
        if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
            SetError(error, SystemError("无法保存文件", m_target));
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    std::string m_target;
    std::string m_path;
    int m_fd = -1;
};

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
    FileBesideTarget file(path);
    if (!file.IsOpen()) {
        SetError(error, SystemError("无法创建文件", path));
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
            for (char ch : GetCellView(r, c))
                out += (ch == '\t' || ch == '\r' || ch == '\n') ? ' ' : ch;
        }
        out += "\r\n";
        if (out.size() >= (std::size_t(1) << 20)) {
            if (!file.Write(out)) {
                SetError(error, SystemError("无法写入文件", path));
                return false;
            }
            out.clear();
        }
    }
    if (!file.Write(out)) {
        SetError(error, SystemError("无法写入文件", path));
        return false;
    }
    return file.Commit(error);
}

// Writes an Office Open XML workbook. A ".xls" path gets this format too: the old binary format
// is not written any more, and Excel and LibreOffice recognise the content whatever the name.
bool CGridIterator::SaveSpreadsheet(const std::string& path, CString* error) const {
    if (m_rows > LXW_ROW_MAX || m_cols > LXW_COL_MAX) {
        SetError(error, "表格太大, 电子表格放不下");
        return false;
    }
    FileBesideTarget file(path);
    if (!file.IsOpen()) {
        SetError(error, SystemError("无法创建文件", path));
        return false;
    }
    file.CloseDescriptor(); // the library writes the file itself, by name

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows are written in order and not kept in memory
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new_opt(file.Path().c_str(), &options));
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
            width = std::max(width, TextWidth(GetCellView(r, c)) + 1);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(width, 60.0), nullptr);
    }
    if (m_fixedRows < m_rows && m_fixedCols < m_cols)
        worksheet_freeze_panes(sheet, lxw_row_t(m_fixedRows), lxw_col_t(m_fixedCols));

    std::string text;
    for (long r = 0; r < m_rows; ++r) {
        for (long c = 0; c < m_cols; ++c) {
            const std::string_view cell = GetCellView(r, c);
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
    return file.Commit(error);
}
