#!/usr/bin/env bash
# Configures and builds with the default preset into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default -j "$(nproc)"
