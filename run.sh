#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (missing packages only), builds in build/ and starts the
# editor on the demo suite that the build lays out beside it (build/bin/Tarnosuite.ini, the
# SQLite catalogue and the demo working folder).
#   ./run.sh [/MBrand/NModel]     (optional: open the catalogued driver of that brand and model;
#                                  without arguments the demo Panasonic driver with its printout)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

tarno_install_deps
echo "building the editor in build/ ..." >&2
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The engine too: Verifica starts it.
cmake --build build -j "${TARNO_JOBS:-2}" --target tarnodriver tarnodrv tarnominer demo_suite \
    >/dev/null
if (($# == 0)); then
    TARNO_DATI="$ROOT/build/bin/demo/Dati/PanasonicTDA.txt" exec build/bin/tarnodriver \
        /MPanasonic/NKX-TDA200
fi
exec build/bin/tarnodriver "$@"
