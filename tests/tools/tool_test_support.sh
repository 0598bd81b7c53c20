# Sourced by the tool's end-to-end tests: a scratch directory removed on exit, a failure
# counter, and the closing report.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# finish NAME: reports and exits non-zero when any check failed.
finish() {
  [ "$failures" -eq 0 ] && echo "$1: all checks passed"
  exit "$((failures > 0))"
}
