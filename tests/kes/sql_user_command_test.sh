#!/usr/bin/env bash
# vexorquery sql and vexorquery user as an integrator uses them, on a fresh SQLite file.
set -u
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$dir" || fail "no temporary directory"
unset VEXOR_LOG_DIR
export XDG_STATE_HOME="$dir/state"
db="sqlite:$dir/kes.sqlite"
: >"$dir/kes.sqlite"

"$tool" sql --db "$db" --execute "CREATE TABLE KES.RTDB (SENID INTEGER, TIME TIMESTAMP, FACTV DOUBLE PRECISION)" ||
  fail "create table"
"$tool" sql --db "$db" --execute " INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(7,{ts '2008-07-01 08:00:00'},2 );
  INSERT INTO KES.RTDB VALUES(8,{ts '2008-07-01 09:00:00'},2.50)" || fail "inserts"
out=$("$tool" sql --db "$db" "SELECT SENID,TIME,FACTV FROM KES.RTDB ORDER BY SENID; SELECT 'a(1,2)', NULL")
[ "$out" = $'7\t2008-07-01 08:00:00\t2\n8\t2008-07-01 09:00:00\t2.5\na(1,2)\t' ] || fail "rows: $out"
grep -q "INSERT INTO KES.RTDB VALUES(8" state/vexorquery/VexorINIError.txt || fail "the writing statement is not in the day log"

err=$("$tool" sql --db "$db" "SELECT * FROM KES.NOWHERE" 2>&1 >/dev/null) && fail "a failing query exits 0"
[[ "$err" == *"no such table: KES.NOWHERE"* ]] || fail "error text: $err"
err=$("$tool" sql --db "sqlite:$dir/missing.sqlite" "SELECT 1" 2>&1) && fail "a missing database exits 0"
[[ "$err" == *"cannot open the database file"* ]] || fail "error text: $err"
[ ! -e "$dir/missing.sqlite" ] || fail "a missing database file was created"
"$tool" sql --db "$db" 2>/dev/null && fail "sql without text exits 0"

echo "first secret" | "$tool" user add 张三 --can-modify --db "$db" >/dev/null || fail "user add"
echo "other" | "$tool" user add 张三 --db "$db" 2>/dev/null && fail "a user was added twice"
"$tool" user add nobody --db "$db" </dev/null 2>/dev/null && fail "a user without password was added"
echo "second secret" | "$tool" user passwd 张三 --db "$db" >/dev/null || fail "user passwd"
"$tool" user passwd ghost --db "$db" </dev/null 2>/dev/null && fail "passwd of an unknown user exits 0"
stored=$("$tool" sql --db "$db" "SELECT USERNAME,CANMODIFY,PWHASH FROM KES.VEXOR_USERS")
[[ "$stored" == 张三$'\t'1$'\t'\$argon2id\$* ]] || fail "stored user: $stored"
[[ "$stored" != *secret* ]] || fail "a password is stored in plain text"
grep -q secret "$dir/kes.sqlite" && fail "a password is in the database file"
echo "ok"
