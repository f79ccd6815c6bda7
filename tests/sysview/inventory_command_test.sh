#!/usr/bin/env bash
# vexorquery inventory as an integrator uses it, on a small SQLite database.
source "$(dirname "$0")/../command_test_setup.sh"

db="sqlite:$dir/inv.db"
: >"$dir/inv.db"
"$tool" sql --db "$db" --execute "CREATE TABLE KES.LEVELS (STCD INTEGER, TM TIMESTAMP, Z DOUBLE PRECISION);
INSERT INTO KES.LEVELS VALUES (1, '2025-03-01 08:00:00', 12.5);
INSERT INTO KES.LEVELS VALUES (2, '2024-12-31 23:00:00', 13.0);
CREATE TABLE KES.CODES (ID INTEGER);
INSERT INTO KES.CODES VALUES (7);" >/dev/null || fail "could not build the database"

"$tool" inventory --help >"$dir/help" || fail "--help exited non-zero"
grep -q '^usage: vexorquery inventory' "$dir/help" || fail "--help: $(cat "$dir/help")"
"$tool" --help | grep -q 'inventory' || fail "inventory is not in the command list"

out=$("$tool" inventory --db "$db" LEVELS:TM:水位 CODES) || fail "counting two good tables exited non-zero"
expected=$'\t表名\t中文名\t数据量\t开始时间\t结束时间\t说明
1\tLEVELS\t水位\t2\t2024-12-31 23:00:00\t2025-03-01 08:00:00\t
2\tCODES\t\t1\t\t\t'
[ "$out" = "$expected" ] || fail "rows: $out"

# A table that does not exist: its reason in its row, the next table still counted, exit 1
# with a summary on standard error.
if "$tool" inventory --db "$db" NOPE:TM LEVELS:NOCOLUMN CODES >"$dir/out" 2>"$dir/err"; then
  fail "a missing table exited 0"
fi
[ "$(wc -l <"$dir/out")" -eq 4 ] || fail "expected a header and three rows: $(cat "$dir/out")"
grep -q $'^1\tNOPE\t\t\t\t\t.*NOPE' "$dir/out" || fail "no reason for the missing table: $(cat "$dir/out")"
grep -q $'^2\tLEVELS\t\t\t\t\t.*NOCOLUMN' "$dir/out" || fail "no reason for the missing column: $(cat "$dir/out")"
grep -q $'^3\tCODES\t\t1\t' "$dir/out" || fail "the table after the failures was not counted: $(cat "$dir/out")"
grep -q '2 of 3 tables' "$dir/err" || fail "no summary: $(cat "$dir/err")"

# Bad input: no table, an empty table name, an unknown option, a database that cannot be opened.
"$tool" inventory --db "$db" >/dev/null 2>&1 && fail "no table exited 0"
"$tool" inventory --db "$db" :TM 2>"$dir/err" >/dev/null && fail "an empty table name exited 0"
grep -q "no table name" "$dir/err" || fail "empty table name: $(cat "$dir/err")"
"$tool" inventory --db "$db" --bogus CODES >/dev/null 2>&1 && fail "an unknown option exited 0"
"$tool" inventory --db "sqlite:$dir/missing/none.db" CODES >"$dir/out" 2>"$dir/err" && fail "a missing database exited 0"
grep -q "cannot open the database" "$dir/err" || fail "missing database: $(cat "$dir/err")"
[ ! -s "$dir/out" ] || fail "rows printed without a database: $(cat "$dir/out")"
exit 0
