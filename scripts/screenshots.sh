#!/usr/bin/env bash
# Starts the editor on the demo suite under a virtual X display, shows each page and saves a
# PNG of each under build/screenshots/, with one of the live preview (anteprima.png), one of
# the engine's log and one of the preview's failures grouped with their fixes
# (anteprima-errori.png) and one of a driver proposed from the printout with its reasons
# (proposta.png; the editor quits by itself afterwards). The same pictures with the screen
# scaled to 150% go to build/screenshots/150/, to 200% on a 1920x1080 screen to
# build/screenshots/200/, those of the English interface to build/screenshots/en/. Every run
# starts from fresh per-user settings.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
source scripts/deps.sh
# The pictures use the fonts a desktop has: "Courier New" of the sample view is matched to Nimbus
# Mono PS (fonts-urw-base35); without it another monospaced face with other line heights comes.
TARNO_DEBIAN_PACKAGES+=(fonts-urw-base35 imagemagick)
tarno_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${TARNO_JOBS:-2}" --target tarnodriver tarnominer demo_suite >/dev/null
OUT="$ROOT/build/screenshots"
mkdir -p "$OUT"
# shoot DIR [VAR=VALUE...]: one run of the editor with its own settings and environment.
shoot() {
    local dir="$1"
    shift
    local tmp
    tmp="$(mktemp -d)"
    mkdir -p "$dir" "$tmp/runtime" "$tmp/config/TarnoDriver"
    chmod 700 "$tmp/runtime"
    # The demo Panasonic driver (found in the catalogue by brand and model) with its printout.
    env XDG_RUNTIME_DIR="$tmp/runtime" XDG_CONFIG_HOME="$tmp/config" "$@" \
        TARNO_SCREENSHOT_DIR="$dir" TARNO_DATI="$ROOT/build/bin/demo/Dati/PanasonicTDA.txt" \
        xvfb-run -a -s "-screen 0 ${TARNO_SCHERMO:-1280x1024}x24" build/bin/tarnodriver --lingua "${TARNO_LINGUA:-it}" /MPanasonic/NKX-TDA200
    rm -rf "$tmp"
}
shoot "$OUT"
shoot "$OUT/150" QT_SCALE_FACTOR=1.5
TARNO_SCHERMO=1920x1080 shoot "$OUT/200" QT_SCALE_FACTOR=2
TARNO_LINGUA=en shoot "$OUT/en" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
ls -R "$OUT"
