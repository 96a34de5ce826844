#!/usr/bin/env bash
# Installs what is needed, builds the desktop program and starts it; the arguments go to the
# program (qingyu [--services FILE] [--screenshot FILE [--tab N]]). Without a display the program
# says how to start it under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${QINGYU_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_QT=ON
cmake --build "$build" --target qingyu
exec "$build/desktop/qingyu" "$@"
