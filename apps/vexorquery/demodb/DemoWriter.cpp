#include "DemoWriter.h"

#include "Object.h"

#include <fmt/format.h>

#include <cmath>

namespace demo {

void CDemoWriter::Exec(const std::string& sql) {
    CObArray reply;
    std::string error;
    if (!m_connection.Run(sql, reply, error)) {
        std::string start = sql.substr(0, 160);
        throw DemoError(error + "\n  语句: " + start + (sql.size() > start.size() ? " …" : ""));
    }
}

void CDemoWriter::TryExec(const std::string& sql) {
    CObArray reply;
    std::string error;
    m_connection.Run(sql, reply, error);
}

CRowBatch::CRowBatch(CDemoWriter& writer, const std::string& table, const std::string& columns)
    : m_writer(writer), m_head("INSERT INTO KES." + table + " (" + columns + ") VALUES ") {}

void CRowBatch::Add(const std::string& values) {
    if (m_pending == 0) {
        m_text = m_head;
    } else {
        m_text += ',';
    }
    m_text += '(';
    m_text += values;
    m_text += ')';
    ++m_count;
    if (++m_pending >= kRowsPerStatement) Flush();
}

void CRowBatch::Flush() {
    if (m_pending == 0) return;
    m_writer.Exec(m_text);
    m_writer.CountRows(m_pending);
    m_pending = 0;
    m_text.clear();
}

std::string Quote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string Number(double value, int decimals) {
    if (value == -999) return "-999";
    std::string text = fmt::format("{:.{}f}", value, decimals);
    if (text.find_first_not_of("-0.") == std::string::npos) return "0"; // no "-0.00"
    return text;
}

std::string Ts(const std::string& timeText) {
    return "{ts '" + timeText + "'}";
}

} // namespace demo
