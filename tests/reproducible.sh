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
    if ! (umask "$mask" && env TZ="$tz" "$@" make -C "$dir" dist >"$dir.log" 2>&1); then
        echo "reproducible: make dist failed in $dir:" >&2
        tail -30 "$dir.log" >&2
        exit 1
    fi
}

build_copy "$work/one" UTC0 022 LC_ALL=ja_JP.UTF-8
sleep 1 # a build time that leaks in would now differ by at least a second
# Under LC_ALL=C without Python's UTF-8 mode, a file read without an
# explicit encoding would fail.
build_copy "$work/second/a longer path" EST5EDT 077 LC_ALL=C PYTHONUTF8=0 PYTHONCOERCECLOCALE=0

status=0
for f in "build/win32/sweepane.exe" "build/dist/$version_zip" "build/dist/SHA256SUMS"; do
    case $f in
    build/win32/*) main=$main_build/${f#build/win32/} ;;
    *) main=$main_dist/${f#build/dist/} ;;
    esac
    for copy in "$work/one" "$work/second/a longer path"; do
        if ! cmp "$main" "$copy/$f" >/dev/null; then
            echo "reproducible: $f differs between $main and $copy/$f; bytes (offset, main, copy):" >&2
            cmp -l "$main" "$copy/$f" 2>&1 | head -10 >&2
            status=1
        fi
    done
done
[ $status -ne 0 ] || echo "reproducible: sweepane.exe, $version_zip and SHA256SUMS match across three builds"
exit $status
