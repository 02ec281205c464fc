#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (missing packages only), builds in build/ and starts the
# editor on the demo suite that the build lays out beside it (build/bin/Tarnosuite.ini, the
# SQLite catalogue and the demo working folder).
#   ./run.sh [/MBrand/NModel]     (optional: open the catalogued driver of that brand and model)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

tarno_install_deps
echo "building the editor in build/ ..." >&2
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${TARNO_JOBS:-2}" --target tarnodriver tarnodrv demo_suite >/dev/null
exec build/bin/tarnodriver "$@"
