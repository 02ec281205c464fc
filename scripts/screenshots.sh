#!/usr/bin/env bash
# Starts the editor on the demo suite under a virtual X display, shows each page and saves a
# PNG of each under build/screenshots/, with one of the live preview (anteprima.png) and one of
# the engine's log (the editor quits by itself afterwards).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
source scripts/deps.sh
tarno_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${TARNO_JOBS:-2}" --target tarnodriver tarnominer demo_suite >/dev/null
OUT="$ROOT/build/screenshots"
mkdir -p "$OUT"
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
# The demo Panasonic driver (found in the catalogue by brand and model) with its printout.
TARNO_SCREENSHOT_DIR="$OUT" TARNO_DATI="$ROOT/build/bin/demo/Dati/PanasonicTDA.txt" \
    xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/tarnodriver --lingua it /MPanasonic/NKX-TDA200
rm -rf "$XDG_RUNTIME_DIR"
ls "$OUT"
