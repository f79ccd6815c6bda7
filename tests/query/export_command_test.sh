#!/usr/bin/env bash
# vexorquery query --out: the export replaces the earlier file whole or not at all.
source "$(dirname "$0")/../command_test_setup.sh"
fixture="$2"

db="sqlite:$dir/engine.db"
source "$(dirname "$0")/engine_fixture.sh"
load_engine_fixture "$tool" "$fixture" "$dir/engine.db"
export VEXOR_LOG_DIR="$dir"
query=(query --db "$db" --table RIVER_HOUR --stations 60101100 --from 2008-07-01 --to 2008-07-02)

umask 022
expected=$("$tool" "${query[@]}" --format tsv) || fail "query to standard output failed"
"$tool" "${query[@]}" --format tsv --out "$dir/out.tsv" || fail "tsv export failed"
[ "$(cat "$dir/out.tsv")" = "$expected" ] || fail "export differs from standard output: $(cat "$dir/out.tsv")"
[ "$(stat -c %a "$dir/out.tsv")" = 644 ] || fail "export mode $(stat -c %a "$dir/out.tsv")"

# A link at the export's name is replaced; the file it pointed to is left alone.
echo "keep" >"$dir/victim"
ln -s "$dir/victim" "$dir/link.txt"
"$tool" "${query[@]}" --out "$dir/link.txt" || fail "export over a link failed"
[ "$(cat "$dir/victim")" = keep ] || fail "the export wrote through a link"
[ ! -L "$dir/link.txt" ] || fail "the link is still there"

# Write failures: a size limit, a full device, a full standard output. Each says why and exits 1;
# the earlier export stays as it was and no temporary file is left.
for format in text tsv xlsx; do
  echo "earlier export" >"$dir/earlier.$format"
  # The message goes through a pipe, which the size limit does not cover.
  if err=$( (ulimit -f 0; "$tool" "${query[@]}" --format "$format" --out "$dir/earlier.$format") 2>&1); then
    fail "$format export over the size limit exits 0"
  fi
  [[ "$err" == *"earlier.$format"* ]] || fail "$format: unclear message: $err"
  [ "$(cat "$dir/earlier.$format")" = "earlier export" ] || fail "$format: the earlier export was damaged"
done
if "$tool" "${query[@]}" --out /dev/full 2>"$dir/err"; then fail "--out /dev/full exits 0"; fi
grep -q "/dev/full" "$dir/err" || fail "unclear message: $(cat "$dir/err")"
[ -c /dev/full ] || fail "/dev/full was replaced"
if "$tool" "${query[@]}" >/dev/full 2>"$dir/err"; then fail "a full standard output exits 0"; fi
grep -q "No space left" "$dir/err" || fail "unclear message: $(cat "$dir/err")"
leftover=$(find "$dir" -name '.*' -type f)
[ -z "$leftover" ] || fail "temporary files left: $leftover"
echo "export command: ok"
