#!/usr/bin/env bash
# Builds Torvel ICM and starts it in the user's working directory.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages "${TORVEL_PACKAGES[@]}"
build_tree "$TORVEL_BUILD" -DCMAKE_BUILD_TYPE=Release -DTORVEL_GUI=ON

# The working directory: tables and pictures are refreshed from the build,
# default profiles are copied only where none exist, and the settings file
# and saved profiles are never touched.
workdir="${TORVEL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/torvel}"
mkdir -p "$workdir"
runtime="$TORVEL_BUILD/runtime"
for f in table.res ranking.res; do
    if ! cmp -s "$runtime/$f" "$workdir/$f"; then
        cp "$runtime/$f" "$workdir/$f.new" && mv -f "$workdir/$f.new" "$workdir/$f"
    fi
done
if [ -f "$runtime/zivuzadir.jpg" ]; then
    cp "$runtime/zivuzadir.jpg" "$workdir/zivuzadir.jpg.new" && mv -f "$workdir/zivuzadir.jpg.new" "$workdir/zivuzadir.jpg"
fi
if [ -d "$runtime/images" ]; then
    mkdir -p "$workdir/images"
    cp -r "$runtime/images/." "$workdir/images/"
fi
if [ -d "$runtime/data" ]; then
    mkdir -p "$workdir/data"
    cp -rn "$runtime/data/." "$workdir/data/"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    say "built, but there is no display to open the window on (DISPLAY is not set)."
    say "run ./run.sh from a desktop session, or on a machine without one under a virtual display:"
    say "    xvfb-run -a ./run.sh"
    exit 2
fi
say "starting in $workdir"
cd "$workdir"
exec "$TORVEL_BUILD/bin/torvel"
