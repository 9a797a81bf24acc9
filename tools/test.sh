#!/usr/bin/env bash
# Sets everything up and runs every test: the core without Qt (which proves
# it needs no window system), then the whole program with its window tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --workflow --preset core
cmake --workflow --preset default
