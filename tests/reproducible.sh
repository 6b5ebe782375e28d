#!/bin/sh
# Builds the release twice more with `make dist`, from copies of the source
# tree in two other folders, at other times, under other time zones, umasks
# and locales, and checks that sweepane.exe, the zip and SHA256SUMS are the
# same bytes as the main build's. Only the program and the readme are built.
#   reproducible.sh SOURCE_DIR MAIN_BUILD_DIR MAIN_DIST_DIR VERSION
set -eu
src=$1 main_build=$2 main_dist=$3
version_zip=sweepane-$4.zip

work=$(mktemp -d "${TMPDIR:-/tmp}/sweepane-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
# This may run under make: the copies' make must not join its job server.
unset MAKEFLAGS MFLAGS MAKELEVEL

# DIR TZ UMASK then environment settings for the build
build_copy() {
    dir=$1 tz=$2 mask=$3
    shift 3
    mkdir -p "$dir"
    # The working tree as it is, with its history (the zip's dates come
    # from the last commit), without any build output.
    tar -C "$src" --exclude=./build -cf - . | tar -C "$dir" -xf -
    # No test programs: the release does not need them, and they take
    # longer to configure than the program takes to build.
    (umask "$mask" && env TZ="$tz" "$@" make -C "$dir" dist BUILD_TESTING=OFF >"$dir.log" 2>&1)
}

one=$work/one
two="$work/second/a longer path"
# Both at once, the second a second later: a build time that leaks in
# would differ by at least that.
build_copy "$one" UTC0 022 LC_ALL=ja_JP.UTF-8 &
pid_one=$!
sleep 1
# Under LC_ALL=C without Python's UTF-8 mode, a file read without an
# explicit encoding would fail.
build_copy "$two" EST5EDT 077 LC_ALL=C PYTHONUTF8=0 PYTHONCOERCECLOCALE=0 &
pid_two=$!
# PID DIR
check() {
    wait "$1" && return
    echo "reproducible: make dist failed in $2:" >&2
    tail -30 "$2.log" >&2
    failed=1
}
failed=0
check $pid_one "$one"
check $pid_two "$two"
[ $failed -eq 0 ] || exit 1

status=0
# MAIN_FILE PATH_IN_A_COPY
same() {
    for copy in "$one" "$two"; do
        if ! cmp "$1" "$copy/$2" >/dev/null; then
            echo "reproducible: $2 differs between $1 and $copy/$2; bytes (offset, main, copy):" >&2
            cmp -l "$1" "$copy/$2" 2>&1 | head -10 >&2
            status=1
        fi
    done
}
same "$main_build/sweepane.exe" build/win32/sweepane.exe
same "$main_dist/$version_zip" "build/dist/$version_zip"
same "$main_dist/SHA256SUMS" build/dist/SHA256SUMS
if [ $status -ne 0 ]; then
    # The zip is dated with the last commit: a dist older than it differs.
    echo "reproducible: (is the main build's dist from before the last commit? make test runs make dist first)" >&2
else
    echo "reproducible: sweepane.exe, $version_zip and SHA256SUMS match across three builds"
fi
exit $status
