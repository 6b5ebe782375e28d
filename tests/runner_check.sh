#!/bin/sh
# What CI trusts, on stand-ins that pass, fail and crash (each skips a case):
# the runner must show both failures (the crash in seconds, with its code)
# and a filter's pattern that ran no test, count them and the skips, give a
# skip's reason, exit non-zero; bundle.sh must refuse a skip not expected.
#   runner_check.sh WINE_DIR RUNTESTS_EXE PROBE_EXE
set -eu
wine_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/sweepane runner.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/sweepane-tests-check
mkdir -p "$root/tests"
cp "$here/bundle/run-tests.cmd" "$root/"
cp "$2" "$root/tests/runtests.exe"
for name in crashes fails passes; do cp "$3" "$root/tests/${name}_test.exe"; done

status=0
"$here/../tools/wineenv.sh" run "$wine_dir" "$root/tests/runtests.exe" >"$work/out" || status=$?
tr -d '\r' <"$work/out" | tee "$work/said"
bad=0
fail() { echo "runner_check: $1" >&2; bad=1; }
expect() { grep -q "$2" "$work/said" || fail "$1"; }
expect "fails_test not shown as FAILED" '^  FAILED  fails_test '
expect "the crash not shown within 9 s as FAILED with its code" '^  FAILED  crashes_test  *[0-9] s  exit code 0xc0000005'
expect "the failed case not named" 'failed Probe.PassesFailsOrCrashesByName$'
expect "a skip's reason not given" 'skipped Probe.SkipsOnPurpose: skipped on purpose$'
expect "not counted as 1 passed, 2 failed, 3 skipped" '^1 passed, 2 failed, 3 skipped$'
[ "$status" -ne 0 ] || fail "exit code 0 after failures"
"$here/../tools/wineenv.sh" run "$wine_dir" "$root/tests/runtests.exe" passes_test \
    '--gtest_filter=Probe.*OnPurpose:Probe.Mistyped*' | tr -d '\r' | tee "$work/said"
expect "a pattern that ran no test not FAILED" '^  FAILED  passes_test  .*  ran no test for Probe\.Mistyped\*, 1 skipped$'

rm "$root/tests/crashes_test.exe" "$root/tests/fails_test.exe"
(cd "$work" && python3 -m zipfile -c check.zip sweepane-tests-check)
! sh "$here/bundle.sh" "$work/check.zip" "$wine_dir" 1 "" >/dev/null 2>&1 ||
    fail "bundle.sh took a skip it was not told to expect"
sh "$here/bundle.sh" "$work/check.zip" "$wine_dir" 1 Probe.SkipsOnPurpose >"$work/bundle.out" 2>&1 ||
    { cat "$work/bundle.out" >&2; fail "bundle.sh refused the skip it was told to expect"; }
exit $bad
