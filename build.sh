#!/usr/bin/env bash
# Builds Vorn (VST3, LV2 and Standalone on Linux), installs the plug-ins where
# hosts look for them, and renders a short demo through the real processor.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build_dir=build
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" --parallel "$(nproc)" --target Vorn_VST3 Vorn_LV2 Vorn_Standalone vorn-render vorn-benchmark

artefacts="$build_dir/Vorn_artefacts/Release"

install_bundle() {
    local source=$1 destination_dir=$2
    mkdir -p "$destination_dir"
    rm -rf "$destination_dir/$(basename "$source")"
    cp -a "$source" "$destination_dir/"
}

install_bundle "$artefacts/VST3/Vorn.vst3" "$HOME/.vst3"
install_bundle "$artefacts/LV2/Vorn.lv2" "$HOME/.lv2"

# The demo: a spoken sentence rendered dry and through the full curve, and
# the curve measured from the processor itself.
render="$build_dir/tools/vorn-render"
mkdir -p demo
espeak-ng -s 150 -w demo/speech.wav \
    "This is Vorn. Listen to the low end thin out and the top open up as the curve comes in."
echo
"$render" demo/speech.wav demo/speech-dry.wav --skimming 0
"$render" demo/speech.wav demo/speech-vorn.wav --skimming 100 --output -6
"$render" --plot demo/vorn-curve.png --rate 48000 --skimming 50
"$render" --screenshot demo/vorn-editor.png --skimming 37 --output -6.5

echo
echo "Vorn $(cat VERSION) is built."
echo "  VST3 plug-in:   $HOME/.vst3/Vorn.vst3"
echo "  LV2 plug-in:    $HOME/.lv2/Vorn.lv2"
echo "  Standalone app: $(realpath "$artefacts/Standalone/Vorn")"
echo "  Demo:           $(realpath demo)/speech.wav -> speech-dry.wav, speech-vorn.wav, vorn-curve.png, vorn-editor.png"
