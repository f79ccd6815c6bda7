#include "ColumnTypes.h"

#include "QueryColumn.h"

CColumnType ColumnTypeOf(int code) {
    switch (code) {
    case -7:
        return {"SQL_BIT", kValueOther};
    case -6:
        return {"SQL_TINYINT", kValueNumber};
    case -5:
        return {"SQL_BIGINT", kValueNumber};
    case -4:
        return {"SQL_LONGVARBINARY", kValueOther};
    case -3:
        return {"SQL_VARBINARY", kValueOther};
    case -2:
        return {"SQL_BINARY", kValueOther};
    case -1:
        return {"SQL_LONGVARCHAR", kValueOther};
    case 1:
        return {"SQL_CHAR", kValueText};
    case 2:
        return {"SQL_NUMERIC", kValueNumber};
    case 3:
        return {"SQL_DECIMA", kValueNumber};
    case 4:
        return {"SQL_INTEGER", kValueNumber};
    case 5:
        return {"SQL_SMALLINT", kValueNumber};
    case 6:
        return {"SQL_FLOAT", kValueNumber};
    case 7:
        return {"SQL_REAL", kValueNumber};
    case 8:
        return {"SQL_DOUBLE", kValueNumber};
    case 9:
        return {"SQL_DATE", kValueTime};
    case 10:
        return {"SQL_TIME", kValueOther};
    case 11:
        return {"SQL_TIMESTAMP", kValueTime};
    case 12:
        return {"SQL_VARCHAR", kValueText};
    default:
        return {"", kValueOther};
    }
}
