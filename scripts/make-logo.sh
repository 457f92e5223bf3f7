#!/usr/bin/env bash
# Redraws the OKU Laboratories logo, resources/logo/oku-logo.png, with the
# vorn-logo tool (our own artwork, drawn with the compiled-in Barlow faces).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)" --target vorn-logo
build/tools/vorn-logo resources/logo/oku-logo.png
echo "resources/logo/oku-logo.png redrawn; rebuild to compile it in."
