#!/usr/bin/env bash
# Builds the Debian package of Vestrel (Release, installed under /usr) with
# CPack and puts it in the current folder as vestrel_<version>_<arch>.deb:
#     ./scripts/package.sh
#     sudo apt install ./vestrel_*.deb
# Its dependencies are computed from the libraries the programs link.
set -euo pipefail
depart=$PWD
cd "$(dirname "$0")/.."
./scripts/setup.sh

construction=build-paquet
cmake -S . -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$construction" -j "$(nproc)" --target vestrel vestrel-cli
rm -rf "$construction/paquets"
(cd "$construction" && cpack -G DEB >/dev/null)

paquet=$(ls "$construction"/paquets/vestrel_*.deb)
cp "$paquet" "$depart/"
echo "Paquet : $depart/$(basename "$paquet")"
dpkg-deb --field "$paquet" Package Version Architecture Depends Recommends
