# Sourced by the command tests: builds a SQLite database from the engine fixture through
# `vexorquery sql --execute`, one ";"-terminated group of lines a statement.
# usage: load_engine_fixture TOOL FIXTURE DBFILE
load_engine_fixture() {
  local tool="$1" fixture="$2" file="$3" line statement=""
  : >"$file"
  while IFS= read -r line; do
    case "$line" in --*) continue ;; esac
    statement+="$line"$'\n'
    if [[ "$line" == *";" ]]; then
      "$tool" sql --db "sqlite:$file" --execute "$statement" >/dev/null || {
        echo "FAIL: fixture statement failed: $statement" >&2
        exit 1
      }
      statement=""
    fi
  done <"$fixture"
}
