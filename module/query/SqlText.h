#pragma once
// Putting values into statement texts so that no value can change a statement's shape:
// literals with their quotes doubled, numbers only when they are numbers.
#include "CString.h"
#include "QueryColumn.h"

// 'text' with every quote doubled.
CString QuoteLiteral(const CString& text);
// The text with every quote doubled, for use inside an existing literal (LIKE '%...%').
CString EscapeInLiteral(const CString& text);
// A plain decimal number: optional sign, digits, optional fraction, optional exponent.
bool IsSqlNumber(const CString& text);
// A parenthesised list of keys as a statement may hold it after "IN": keys that are numbers
// stay as they are, a key already written as a quoted literal stays as it is, any other key
// becomes a quoted literal. "(1, 2)" stays "(1,2)"; "(a,b)" becomes "('a','b')".
CString MapKeyList(const CString& list);

// A value as an SQL literal by its column's value class: text quoted, a number as it stands
// ("0" when empty, NULL when it is no number, so it can never add to the statement), a time
// as {ts '...'} (the current time when empty), nothing for other columns.
CString FormatSqlValue(const CQueryColumn& column, const CString& value);
