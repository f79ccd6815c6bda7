#pragma once
// Colours and display states of the data-property codes, read once from the settings table
// SET_DATAPRO_COLOR when the table is built.
#include "Arrays.h"
#include "QueryItem.h"
#include "Types.h"

class CQueryClient;

struct CDataProColor {
    int m_nDataProId = 0;
    long m_lColor = 0; // COLORREF, red in the low byte
    int m_nDisSta = 0; // 1: values with this property are shown
    friend bool operator==(const CDataProColor&, const CDataProColor&) = default;
};

class CDataProColorTable : public CQueryItem {
public:
    // Reads the table through the shared client of the colour loaders.
    CDataProColorTable();
    // Reads the table through the given client (its rows are cleared afterwards).
    explicit CDataProColorTable(CQueryClient& client);

    // Of the first entry with the id; 0 when there is none.
    long GetColor(int dataProId) const;
    int GetDisplayState(int dataProId) const;

    CObjectArray<CDataProColor> m_entries;

private:
    void Load(CQueryClient& client);
    const CDataProColor* Find(int dataProId) const;
};
