#!/usr/bin/env bash
# vexorquery display on a whole, a damaged and a missing display file.
source "$(dirname "$0")/../command_test_setup.sh"

"$tool" demo-display "$dir/demo.vxd" >/dev/null || fail "demo-display failed"
out=$("$tool" display "$dir/demo.vxd") || fail "display of a whole file failed"
grep -q '^element 2: CVexorQueryElemOBJ (schema 1)$' <<<"$out" || fail "second element missing"
grep -q '  typeName: "数据查询"' <<<"$out" || fail "Chinese type name not shown as text"
grep -q '  query.tableName: "RAIN_HOUR"' <<<"$out" || fail "table name missing"
grep -q '  options.missingDataStats: 1' <<<"$out" || fail "no missing-data element"

size=$(stat -c %s "$dir/demo.vxd")
head -c $((size - 7)) "$dir/demo.vxd" >"$dir/cut.vxd"
if "$tool" display "$dir/cut.vxd" >"$dir/out" 2>"$dir/err"; then fail "a truncated file was accepted"; fi
grep -q 'byte offset' "$dir/err" || fail "no byte offset in: $(cat "$dir/err")"
[ ! -s "$dir/out" ] || fail "a damaged file printed elements"

if "$tool" display "$dir/absent.vxd" 2>"$dir/err"; then fail "a missing file was accepted"; fi
grep -q 'cannot open' "$dir/err" || fail "unclear message: $(cat "$dir/err")"
# What is not a regular file is refused at once: no crash, no endless read, no wait for a writer.
mkfifo "$dir/pipe.vxd"
for path in "$dir" /dev/zero "$dir/pipe.vxd"; do
  timeout 20 "$tool" display "$path" >/dev/null 2>"$dir/err"
  rc=$?
  [ "$rc" -eq 1 ] || fail "display $path exits $rc"
  grep -q 'not a regular file' "$dir/err" || fail "unclear message for $path: $(cat "$dir/err")"
done
# A NUL in a stored class name is shown escaped, and the offset after it.
printf '\x00' | dd of="$dir/cut.vxd" bs=1 seek=23 conv=notrunc status=none
"$tool" display "$dir/cut.vxd" 2>"$dir/err" && fail "a damaged class name was accepted"
grep -q 'CVexor\\x00ueryElemOBJ.*byte offset 16$' "$dir/err" || fail "message cut short: $(cat -v "$dir/err")"
if "$tool" display 2>/dev/null; then fail "no argument was accepted"; fi
echo "display command: ok"
