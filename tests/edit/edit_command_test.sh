#!/usr/bin/env bash
# vexorquery edit on the demo database, as an integrator changes data without a window: the
# stored row changes in the edited column (and the manual-data mark) only, one audit record
# follows, and every refusal exits 1 with nothing written.
source "$(dirname "$0")/../command_test_setup.sh"
export VEXOR_LOG_DIR="$dir"

build_demo_db
sql() { "$tool" sql --db "$db" "$1"; }
audits() { sql "SELECT COUNT(*) FROM KES.SCHLOG"; }

"$tool" edit --help | grep -q -- '--row N' || fail "edit --help"

# A day table shown by date, stored at 08:00.
rain="SELECT STCD,TM,P,PRO FROM KES.RAIN_DAY WHERE STCD=60102200 AND TM={ts '2024-01-02 08:00:00'}"
before=$(audits)
out=$("$tool" edit --db "$db" --table RAIN_DAY --stations 60102200 --from 2024-01-01 --to "2024-01-03 23:00:00" \
      --row 2 --set "雨量(mm)=7.5") || fail "RAIN_DAY edit: $out"
grep -q "^UPDATE KES.RAIN_DAY SET P=7.5,PRO=3 .* TM={ts '2024-01-02 08:00:00'}" <<<"$out" || fail "statement: $out"
grep -q '^INSERT INTO KES.SCHLOG' <<<"$out" || fail "no audit statement printed: $out"
[ "$(sql "$rain")" = $'60102200\t2024-01-02 08:00:00\t7.5\t3' ] || fail "stored row: $(sql "$rain")"
[ "$(audits)" -eq $((before + 1)) ] || fail "one audit record expected"

# An hourly table with a rounded column, edited by a user who logs in.
river="SELECT Z,Q,WPTN,NOTE FROM KES.RIVER_HOUR WHERE STCD=61802700 AND TM={ts '2026-11-05 03:00:00'}"
old=$(sql "$river")
"$tool" edit --db "$db" --table RIVER_HOUR --stations 61802700 --from "2026-11-05 02:00:00" \
  --to "2026-11-05 04:00:00" --row 2 --set "水位(m)=150.25" --user admin <<<"admin" >/dev/null || fail "RIVER_HOUR edit"
[ "$(sql "$river")" = "150.25"$'\t'"${old#*$'\t'}" ] && [ "${old%%$'\t'*}" != "150.25" ] || fail "row: $old -> $(sql "$river")"

# A user who may not modify, and a wrong password: refused, nothing written.
before=$(audits)
"$tool" edit --db "$db" --table RIVER_HOUR --stations 61802700 --from "2026-11-05 02:00:00" \
  --to "2026-11-05 04:00:00" --row 2 --set "水位(m)=1" --user viewer <<<"viewer" 2>"$dir/err" && fail "viewer wrote"
grep -q "may not modify" "$dir/err" || fail "viewer message: $(cat "$dir/err")"
"$tool" edit --db "$db" --table RIVER_HOUR --stations 61802700 --from "2026-11-05 02:00:00" \
  --to "2026-11-05 04:00:00" --row 2 --set "水位(m)=1" --user admin <<<"wrong" 2>/dev/null && fail "wrong password wrote"
[ "$(sql "$river" | cut -f1)" = "150.25" ] && [ "$(audits)" -eq "$before" ] || fail "a refused edit wrote"

# A reservoir table whose manual-data column is hidden; W shows two decimals of more.
rsvr="SELECT RZ,W,INQ,PRO FROM KES.RSVR_DAY WHERE STCD=60105000 AND TM={ts '2024-01-01 08:00:00'}"
"$tool" sql --db "$db" --execute "UPDATE KES.RSVR_DAY SET W=393.004321 WHERE STCD=60105000 AND TM={ts '2024-01-01 08:00:00'}" >/dev/null
"$tool" edit --db "$db" --table RSVR_DAY --stations 60105000 --from 2024-01-01 --to "2024-01-02 23:00:00" \
  --row 1 --set "库水位(m)=174.8" >/dev/null || fail "RSVR_DAY edit"
[ "$(sql "$rsvr")" = $'174.8\t393.004321\t4485\t3' ] || fail "reservoir row: $(sql "$rsvr")"

# Rows that are no data rows, and unknown headings.
"$tool" edit --db "$db" --table RAIN_DAY --stations 60102200 --from 2024-01-01 --to 2024-01-02 --row 9 \
  --set "雨量(mm)=1" 2>/dev/null && fail "a statistics row was edited"
"$tool" edit --db "$db" --table RAIN_DAY --stations 60102200 --from 2024-01-01 --to 2024-01-02 --row 1 \
  --set "NOPE=1" 2>/dev/null && fail "an unknown heading was accepted"

# Delete, then the same row again: the second finds nothing and writes no audit record.
before=$(audits)
"$tool" edit --db "$db" --table RAIN_DAY --stations 60102200 --from 2024-01-01 --to "2024-01-03 23:00:00" \
  --row 2 --delete >/dev/null || fail "delete"
[ -z "$(sql "$rain")" ] && [ "$(audits)" -eq $((before + 1)) ] || fail "delete did not delete once"
echo "edit command: ok"
