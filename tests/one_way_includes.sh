#!/bin/bash
# The product's folders never include from the tests, fuzz targets,
# benchmarks or packaging: dependencies run one way. Prints each offending
# include and fails if there is one.
# usage: one_way_includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"
if grep -rnE '#[[:space:]]*include[[:space:]]*[<"](tests|fuzz|bench|packaging)/' core sheets toolkit ui; then
    echo "the product includes from tests/, fuzz/, bench/ or packaging/" >&2
    exit 1
fi
