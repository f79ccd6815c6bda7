#!/usr/bin/env bash
# vexorquery sql and vexorquery user as an integrator uses them, on a fresh SQLite file.
source "$(dirname "$0")/../command_test_setup.sh"
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

# Without --execute the text runs read-only: a writing statement fails and changes nothing.
for text in "DELETE FROM KES.RTDB" "SELECT 1; DELETE FROM KES.RTDB" "DROP TABLE KES.RTDB" \
  "ATTACH DATABASE '$dir/made.sqlite' AS X" "VACUUM INTO '$dir/copy.sqlite'"; do
  err=$("$tool" sql --db "$db" "$text" 2>&1 >/dev/null) && fail "a writing query exits 0: $text"
done
[[ "$err" == *"只读查询不能修改数据"* ]] || fail "refusal text: $err"
[ ! -e "$dir/made.sqlite" ] && [ ! -e "$dir/copy.sqlite" ] || fail "a read-only query created a file"
out=$("$tool" sql --db "$db" "SELECT COUNT(*) FROM KES.RTDB; SELECT 'a;DELETE FROM KES.RTDB;--', '阴,有雨(1)'")
[ "$out" = $'2\na;DELETE FROM KES.RTDB;--\t阴,有雨(1)' ] || fail "read-only rows: $out"

# --execute reports every failed statement with its reason and exits 1 when any failed.
err=$("$tool" sql --db "$db" --execute "INSERT INTO KES.RTDB VALUES(9,{ts '2008-07-01 10:00:00'},1);
  DELETE FROM KES.NOWHERE; UPDATE KES.NOTHERE SET A=1; DELETE FROM KES.RTDB WHERE SENID=9" 2>&1 >/dev/null) &&
  fail "a failed statement of --execute exits 0"
[[ "$err" == *"DELETE FROM KES.NOWHERE;"*"no such table: KES.NOWHERE"*"UPDATE KES.NOTHERE SET A=1;"*"no such table"* ]] ||
  fail "execute failures: $err"
[ "$("$tool" sql --db "$db" "SELECT COUNT(*) FROM KES.RTDB")" = 2 ] || fail "statements after a failure did not run"

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
