#pragma once
// The selection groups of a query bar in load order, the station group among them and its
// master copy, which undoes the quick search. Loads the groups' items through the query
// client and narrows the station list when a filter list changes.
#include "DirectiveSet.h"
#include "SelectGroup.h"

#include <vector>

class CQueryClient;

class CSelectionGroups {
public:
    explicit CSelectionGroups(CQueryClient& client) : m_client(client) {}

    bool pinyinEnabled = true;

    // From the element's configured selection items. Filter lists are restricted by their
    // configured key lists, which also restrict the station list; with direct display the
    // station list is not loaded.
    void LoadFromItems(const CObjectArray<CSelectItem>& items, bool directDisplay);
    // From the Where(...) directives of the table's columns: the PK(ID) column gives the
    // station list, PK(TIME) the time block, any other one filter list per "+"-separated
    // scheme id. Labels and columns come from SET_PROJECTION_MODE.
    void LoadFromDirectives(const CColumnList& columns);

    // Runs the group's list statement and replaces its items with the rows (key, name).
    void LoadGroup(CSelectGroup& group);

    int GetCount() const { return int(m_groups.size()); }
    CSelectGroup& operator[](int i) { return m_groups.at(std::size_t(i)); }
    const CSelectGroup& operator[](int i) const { return m_groups.at(std::size_t(i)); }
    const std::vector<CSelectGroup>& Groups() const { return m_groups; }
    std::vector<CSelectGroup>& Groups() { return m_groups; }

    // The station group (the last of kind 2), or null.
    CSelectGroup* Station() { return m_station < 0 ? nullptr : &m_groups[std::size_t(m_station)]; }
    const CSelectGroup* Station() const {
        return m_station < 0 ? nullptr : &m_groups[std::size_t(m_station)];
    }
    const CSelectGroup& Master() const { return m_master; }
    void TakeMasterCopy();
    bool HasStation() const;
    bool HasTime() const;
    // Indices of the filter groups (kind 1) in load order; filter combo i shows group at [i].
    std::vector<int> FilterIndices() const;

    // The conditions of the filter groups for their combos' selections (entry 0 the label, so
    // selection 1 is item 0); a missing selection counts as the label.
    std::vector<CString> CascadeConditions(const std::vector<int>& comboSelections) const;
    // The statement that lists the station group for those conditions, rows (name, key).
    CString CascadeStatement(const std::vector<CString>& conditions) const;
    // Reloads the station group with the cascade statement and takes a new master copy.
    void ApplyCascade(const std::vector<CString>& conditions);

    // Restores the station group from the master copy and keeps the items whose initials
    // hold every word of the text.
    void QuickSearch(const CString& text);

private:
    void Clear();
    void FindStation();
    // Scheme row of SET_PROJECTION_MODE into the group; false when no row.
    bool ReadScheme(CSelectGroup& group);

    CQueryClient& m_client;
    std::vector<CSelectGroup> m_groups;
    int m_station = -1;
    CSelectGroup m_master;
};
