#!/usr/bin/env bash
# vexorquery unit-entry on the demo database: what a page's "增加" writes, printed; refusals
# and failures exit 1 with the reason and leave nothing written.
source "$(dirname "$0")/../command_test_setup.sh"
export VEXOR_LOG_DIR="$dir"

build_demo_db
sql() { "$tool" sql --db "$db" "$1"; }
states() { sql "SELECT SENID,TIME,FACTV FROM KES.RTDB WHERE TIME>={ts '2026-12-01 00:00:00'} ORDER BY TIME,SENID"; }
entry() { "$tool" unit-entry --db "$db" "$@"; }

"$tool" unit-entry --help | grep -q -- '--page start|stop' || fail "unit-entry --help"

out=$(entry --form roz机组数据录入 --unit ROZ2号机 --page start --time "2026-12-01 08:00:00") || fail "start-up: $out"
grep -q "^ INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(20102,{ts '2026-12-01 08:00:01'},8 )$" <<<"$out" ||
  fail "connection statement: $out"
grep -q "^INSERT INTO KES.SCHLOG(.*'手工录入 20102 2026-12-01 08:00:00 空转 '" <<<"$out" || fail "audit: $out"
[ "$(states)" = $'20102\t2026-12-01 08:00:00\t2\n20102\t2026-12-01 08:00:01\t8' ] || fail "rows: $(states)"

entry --form vu左岸机组数据录入 --unit 20203 --page stop --time "2026-12-01 09:00" --only second \
  --stop-kind 16 >/dev/null || fail "stop for inspection"
[ "$(sql "SELECT FACTV FROM KES.RTDB WHERE SENID=20203 AND TIME>={ts '2026-12-01 00:00:00'}")" = 16 ] ||
  fail "stop kind: $(states)"
[ "$(sql "SELECT COUNT(*) FROM KES.SCHLOG WHERE LOGINFO='手工录入 20203 2026-12-01 09:00:01 临检 '")" = 1 ] ||
  fail "stop audit"

before=$(states)
refuse() {
  local expect="$1"
  shift
  entry "$@" >/dev/null 2>"$dir/err" <<<"viewer" && fail "accepted: $*"
  grep -q -- "$expect" "$dir/err" || fail "message for $*: $(cat "$dir/err")"
}
refuse "no unit entry form" --form ROZ机组数据录入 --unit 20101 --page start --time 2026-12-02
refuse "has no unit '20101'" --form vu左岸机组数据录入 --unit 20101 --page start --time 2026-12-02
refuse "开机与并网时间不能相同!" --form roz机组数据录入 --unit 20101 --page start --time 2026-12-02 \
  --second-time "2026-12-02 00:00:00" --only first
refuse "may not modify" --form roz机组数据录入 --unit 20101 --page start --time 2026-12-02 --user viewer
refuse "--stop-kind" --form roz机组数据录入 --unit 20101 --page start --time 2026-12-02 --stop-kind 16
refuse "--time" --form roz机组数据录入 --unit 20101 --page start --time 2026-13-02
# The audit log cannot be written: neither event of the click is kept.
"$tool" sql --execute --db "$db" "DROP TABLE KES.SCHLOG" >/dev/null || fail "drop"
refuse "开机时间 2026-12-03 08:00:00 的审计记录写入失败" --form roz机组数据录入 --unit 20101 --page start \
  --time "2026-12-03 08:00:00"
[ "$(states)" = "$before" ] || fail "a refused entry wrote: $(states)"
echo "unit-entry command: ok"
