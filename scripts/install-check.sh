#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs both programs from there
# the way a new user would: an empty directory, a fresh home, the menu entry's
# command for the window. Then builds the Debian package.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages x11-utils dpkg-dev
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { say "install check: $*"; exit 1; }

cmake --install "$TORVEL_BUILD" --prefix "$prefix" >/dev/null
mkdir -p "$scratch/empty" "$scratch/home"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/xdg" PATH="$prefix/bin:$PATH"
unset TORVEL_HOME
cd "$scratch/empty"

torvel-cli nash --stacks 1500,1500 --blinds 50,100 | grep -q '"exploitability"' || fail "nash gave no equilibrium"
torvel-cli deal --seed 7 | torvel-cli analyze - | grep -q '"decision"' || fail "analyze gave no decision"
gzip -t "$prefix/share/man/man1/torvel-cli.1.gz" || fail "the manual page is not installed compressed"
[ -z "$(ls -A)" ] || fail "torvel-cli wrote into its working directory: $(ls -A)"

# The window under a virtual display: done once a top-level window with the
# program's title is mapped; a start-up error box has another title.
command="$(sed -n 's/^Exec=//p' "$prefix/share/applications/org.torvelicm.TorvelICM.desktop")"
xvfb-run -a bash -c '
    $1 & pid=$!
    for _ in $(seq 150); do
        if xwininfo -root -tree | grep -q "\"Torvel ICM"; then kill "$pid"; wait "$pid" || true; exit 0; fi
        kill -0 "$pid" 2>/dev/null || exit 1
        sleep 0.2
    done
    kill "$pid"; exit 1' _ "$command" || fail "the main window did not show"

workdir="$XDG_DATA_HOME/torvel"
for f in table.res ranking.res images/torvel.png data/callrange0.conf; do
    [ -f "$workdir/$f" ] || fail "the working directory lacks $f"
done
cd "$TORVEL_BUILD"
cpack -G DEB >/dev/null
dpkg-deb -f torvel_*.deb Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
say "install check passed"
