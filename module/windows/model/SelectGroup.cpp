#include "SelectGroup.h"

#include "PinyinInitials.h"
#include "SqlText.h"

CSelectGroup::CSelectGroup(const CSelectItem& item)
    : schemeId(item.schemeId), label(item.label), table(item.table), nameColumn(item.nameColumn),
      keyColumn(item.keyColumn), kind(item.kind), condition(item.condition) {
    showFlag.Format("%d", item.showFlag);
}

void CSelectGroup::ClearItems() {
    initials.RemoveAll();
    displayTexts.RemoveAll();
    names.RemoveAll();
    keys.RemoveAll();
}

void CSelectGroup::AddItem(const CString& name, const CString& key, bool withInitials) {
    CString text;
    text.Format("%s(%s)", name.GetString(), key.GetString());
    displayTexts.Add(text);
    names.Add(name);
    keys.Add(key);
    if (withInitials) initials.Add(PinyinInitialsOf(text));
}

void CSelectGroup::RemoveItem(int index) {
    displayTexts.RemoveAt(index);
    names.RemoveAt(index);
    keys.RemoveAt(index);
    if (index < initials.GetSize()) initials.RemoveAt(index);
}

void CSelectGroup::CopyItemsFrom(const CSelectGroup& other) {
    initials.Copy(other.initials);
    displayTexts.Copy(other.displayTexts);
    names.Copy(other.names);
    keys.Copy(other.keys);
}

CString KeyLiteral(const CString& key) {
    CString k = key;
    k.Trim();
    return IsSqlNumber(k) ? k : QuoteLiteral(k);
}

CString GroupListStatement(const CSelectGroup& group) {
    CString table = group.table, name = group.nameColumn, key = group.keyColumn, cond = group.condition;
    table.Trim();
    name.Trim();
    key.Trim();
    cond.Trim();
    if (table.IsEmpty() || name.IsEmpty() || key.IsEmpty()) return {};
    // The same column twice needs an alias for the second.
    if (name == key) name = name + "  " + name + "Alias";
    CString scheme = group.schemeId;
    scheme.Trim();
    const int n = TextToInt(scheme.str());
    CString sql;
    if (n < 10000) {
        if (cond.IsEmpty())
            sql.Format("SELECT DISTINCT %s,%s  FROM KES.%s ORDER BY %s ASC", key.GetString(),
                       name.GetString(), table.GetString(), key.GetString());
        else
            sql.Format("SELECT DISTINCT %s,%s  FROM KES.%s WHERE %s ORDER BY %s ASC", key.GetString(),
                       name.GetString(), table.GetString(), cond.GetString(), key.GetString());
    } else if (n < 30000) {
        // The scheme's number, not its text, goes into the statement.
        CString id;
        id.Format("%d", n);
        if (cond.IsEmpty())
            sql.Format("SELECT DISTINCT %s,%s  FROM KES.%s WHERE %s=%s ORDER BY %s ASC", key.GetString(),
                       name.GetString(), table.GetString(), "PROID", id.GetString(), key.GetString());
        else
            sql.Format("SELECT DISTINCT %s,%s  FROM KES.%s WHERE %s=%s AND %s ORDER BY %s ASC",
                       key.GetString(), name.GetString(), table.GetString(), "PROID", id.GetString(),
                       cond.GetString(), key.GetString());
    }
    return sql;
}

CString FilterCondition(const CString& keyColumn, const CString& configuredList) {
    CString column = keyColumn, list = configuredList;
    column.Trim();
    list.Trim();
    if (list.Left(1) == "(" && list.Right(1) == ")") list = list.Mid(1, list.GetLength() - 2).Trim();
    // An empty list would give "IN()", which no database accepts: no restriction instead.
    if (column.IsEmpty() || list.IsEmpty()) return {};
    CString out;
    out.Format("%s IN%s", column.GetString(), MapKeyList("(" + list + ")").GetString());
    return out;
}
