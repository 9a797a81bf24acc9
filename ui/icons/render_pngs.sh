#!/bin/sh
# Renders the committed PNG sizes from the SVG drawings (needs rsvg-convert,
# Debian package librsvg2-bin). The build uses the committed PNGs and never
# runs this; rerun it after changing a drawing. Below 32 px the full dial
# blurs, so the small sizes come from their own simplified drawings.
set -eu
cd "$(dirname "$0")"
mkdir -p png
render() { rsvg-convert -w "$2" -h "$2" "$1" -o "png/vantrel-$2.png"; }
render vantrel-16.svg 16
render vantrel-24.svg 22
render vantrel-24.svg 24
for size in 32 48 64 128 256; do
    render vantrel.svg "$size"
done
