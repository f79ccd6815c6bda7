#pragma once
// A configured table as the settings tables describe it: which columns are shown, under which
// headings, in which order, with which value-to-name mappings and appearance, and the table's
// own directives (partitioning, write permission word, editing direction).
#include "DirectiveSet.h"
#include "QueryColumn.h"

class CQueryClient;

enum EColumnSource { kColumnsAsConfigured = 0, kColumnsFromDatabase = 1 };

// The element's own column records, used instead of the settings tables while the advanced
// flag is set.
struct CElementColumns {
    bool advanced = false;
    const CColumnList* columns = nullptr;
};

class CQueryTableSettings {
public:
    CQueryTableSettings() = default;
    CQueryTableSettings(const CQueryTableSettings&) = delete;
    CQueryTableSettings& operator=(const CQueryTableSettings&) = delete;

    // Reads the table row, builds the column list and reads the display mode.
    void Load(CQueryClient& client, const CString& tableName, CElementColumns elementColumns = {});
    // Rebuilds the column list (source 0 as configured, 1 from the database; any other value
    // keeps the list and redoes only the steps after it).
    void ReloadColumns(CQueryClient& client, int source);

    const CString& TableName() const { return m_tableName; }
    // Whether SET_DB_TABLE_NAME describes the table.
    bool HasTableRow() const { return m_hasTableRow; }
    const CString& SelectMode() const { return m_selectMode; }
    const CString& DisplayModeId() const { return m_displayModeId; }
    const CString& ShowText() const { return m_show; }
    const CString& ModiWord() const { return m_modi; }
    const CString& DirectWord() const { return m_direct; }
    // The physical table for the given key values (TableID), else the configured name.
    CString PhysicalTableName(const CStringArray* keyValues = nullptr) const;

    const CColumnList& Columns() const { return m_columns; }
    CColumnList& Columns() { return m_columns; }
    int VisibleCount() const { return m_visibleCount; }
    int ColumnIndex(const CString& name) const;
    // The CHANGETIME column found last among the visible columns (-1 none).
    int ChangeTimeColumn() const { return m_changeTimeColumn; }

    // Loads the projection entries of one column from its scheme.
    static void LoadProjection(CQueryClient& client, CQueryColumn& column);
    // Orders the columns by display position and returns the visible count.
    static int OrderByPoint(CColumnList& columns);

private:
    void ReadColumnRows(CQueryClient& client);
    void PrepareColumns(CQueryClient& client);
    void ReadDisplayMode(CQueryClient& client);

    CString m_tableName;
    bool m_hasTableRow = false;
    CString m_selectMode, m_displayModeId, m_show;
    CString m_modi = "WRITE", m_direct = "H";
    CElementColumns m_elementColumns;
    CColumnList m_columns;
    int m_visibleCount = 0;
    int m_changeTimeColumn = -1;
};
