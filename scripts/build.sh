#!/usr/bin/env bash
# Builds the library and the checkbill tool in build/ (no tests or benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCHECKBILL_WERROR=ON
cmake --build build -j2 --target checkbill
