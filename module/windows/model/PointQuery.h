#pragma once
// The point data query without its window: the time axis of the chosen data type, the period
// records of every point read through the data service's period call, and the grid the point
// query window shows (row number, period label, one column per point).
#include "Arrays.h"
#include "GridIterator.h"
#include "OleDateTime.h"
#include "Param.h"
#include "PointQuerySettings.h"
#include "Records.h"
#include "SortedTextList.h"

#include <memory>
#include <vector>

class CInterfaceSettings;
class CQueryClient;

// The columns of a value kind in the period tables: "INSTV" and "INSTQ", "AVGV" and "AVGQ" ...
CString PointValueColumn(int valueKind);
CString PointQualityColumn(int valueKind);
// The quality code a value typed by hand is stored with.
constexpr int kPointManualQuality = 3;

// The period table of a data type ("HOURDB" for hourly ...); empty for any other type.
CString PeriodTableOf(int dataType);
// How a period of the data type is labelled: "%Y-%m-%d %H", "%Y-%m-%d" or "%Y-%m"; nullptr for
// any other type.
const char* PeriodLabelPattern(int dataType);
// One label per period of the data type from the start to the end, both included, in order.
CSortedTextList BuildTimeAxis(int dataType, const COleDateTime& start, const COleDateTime& end);
// The period call's request for one point: its table, the point, the start and the end less
// one second, so that a period starting exactly at the end is not read.
CParam PointPeriodRequest(int dataType, int pointId, const COleDateTime& start, const COleDateTime& end);

// Periods × points; a cell holds the point's record of that period, or none. The records lie
// side by side in one block: a year of hours of fifty points is 438,000 of them.
class CPointDataMatrix {
public:
    void Reset(long periods, long points);
    long Periods() const { return m_periods; }
    long Points() const { return m_points; }
    const CSpanRecord* At(long period, long point) const;
    void Put(long period, long point, const CSpanRecord& record);
    void Clear(long period, long point);

private:
    std::size_t IndexOf(long period, long point) const {
        return std::size_t(period) * std::size_t(m_points) + std::size_t(point);
    }
    bool Contains(long period, long point) const {
        return period >= 0 && point >= 0 && period < m_periods && point < m_points;
    }

    long m_periods = 0;
    long m_points = 0;
    std::vector<CSpanRecord> m_cells;
    std::vector<bool> m_held; // whether the cell of the same index holds a record
};

// How the grid looks beyond the point settings' own styles.
struct CPointGridLook {
    LOGFONT windowFont;
    bool alternateRows = false;
    COLORREF firstRowColor = 0xFFFFFF;
    COLORREF secondRowColor = 0xFFFFFF;
};

// The look of the interface settings and the point window's font.
CPointGridLook PointGridLookOf(const CInterfaceSettings& face);
// The point window's font: height 14, weight 400, GB2312 character set, "宋体".
LOGFONT PointWindowFont();

// What the period call answered for one point.
struct CPointOutcome {
    int result = 0;  // records answered, below 0 when the call failed
    CString error;   // the service's reason of a failure
    long placed = 0; // records whose period is on the axis
};

class CPointQuery {
public:
    // The value shown for a value stored as NULL.
    static constexpr float kMissingValue = -999.0f;

    // Builds the axis from the settings' period and data type and reads every point.
    void Load(const CPointQuerySettings& settings);
    // Empties the grid and fills it with the loaded matrix.
    void Fill(CGridIterator& grid, const CPointQuerySettings& settings, const CPointGridLook& look);

    const CSortedTextList& Axis() const { return m_axis; }
    const CPointDataMatrix& Matrix() const { return m_matrix; }
    const std::vector<CPointOutcome>& Outcomes() const { return m_outcomes; }
    // The captions of the points that have no record on the axis, a failed call included.
    CStringArray PointsWithoutData(const CPointQuerySettings& settings) const;
    // "无数据的测点: A, B" or, when every point has data, an empty text.
    CString NoDataText(const CPointQuerySettings& settings) const;

    // The text of a cell of the matrix for the value kind: " " for no record and for a
    // missing value, else "%.3lf".
    static CString CellText(const CSpanRecord* record, int valueKind);
    // Fills grid row 1 + period from the matrix (Fill does it for every period).
    void FillRow(CGridIterator& grid, long period, const CPointQuerySettings& settings,
                 const CPointGridLook& look);

    // Writing typed values back. before and now are the texts of a grid row from column 1 on
    // (the period label, then one per point), trimmed. The statement that stores the text of
    // one point in a period: an update of the record read, or an insert for a period without
    // one; an empty text stores no value (NULL). Empty when the text is not a number.
    CString CellWriteStatement(long period, int point, const CString& text,
                               const CPointQuerySettings& s) const;
    // Writes every point whose text changed, each with its audit record, in one transaction:
    // 1 when written (or nothing changed), 0 when nothing was (LastWriteError says why). The
    // matrix then holds the values written.
    int WritePeriod(long period, const CStringArray& before, const CStringArray& now,
                    const CPointQuerySettings& s, CQueryClient& client);
    const CString& LastWriteError() const { return m_writeError; }
    const CString& LastAuditError() const { return m_auditError; }
    const std::vector<CString>& SentStatements() const { return m_sent; }

private:
    // Text colour and whether the value is shown, by quality code from the data-property
    // colour table; codes the table does not list are shown in the column's colour.
    struct QualityLook {
        bool known = false;
        bool shown = true;
        COLORREF colour = 0;
    };
    QualityLook QualityOf(int quality);
    void LoadQualityColours();

    CSortedTextList m_axis;
    CPointDataMatrix m_matrix;
    std::vector<CPointOutcome> m_outcomes;
    std::vector<QualityLook> m_qualities; // by code, loaded once
    bool m_qualitiesLoaded = false;
    CString m_writeError;
    CString m_auditError;
    std::vector<CString> m_sent;
};

// A point's heading in the grid: its name, or its number when it has none.
CString PointCaption(const CPointEntry& point);
// The widths the grid columns take from the saved list: each column its own, columns past the
// list the last one; nothing from an empty list.
std::vector<int> SavedPointColumnWidths(const CDWordArray& saved, long columnCount);
