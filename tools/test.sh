#!/usr/bin/env bash
# Installs what is needed, configures, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${QINGYU_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQINGYU_WERROR=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 300
