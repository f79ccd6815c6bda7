#!/usr/bin/env bash
# vexorquery query as an integrator uses it, on a database built from the engine fixture.
source "$(dirname "$0")/../command_test_setup.sh"
fixture="$2"

db="sqlite:$dir/engine.db"
source "$(dirname "$0")/engine_fixture.sh"
load_engine_fixture "$tool" "$fixture" "$dir/engine.db"

out=$("$tool" query --db "$db" --table river_hour --stations 60101100,60101200 --from 2008-07-01 \
      --to "2008-07-31 23:00:00") || fail "query failed"
grep -q '站码' <<<"$out" || fail "no Chinese heading: $out"
grep -q '^5   坝下      2008年07月01日08时    12.6     2.35  平$' <<<"$out" || fail "row not aligned or mapped: $out"
[ "$(wc -l <<<"$out")" -eq 8 ] || fail "expected header, five rows and two statistics rows: $out"

tsv=$("$tool" query --db "$db" --table RIVER_HOUR --stations 60101100 --from 2008-07-01 --to 2008-07-02 --format tsv)
[ "$(sed -n 2p <<<"$tsv")" = $'1\tBA SHANG\t2008年07月01日08时\t0.0123\t1.00\t涨' ] || fail "tsv row: $tsv"

explain=$("$tool" query --db "$db" --table MONTH_FLOW --stations 1 --from 2008-01-01 --to 2008-12-31 --explain)
[ "$(wc -l <<<"$explain")" -eq 3 ] || fail "explain should show two updates and the request: $explain"
grep -q '^SELECT STCD,TM,Q,W,DAYS FROM KES.MONTH_FLOW WHERE' <<<"$explain" || fail "request text: $explain"
before=$("$tool" sql --db "$db" "SELECT DAYS FROM KES.MONTH_FLOW ORDER BY TM")
[ "$before" = $'0\n0' ] || fail "--explain wrote to the database: $before"

# A month table read as the window reads it: whole days, to 08:00 of the last one, so the month
# stored at 2008-04-01 08:00 is in.
months=$("$tool" query --db "$db" --table MONTH_FLOW --stations 1 --from 2008-02-01 --to 2008-04-01 --format tsv)
[ "$(cut -f3 <<<"$months" | tail -n +2)" = $'2008年02月\n2008年04月' ] || fail "month rows: $months"

"$tool" query --db "$db" --table RAIN_HOUR --stations 1 --from 2008-07-01 --to 2008-07-02 --format xlsx \
  --out "$dir/rain.xlsx" 2>/dev/null || fail "xlsx export failed"
[ -s "$dir/rain.xlsx" ] || fail "no spreadsheet written"

# A failed statement is a failure: the database's reason, exit 1, the previous export kept.
echo previous >"$dir/prev.tsv"
if "$tool" query --db "$db" --table RIVER_HOUR --stations 60101100 --filter 'Z>>' --format tsv \
     --out "$dir/prev.tsv" >"$dir/out" 2>"$dir/err"; then
  fail "a failed filter exited 0"
fi
grep -q 'syntax error' "$dir/err" || fail "no reason for the failed query: $(cat "$dir/err")"
[ "$(cat "$dir/prev.tsv")" = previous ] || fail "a failed query replaced the previous export"
[ ! -s "$dir/out" ] || fail "a failed query printed rows: $(cat "$dir/out")"
deep="$(printf '(%.0s' $(seq 5000))Z>0$(printf ')%.0s' $(seq 5000))"
"$tool" query --db "$db" --table RIVER_HOUR --stations 60101100 --filter "$deep" >/dev/null 2>"$dir/err" &&
  fail "a 5,000-deep filter exited 0"
grep -q 'the query failed' "$dir/err" || fail "no reason for the too deep filter: $(cat "$dir/err")"

check_error() {
  local expect="$1"; shift
  if "$tool" query --db "$db" "$@" >/dev/null 2>"$dir/err"; then fail "accepted: $*"; fi
  grep -q "$expect" "$dir/err" || fail "unclear message for $*: $(cat "$dir/err")"
}
check_error "unknown table" --table NO_SUCH
check_error "no such station" --table RIVER_HOUR --stations 99
check_error "not a valid time" --table RIVER_HOUR --from 2008-02-30
check_error "before --from" --table RIVER_HOUR --from 2008-07-02 --to 2008-07-01
check_error "unknown format" --table RIVER_HOUR --format pdf
check_error "needs --out" --table RIVER_HOUR --format xlsx
check_error "not a valid time" --table RIVER_HOUR --from 2025-10-01abc
check_error "not a valid time" --table RIVER_HOUR --to "2008-07-01 08:00:00 "
check_error "whole number of seconds" --table RIVER_HOUR --lack 4294967296
check_error "whole number of seconds" --table RIVER_HOUR --lack 2147483648
check_error "whole number of seconds" --table RIVER_HOUR --lack 60s
check_error "takes 1" --table RIVER_HOUR --form 2x
check_error "unknown option" --table RIVER_HOUR --bogus
check_error "cannot open the database" --db "sqlite:$dir/missing.db" --table RIVER_HOUR
# A password in the data source never reaches a message.
"$tool" query --db 'postgresql://vexor:S3cret@[nohost/kes' --table RIVER_HOUR >/dev/null 2>"$dir/err" &&
  fail "a malformed data source was accepted"
grep -q 'S3cret' "$dir/err" && fail "the password is in the message: $(cat "$dir/err")"
grep -q 'vexor:\*\*\*@' "$dir/err" || fail "no masked data source in the message: $(cat "$dir/err")"

# Hostile table names, filters and stations, with and without --explain, change nothing.
counts() { "$tool" sql --db "$db" "SELECT (SELECT COUNT(*) FROM KES.RIVER_HOUR), (SELECT COUNT(*) FROM KES.DAY_LEVEL)"; }
before=$(counts)
"$tool" query --db "$db" --table "X; DELETE FROM KES.RIVER_HOUR; " --explain >/dev/null 2>&1 &&
  fail "an unknown table was explained"
"$tool" query --db "$db" --table "X; DELETE FROM KES.RIVER_HOUR; " >/dev/null 2>&1 && fail "an unknown table exited 0"
"$tool" query --db "$db" --table RIVER_HOUR --stations 60101100 \
  --filter "1=1; DELETE FROM KES.RIVER_HOUR WHERE STCD=60101100 --" >/dev/null 2>&1
"$tool" query --db "$db" --table RIVER_HOUR --stations "60101100); DELETE FROM KES.DAY_LEVEL; --" >/dev/null 2>&1
"$tool" query --db "$db" --table RIVER_HOUR --stations 60101100 --filter "1=1; DELETE FROM KES.DAY_LEVEL" \
  --explain >/dev/null 2>&1
[ "$(counts)" = "$before" ] || fail "a hostile request wrote: $before -> $(counts)"

# Every subcommand answers --help with its usage on standard output.
for command in query demo-db demo-display display edit sql user; do
  help=$("$tool" "$command" --help 2>&1) || fail "$command --help exited non-zero"
  grep -q "usage: vexorquery $command" <<<"$help" || fail "$command --help: $help"
done
help=$("$tool" query --table RIVER_HOUR --help) || fail "query --help after options"
echo "query command: ok"
