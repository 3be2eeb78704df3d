#!/usr/bin/env bash
# Builds the program and saves the pictures of the README under docs/:
# editor.png, the editor with a computed spot (six players, the button set,
# the hero's cards picked, a profile applied and "Compute" pressed);
# trainer.png, the trainer after ten answers with the hand list and the
# score; plot.png, the equity plot of the editor's spot; report.png, its
# analysis report; range.png, the range dialog of one opponent; nash.png,
# the "Nash Ranges" window of the editor's spot.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${TORVEL_PACKAGES[@]}"
build_tree "$TORVEL_BUILD" -DCMAKE_BUILD_TYPE=Release
mkdir -p "$TORVEL_ROOT/docs"
cd "$TORVEL_BUILD/runtime"
for scene in editor trainer plot report range nash; do
    QT_QPA_PLATFORM=offscreen "$TORVEL_BUILD/bin/torvel-screenshot" "$TORVEL_ROOT/docs/$scene.png" "$scene"
done
