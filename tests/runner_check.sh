#!/bin/sh
# The runner, whose exit code CI on Windows trusts, run on three stand-in
# programs: one passes, one fails, one crashes, and each skips a case. It
# must show the two as FAILED, the crash in seconds with its exception
# code, count them and the skips, give each skip's reason, and exit
# non-zero.
#   runner_check.sh WINE_DIR RUNTESTS_EXE PROBE_EXE
set -eu
wine_dir=$1 runner=$2 probe=$3
env=$(cd "$(dirname "$0")/../tools" && pwd)/wineenv.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/sweepane runner.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/tests"
cp "$runner" "$work/tests/runtests.exe"
for name in crashes fails passes; do cp "$probe" "$work/tests/${name}_test.exe"; done

status=0
"$env" run "$wine_dir" "$work/tests/runtests.exe" </dev/null >"$work/out" || status=$?
tr -d '\r' <"$work/out" | tee "$work/said"

bad=0
expect() { # WHAT PATTERN
    grep -q "$2" "$work/said" || { echo "runner_check: $1" >&2; bad=1; }
}
expect "fails_test not shown as FAILED" '^  FAILED  fails_test '
expect "the crash not shown within 9 s as FAILED with its code" '^  FAILED  crashes_test  *[0-9] s  exit code 0xc0000005'
expect "passes_test not shown as passed" '^  passed  passes_test '
expect "the failed case not named" 'failed Probe.PassesFailsOrCrashesByName$'
expect "a skip's reason not given" 'skipped Probe.SkipsOnPurpose: skipped on purpose$'
expect "not counted as 1 passed, 2 failed, 3 skipped" '^1 passed, 2 failed, 3 skipped$'
[ "$status" -ne 0 ] || { echo "runner_check: exit code 0 after failures" >&2; bad=1; }
exit $bad
