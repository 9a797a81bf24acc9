#!/usr/bin/env bash
# Sets everything up and runs every test: the core without Qt (which proves
# it needs no window system), the whole program with its window, package,
# soak and leak tests, the Windows program and its core cross-built with
# mingw-w64 and tested under Wine with its installer, everything again under
# the address and undefined-behaviour sanitizers, and a bounded fuzzing run of
# each target.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --workflow --preset core
cmake --workflow --preset default
cmake --workflow --preset windows
cmake --workflow --preset sanitize
bash tools/fuzz.sh
