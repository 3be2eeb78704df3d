#!/usr/bin/env bash
# Builds the program and saves the pictures of the README under docs/:
# editor.png, the editor with a computed spot (six players, the button set,
# the hero's cards picked, a profile applied and "Compute" pressed);
# trainer.png, the trainer after ten answers with the hand list and the
# score; plot.png, the equity plot of the editor's spot; report.png, its
# analysis report; range.png, the range dialog of one opponent; nash.png,
# the "Nash Ranges" window of the editor's spot; leakreport.png, the leak
# report of the sample hand histories (the folders in TORVEL_HH_SAMPLES,
# imported into a database of its own).
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${TORVEL_PACKAGES[@]}"
build_tree "$TORVEL_BUILD" -DCMAKE_BUILD_TYPE=Release
mkdir -p "$TORVEL_ROOT/docs"
cd "$TORVEL_BUILD/runtime"
for scene in editor trainer plot report range nash; do
    QT_QPA_PLATFORM=offscreen "$TORVEL_BUILD/bin/torvel-screenshot" "$TORVEL_ROOT/docs/$scene.png" "$scene"
done

samples=()
for dir in ${TORVEL_HH_SAMPLES:-$TORVEL_ROOT/../shared/hh-samples $TORVEL_ROOT/../shared/hh-samples-modern}; do
    [ -d "$dir" ] && while IFS= read -r -d '' file; do samples+=("$file"); done \
        < <(find "$dir" -type f ! -name README.md -print0 | sort -z)
done
if [ ${#samples[@]} -eq 0 ]; then
    say "no sample hand histories: leakreport.png left as it is"
else
    QT_QPA_PLATFORM=offscreen "$TORVEL_BUILD/bin/torvel-screenshot" "$TORVEL_ROOT/docs/leakreport.png" leakreport "${samples[@]}"
fi
