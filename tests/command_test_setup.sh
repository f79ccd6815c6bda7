# Sourced first by the command tests, with the test's arguments: the program under test ($1) in
# tool, a temporary directory in dir that is removed on every way out, and fail, which says why
# and ends the test.
set -u
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Builds the demo database at sqlite:$dir/demo.sqlite and leaves that in db; the arguments
# (--compact) go to demo-db.
build_demo_db() {
  db="sqlite:$dir/demo.sqlite"
  "$tool" demo-db "$db" "$@" >/dev/null 2>&1 || fail "demo-db failed"
}
