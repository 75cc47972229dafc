#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing ZQ-6 need.
set -euo pipefail

packages=(
    build-essential cmake pkg-config ccache
    juce-modules-source juce-tools
    libgtest-dev libbenchmark-dev
    fonts-inter
    xvfb xauth lilv-utils liblilv-dev libsndfile1-dev
    locales
    clang libclang-rt-14-dev
    dragonfly-reverb-lv2
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The number-text tests run once under a locale with a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
