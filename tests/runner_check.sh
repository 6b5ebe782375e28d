#!/bin/sh
# The runner, whose exit code CI on Windows trusts, run on three stand-in
# programs: one passes, one fails, one crashes, and each skips a case. It
# must show the two as FAILED, the crash in seconds with its exception
# code, count them and the skips, give each skip's reason, and exit
# non-zero. Then bundle.sh, which make test trusts, on a bundle of the one
# that passes: it must refuse the skip unless told to expect it.
#   runner_check.sh WINE_DIR RUNTESTS_EXE PROBE_EXE
set -eu
wine_dir=$1 runner=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/sweepane runner.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/sweepane-tests-check
mkdir -p "$root/tests"
cp "$here/bundle/run-tests.cmd" "$root/"
cp "$runner" "$root/tests/runtests.exe"
for name in crashes fails passes; do cp "$probe" "$root/tests/${name}_test.exe"; done

status=0
"$here/../tools/wineenv.sh" run "$wine_dir" "$root/tests/runtests.exe" </dev/null >"$work/out" || status=$?
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

rm "$root/tests/crashes_test.exe" "$root/tests/fails_test.exe"
(cd "$work" && python3 -m zipfile -c check.zip sweepane-tests-check)
if sh "$here/bundle.sh" "$work/check.zip" "$wine_dir" 1 "" >"$work/bundle.out" 2>&1; then
    echo "runner_check: bundle.sh took a skip it was not told to expect" >&2
    bad=1
fi
if ! sh "$here/bundle.sh" "$work/check.zip" "$wine_dir" 1 Probe.SkipsOnPurpose >"$work/bundle.out" 2>&1; then
    cat "$work/bundle.out" >&2
    echo "runner_check: bundle.sh refused the skip it was told to expect" >&2
    bad=1
fi
exit $bad
