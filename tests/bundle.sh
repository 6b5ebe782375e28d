#!/bin/sh
# Runs the test bundle as someone would on their own Windows: unzipped into
# a new folder outside the build tree, with a space in its path, and
# started with cmd /c run-tests.cmd, here under Wine.
#   bundle.sh ZIP WINE_DIR COUNT SKIPS [PROGRAM [ARGS...]]
# COUNT programs must pass and none fail. Exactly the cases named in SKIPS
# (separated by spaces; "" for none) must be skipped, each with a reason.
set -eu
# WINE_DIR is made absolute: the runs below start from another folder.
zip=$1 wine_dir=$(cd "$2" && pwd) count=$3 skips=$4
shift 4
env=$(cd "$(dirname "$0")/../tools" && pwd)/wineenv.sh
[ -f "$zip" ] || { echo "bundle: no $zip: run make test-bundle" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/sweepane tests.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 -m zipfile -e "$zip" "$work"
root=$(echo "$work"/sweepane-tests-*)

status=0
if [ $# -eq 0 ]; then
    # As it is meant to run: no arguments, from another folder.
    "$env" run "$wine_dir" cmd /c "Z:$(echo "$root/run-tests.cmd" | tr / '\\')" >"$work/out" || status=$?
else
    # cmd /c takes a quoted path or arguments, not both: from its folder.
    (cd "$root" && "$env" run "$wine_dir" cmd /c run-tests.cmd "$@") >"$work/out" || status=$?
fi
tr -d '\r' <"$work/out" | tee "$work/said"
last=$(tail -n 1 "$work/said")
want="$count passed, 0 failed"
[ -z "$skips" ] || want="$want, $(echo $skips | wc -w) skipped"
skips=$(printf '%s\n' $skips | sort | xargs)
skipped=$(sed -n 's/^ *skipped \([^ :]*\): .*[^ ].*$/\1/p' "$work/said" | sort | xargs)
[ $status -eq 0 ] && [ "$last" = "$want" ] && [ "$skipped" = "$skips" ] && exit 0

echo "bundle: wanted \"$want\" (skipped: ${skips:-none}) and exit code 0," \
     "got \"$last\" (skipped with a reason: ${skipped:-none}) and $status" >&2
for log in "$root"/logs/*.log; do
    [ -f "$log" ] || continue
    grep -q "^  passed  $(basename "$log" .log) " "$work/said" && continue
    echo "==== $log"
    tr -d '\r' <"$log"
done
exit 1
