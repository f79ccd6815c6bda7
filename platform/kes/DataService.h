#pragma once
// The data service: the calls through which the module reaches its database. Every call
// answers a negative number for failure; arrays belong to the caller, which deletes what is
// left in them.
#include "CString.h"
#include "CellView.h"
#include "KesInfo.h"
#include "Object.h"
#include "Param.h"
#include "Records.h"
#include "SqlStr.h"

#include <functional>
#include <string_view>

// Runs the one statement held by the array's only CSqlStr; with param->IsReadOnly() the
// database refuses it if it would change anything. At 0 or more (the number of rows) the
// array holds one CSqlStr per result row, each value followed by ","; NULL is an empty
// value; in a text value "\\", ",", "(" and ")" stand after a "\\". A statement that returns no
// columns answers instead one status text without a final "," ("UPDATE 1", "DELETE 0",
// "INSERT 0 1"). With param->RowLimit() above 0 only that many first rows are answered.
// Below 0 the array's first object carries the error text.
int InSqlStr(CParam* param, CObArray* array);

// As InSqlStr for the statement given as text, handing each result row to rows as it is read
// (the text valid during the call only) instead of keeping it. Answers the number of rows; a
// statement that returns no columns leaves its status text in the array. Below 0 the array's
// first object carries the error text, and the rows handed over before are to be dropped.
int InSqlStrEach(CParam* param, const CString& statement, const std::function<void(std::string_view)>& rows,
                 CObArray* array);

// As InSqlStrEach for a read that takes its cells as values (CellView.h): each result row is
// handed over as its cells, no value written as text. A statement that returns no columns
// hands over nothing and leaves no status text.
int InSqlCellsEach(CParam* param, const CString& statement, const kes::CellSink& rows, CObArray* array);

// The records (CRTRecord) of the station given by AddID between the 'B' and 'E' times, in
// time order, from the event table named by the extra text: "RTEV" or "REAL". Answers the
// number of records; below 0 the array's first object carries the error text.
int OutRT(CParam* param, CObArray* array);

// The period records (CSpanRecord) of the point given by AddID between the 'B' and 'E'
// times, in time order, from the period table named by the extra text: "HOURDB", "DAYDB",
// "DAY10DB" or "MONTHDB". A value stored as NULL reads as -999, the missing-value marker.
int OutSpanDB(CParam* param, CObArray* array);
// As OutSpanDB, handing each record to records as it is read (valid during the call only)
// instead of keeping an object per period: a year of hours of fifty points is 438,000 records.
// Answers the number of records; below 0 the array's first object carries the error text.
int OutSpanDBEach(CParam* param, const std::function<void(const CSpanRecord&)>& records, CObArray* array);

// Releases the records that OutRT or OutSpanDB put into the array.
int DestroyOb(CObArray* array);

// Asks the service to watch the data for a client. Nothing is watched by this service.
int CreatDataMonitor(int kind);

// Kind 3: asks for a user name and password through the installed credential responder
// (Login.h), text being the question shown (a default one when empty); 1 when the user may
// modify data, 0 when the user is known but may not, kLoginRefused for an unknown user or a
// wrong password, kLoginCancelled when the question was cancelled or there is no responder,
// kLoginFailed when the users could not be read.
// Kind 1: the logged-in user's name into *user (0), below 0 when nobody has logged in.
inline constexpr int kLoginRefused = -1;
inline constexpr int kLoginCancelled = -2;
inline constexpr int kLoginFailed = -3;
int KesLogin(void* owner, CString* user, const CString& text, int kind);

// Hands a notice to the local notice channel (Notice.h); nothing goes on the network.
// Texts of 1000 bytes or more in the system code page are not sent (answer -1).
int BrdNetMsg(const char* target, const CString& message);
