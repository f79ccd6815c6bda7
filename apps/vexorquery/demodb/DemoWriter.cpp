#include "DemoWriter.h"

#include "Object.h"

#include <fmt/format.h>

#include <cassert>
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

bool CDemoWriter::Run(const std::string& sql) {
    CObArray reply;
    std::string error;
    return m_connection.Run(sql, reply, error);
}

void CDemoWriter::TryExec(const std::string& sql) {
    if (m_depth == 0 || Backend() != kes::Backend::Postgres) {
        Run(sql);
        return;
    }
    Exec("SAVEPOINT DEMO_TRY");
    if (!Run(sql)) Exec("ROLLBACK TO SAVEPOINT DEMO_TRY");
    Exec("RELEASE SAVEPOINT DEMO_TRY");
}

void CDemoWriter::Begin() {
    if (m_depth == 0) Exec("BEGIN");
    ++m_depth;
}

void CDemoWriter::Commit() {
    assert(m_depth > 0);
    if (m_depth == 1) Exec("COMMIT");
    --m_depth;
}

void CDemoWriter::Rollback() {
    if (m_depth > 0) Run("ROLLBACK");
    m_depth = 0;
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
