#!/usr/bin/env bash
# Reproduces resources/fonts/ from their published packages: the Barlow family
# (SIL Open Font License 1.1) as npm's @fontsource packages carry it, turned
# from WOFF into plain TrueType and cut down to the characters Vorn may draw.
set -euo pipefail
cd "$(dirname "$0")/.."

barlow_version=5.3.0

if ! /usr/bin/python3 -c "import fontTools" 2>/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q python3-fonttools
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm pack --silent "@fontsource/barlow-condensed@$barlow_version" "@fontsource/barlow@$barlow_version" >/dev/null)
mkdir -p "$work/condensed" "$work/barlow"
tar xzf "$work/fontsource-barlow-condensed-$barlow_version.tgz" -C "$work/condensed"
tar xzf "$work/fontsource-barlow-$barlow_version.tgz" -C "$work/barlow"

out=resources/fonts
mkdir -p "$out"

# Printable ASCII, Latin-1 and the few typographic signs a value or a tooltip
# may show (dashes, quotes, minus, ellipsis, degree).
/usr/bin/python3 - "$work" "$out" <<'PY'
import sys
from fontTools.ttLib import TTFont
from fontTools import subset

work, out = sys.argv[1], sys.argv[2]
characters = list(range(0x20, 0x7f)) + list(range(0xa0, 0x100)) + [
    0x2013, 0x2014, 0x2018, 0x2019, 0x201c, 0x201d, 0x2026, 0x2212, 0x00b0]

faces = [
    (f"{work}/condensed/package/files/barlow-condensed-latin-400-normal.woff", "BarlowCondensed-Regular.ttf"),
    (f"{work}/condensed/package/files/barlow-condensed-latin-300-normal.woff", "BarlowCondensed-Light.ttf"),
    (f"{work}/barlow/package/files/barlow-latin-500-normal.woff", "Barlow-Medium.ttf"),
]

for source, target in faces:
    font = TTFont(source, recalcTimestamp=False)
    font.flavor = None
    options = subset.Options()
    options.layout_features = ["kern", "liga", "calt", "tnum", "lnum"]
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=characters)
    subsetter.subset(font)
    font.save(f"{out}/{target}")
    print(f"{out}/{target}: {len(font.getBestCmap())} characters")
PY

cp "$work/condensed/package/LICENSE" "$out/OFL-BarlowCondensed.txt"
cp "$work/barlow/package/LICENSE" "$out/OFL-Barlow.txt"
