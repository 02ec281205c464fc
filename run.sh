#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (missing packages only), builds in build/ and runs the main
# job: for now `tarnodrv dump` on a demo driver, which prints the driver as JSON.
#   ./run.sh [DRIVER.drv]      (default: the demo driver under resources/demo/Driver/)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

DRIVER="${1:-$ROOT/resources/demo/Driver/PanasonicTDA.drv}"

tarno_install_deps
echo "building tarnodrv in build/ ..." >&2
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${TARNO_JOBS:-2}" --target tarnodrv >/dev/null
exec build/bin/tarnodrv dump "$DRIVER"
