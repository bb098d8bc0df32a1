#!/usr/bin/env bash
# Sets up what is missing, builds, installs Vestrel into build/Vestrel/ (the
# program, vestrel-cli, the user guide, the desktop entry and the icon), puts a
# sample class there the first time, and starts the program. Arguments are
# passed on to it (for example the path of a class file).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target vestrel vestrel-cli

dossier="$PWD/build/Vestrel"
premiere_fois=0
[ -e "$dossier/vestrel" ] || premiere_fois=1
cmake --install build --prefix "$dossier" --component Portable >/dev/null

if [ "$premiere_fois" = 1 ]; then
  "$dossier/vestrel-cli" exemple --dossier "$dossier"
fi

echo "Vestrel est installé dans $dossier"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Aucun écran n'est disponible (DISPLAY n'est pas défini) : Vestrel démarre sur un écran"
  echo "virtuel (Xvfb), invisible. Arrêtez-le avec Ctrl+C."
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$dossier/vestrel" "$@"
fi
exec "$dossier/vestrel" "$@"
