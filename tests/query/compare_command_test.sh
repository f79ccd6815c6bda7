#!/usr/bin/env bash
# vexorquery compare on a compact demo database: the years side by side, a range that runs into
# the next year, and the refusals (no year, an unknown station, a day that does not exist).
source "$(dirname "$0")/../command_test_setup.sh"

build_demo_db --compact
compare() { "$tool" compare --db "$db" --table HISVIEW --station 10021 "$@"; }

out=$(compare --years 2024,2025 --from 02-27 --to 03-01 --type day --format tsv) || fail "compare failed"
[ "$(sed -n 1p <<<"$out")" = $'  \t时间\t2024年\t2025年' ] || fail "heading: $out"
# 02-29 has its row, empty in the common year.
grep -q $'^3\t02-29\t[0-9.]*\t$' <<<"$out" || fail "leap day: $out"
[ "$(wc -l <<<"$out")" -eq 5 ] || fail "four days and the heading: $out"

# November to February: each year runs into the next one, months in order.
months=$(compare --years 2024 --from 11-01 --to 02-01 --type month --kind avg --format tsv | cut -f2 | tr '\n' ' ')
[ "$months" = "时间 11 12 01 02 " ] || fail "months across the year end: $months"

out=$(compare --years "" --from 05-01 --to 05-02 2>&1) && fail "no year accepted"
grep -q '请选择年份!' <<<"$out" || fail "no year message: $out"
out=$("$tool" compare --db "$db" --table HISVIEW --station 99999 --years 2025 --from 05-01 --to 05-02 2>&1) &&
    fail "unknown station accepted"
grep -q 'no such station 99999' <<<"$out" || fail "unknown station message: $out"
compare --years 2025 --from 02-30 --to 03-02 >/dev/null 2>&1 && fail "02-30 accepted"
compare --years 2025 --from 05-01 --to "05-02 24" >/dev/null 2>&1 && fail "hour 24 accepted"
compare --years 2025 --from 05-01 --to 05-02 --type week >/dev/null 2>&1 && fail "unknown type accepted"
compare --years 2025 --from 05-01 --to 05-02 --type xun --interval 4 >/dev/null 2>&1 && fail "interval 4 xun accepted"
echo ok
