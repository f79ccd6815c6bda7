#!/usr/bin/env bash
# vexorquery configure: fields changed as the property sheet keeps them; unknown fields, bad
# values and values the sheet would not keep refused with exit 1 and the file left as it was.
source "$(dirname "$0")/../command_test_setup.sh"

"$tool" demo-display "$dir/d.vxd" >/dev/null || fail "demo-display failed"
"$tool" configure "$dir/d.vxd" --element 2 --set query.tableName=RAIN_DAY --set query.stations=7 \
  --set interface.panelWidth=260 --set window.timeInterval=6 >"$dir/out" 2>"$dir/err" ||
  fail "good configure failed: $(cat "$dir/err")"
grep -q 'element 2: query.tableName=RAIN_DAY' "$dir/out" || fail "no report of the change: $(cat "$dir/out")"
shown=$("$tool" display "$dir/d.vxd" | awk '/^element 2:/{on=1} /^element 3:/{on=0} on')
for line in 'query.tableName: "RAIN_DAY"' 'query.stations\[0\]: "7"' 'query.stations.count: 1' \
  'interface.panelWidth: 260' 'query.timeInterval: 6' 'window.timeInterval: 6'; do
  grep -q "  $line" <<<"$shown" || fail "element 2 lacks $line"
done
"$tool" display "$dir/d.vxd" | awk '/^element 1:/{on=1} /^element 2:/{on=0} on' | grep -q 'query.tableName: "RIVER_HOUR"' ||
  fail "another element changed"
# "全部显示" on an element with default stations: the sheet empties the station list.
"$tool" configure "$dir/d.vxd" --element 3 --set query.displayMode=1 >"$dir/out" 2>"$dir/err" ||
  fail "all stations refused: $(cat "$dir/err")"
"$tool" display "$dir/d.vxd" | awk '/^element 3:/{on=1} /^element 4:/{on=0} on' | grep -q '  query.displayMode: 1' ||
  fail "element 3 lacks query.displayMode: 1"

cp "$dir/d.vxd" "$dir/before.vxd"
refuse() {
  local expect="$1"
  shift
  "$tool" configure "$dir/d.vxd" "$@" >"$dir/out" 2>"$dir/err"
  local rc=$?
  [ "$rc" -eq 1 ] || fail "exit status $rc for: $*"
  grep -q -- "$expect" "$dir/err" || fail "unclear message for $*: $(cat "$dir/err")"
  cmp -s "$dir/d.vxd" "$dir/before.vxd" || fail "file changed by refused: $*"
}
refuse "no field 'query.tableNam'" --element 1 --set query.tableNam=X
refuse "'12abc' is not a whole number" --element 1 --set interface.panelWidth=12abc
refuse "is not a whole number from 0 to 2" --element 1 --set interface.mode=3
refuse "请输入一个介于 0 和 99999999 之间的整数" --element 1 --set query.timeInterval=100000000
refuse "请输入一个介于 1 和 999 之间的整数" --element 1 --set interface.fixedColumnCount=0
refuse "the property sheet keeps" --element 1 --set query.accessMode=ANY
refuse "the property sheet keeps" --element 1 --set interface.panelWidth=-5
refuse "cannot be set this way" --element 1 --set window.fonts[0]=x
refuse "keeps query.stations.count as 0, not 1" --element 1 --set query.displayMode=1 --set query.stations=7
refuse "element 99 is no data-query element" --element 99 --set query.tableName=X
# A refusal anywhere leaves even the good changes before it unwritten.
refuse "no field" --element 1 --set query.tableName=RAIN_DAY --set nothing=1
refuse "FIELD=VALUE" --element 1 --set query.tableName
if "$tool" configure "$dir/absent.vxd" --element 1 --set query.tableName=X 2>"$dir/err"; then fail "missing file"; fi
echo "configure: all cases passed"
