#!/usr/bin/env bash
# Builds Torvel ICM and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages "${TORVEL_PACKAGES[@]}"
build_tree "$TORVEL_BUILD" -DCMAKE_BUILD_TYPE=Release -DTORVEL_GUI=ON -DTORVEL_TESTS=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir "$TORVEL_BUILD" --output-on-failure -j2
