#!/usr/bin/env bash
# vexorquery points as an integrator uses it: the grid of the point query on a small database.
source "$(dirname "$0")/../command_test_setup.sh"

db="sqlite:$dir/points.db"
: >"$dir/points.db"
sql() { "$tool" sql --db "$db" --execute "$1" >/dev/null || fail "statement failed: $1"; }
sql "CREATE TABLE KES.HOURDB (SENID INTEGER, TIME TIMESTAMP, INSTV DOUBLE PRECISION, INSTQ INTEGER,
     AVGV DOUBLE PRECISION, AVGQ INTEGER, MAXV DOUBLE PRECISION, MAXQ INTEGER, MINV DOUBLE PRECISION, MINQ INTEGER)"
sql "INSERT INTO KES.HOURDB VALUES (7, {ts '2026-01-31 23:00:00'}, 1.5, 0, 1.25, 0, 2, 0, 1, 0)"
sql "INSERT INTO KES.HOURDB VALUES (7, {ts '2026-02-01 00:00:00'}, NULL, 0, 2.5, 0, 3, 0, 2, 0)"

out=$("$tool" points --db "$db" --points 7,8 --type hour --from "2026-01-31 23" --to "2026-02-01 01" 2>"$dir/err") \
  || fail "points failed: $(cat "$dir/err")"
expected=$'    时间           7      8\n1   2026-01-31 23  1.500\n2   2026-02-01 00\n3   2026-02-01 01'
[ "$out" = "$expected" ] || fail "unexpected grid: $out"
grep -q '无数据的测点: 8' "$dir/err" || fail "the point without data is not named: $(cat "$dir/err")"

tsv=$("$tool" points --db "$db" --points 7 --type hour --kind avg --from 2026-01-31T --to 2026-02-01 2>/dev/null)
[ $? -ne 0 ] || fail "a bad time was accepted"
tsv=$("$tool" points --db "$db" --points 7 --type hour --kind avg --from "2026-01-31 23" --to "2026-02-01 01" --format tsv)
[ "$(sed -n 3p <<<"$tsv")" = $'2\t2026-02-01 00\t2.500' ] || fail "average not shown: $tsv"

"$tool" points --db "$db" --points 7 --type hour --from 2026-02-01 --to 2026-02-02 --format xlsx --out "$dir/p.xlsx" \
  2>/dev/null || fail "spreadsheet export failed"
[ -s "$dir/p.xlsx" ] || fail "no spreadsheet written"

# Bad input and a failed read exit 1; a failed read writes nothing.
for args in "--points 7 --type year --from 2026-01-01 --to 2026-01-02" \
            "--points 7,x --type hour --from 2026-01-01 --to 2026-01-02" \
            "--points 7 --type hour --from 2026-01-02 --to 2026-01-01" \
            "--points 7 --type day --from 2026-01-01 --to 2026-01-02 --format xlsx"; do
  # shellcheck disable=SC2086
  "$tool" points --db "$db" $args >/dev/null 2>&1 && fail "accepted: $args"
done
"$tool" points --db "$db" --points 7 --type month --from 2026-01-01 --to 2026-03-01 --out "$dir/m.txt" \
  2>"$dir/err" && fail "a read of a missing table was reported as success"
grep -q 'could not be read' "$dir/err" || fail "unclear message: $(cat "$dir/err")"
[ ! -e "$dir/m.txt" ] || fail "a failed read wrote its output"
help=$("$tool" points --help) || fail "--help exited non-zero"
grep -q "usage: vexorquery points" <<<"$help" || fail "--help: $help"
echo "points command: ok"
