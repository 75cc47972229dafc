#!/usr/bin/env bash
# Installs what ZQ-6 needs, builds Release, installs the VST3 and LV2 bundles for this user and
# renders the built-in demo through ZQ-6 into zq6-demo.wav.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# ccache hits across checkouts in other folders.
export CCACHE_BASEDIR="$PWD"

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZQ6_BUILD_TESTS=OFF -DZQ6_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)" --target ZQ6_VST3 ZQ6_LV2 ZQ6_Standalone zq6-render

artefacts="$build/ZQ6_artefacts/Release"
mkdir -p "$HOME/.vst3" "$HOME/.lv2"
rm -rf "$HOME/.vst3/ZQ-6.vst3" "$HOME/.lv2/ZQ-6.lv2"
cp -r "$artefacts/VST3/ZQ-6.vst3" "$HOME/.vst3/"
cp -r "$artefacts/LV2/ZQ-6.lv2" "$HOME/.lv2/"
echo "Installed $HOME/.vst3/ZQ-6.vst3 and $HOME/.lv2/ZQ-6.lv2"

"$build/tools/render/zq6-render" zq6-demo.wav --overwrite
