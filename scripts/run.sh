#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it. Extra arguments go to the
# program (for example a problem file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target jirakubo jirakubo-cli jirakubo_data
exec ./build/bin/jirakubo "$@"
