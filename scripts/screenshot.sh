#!/usr/bin/env bash
# Builds the program and saves a picture of the editor with a computed spot
# to docs/editor.png (for the README): six players, the button set, the
# hero's cards picked, a profile applied and "Compute" pressed.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${TORVEL_PACKAGES[@]}"
build_tree "$TORVEL_BUILD" -DCMAKE_BUILD_TYPE=Release
mkdir -p "$TORVEL_ROOT/docs"
cd "$TORVEL_BUILD/runtime"
QT_QPA_PLATFORM=offscreen "$TORVEL_BUILD/bin/torvel-screenshot" "$TORVEL_ROOT/docs/editor.png" editor
