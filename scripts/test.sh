#!/usr/bin/env bash
# Builds everything in build/ and runs every test. Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCHECKBILL_WERROR=ON "$@"
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
