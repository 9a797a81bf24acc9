#!/usr/bin/env bash
# Sets everything up, builds Vantrel and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vantrel
exec build/default/ui/vantrel
