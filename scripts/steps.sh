# Sourced by scripts/test and scripts/run. `step NAME COMMAND...` runs one named
# step; when a step or any other command fails, the last lines of the output
# name the step, the command and what it printed last, never only an exit code.
set -uo pipefail
step_log=$(mktemp)
trap 'rm -f "$step_log"' EXIT
trap 'rc=$?; echo; echo "$(basename "$0") FAILED: \`$BASH_COMMAND\` exited with code $rc." >&2; exit $rc' ERR

step() {
  local name=$1 start=$SECONDS rc
  shift
  echo "== $name"
  set +e
  "$@" 2>&1 | tee "$step_log"
  rc=${PIPESTATUS[0]}
  set -e
  if [ "$rc" -ne 0 ]; then
    {
      echo
      echo "$(basename "$0") FAILED while $name: \`$*\` exited with code $rc. Its last lines:"
      tail -n 15 "$step_log" | sed 's/^/  | /'
    } >&2
    exit "$rc"
  fi
  echo "== $name: done in $((SECONDS - start)) s"
}
