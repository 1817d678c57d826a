#!/usr/bin/env bash
# Sets up what Vessilora needs on Debian, builds it, then starts it or runs every test.
#   ./vessilora.sh start   build and start the program
#   ./vessilora.sh test    build and run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ ninja-build qt6-base-dev libqscintilla2-qt6-dev qt6-translations-l10n
          qt6-l10n-tools fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing Debian packages: ${missing[*]}"
        echo "Install them with: sudo apt-get install ${missing[*]}"
        exit 1
    fi
fi

build=${VESSILORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -- -j"$(nproc)"

case "${1:-start}" in
start) exec "$build/vessilora" ;;
test) exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" ;;
*) echo "usage: $0 [start|test]"; exit 2 ;;
esac
