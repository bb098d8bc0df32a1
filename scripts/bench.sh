#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; the README keeps their figures.
#   ./scripts/bench.sh            every benchmark, start-up included
#   ./scripts/bench.sh --demarrage  the start-up only
#   ./scripts/bench.sh --calc     also installs LibreOffice Calc and times it
#                                 opening the same class, run by run with Vestrel
# TOURS=21 sets the number of starts of each program.
set -euo pipefail
cd "$(dirname "$0")/.."

calc=0
seulDemarrage=0
for a in "$@"; do
  case "$a" in
    --calc) calc=1 ;;
    --demarrage) seulDemarrage=1 ;;
    --dans-xvfb) ;;
    *) echo "bench.sh : option inconnue $a" >&2; exit 2 ;;
  esac
done

# --- The start-up run, inside one X server (called again by itself) ----------
mediane() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "-" }'; }

if [[ " $* " == *" --dans-xvfb "* ]]; then
  bin=build/bin
  mesure=build/bench/premiere_image
  tours=${TOURS:-21}
  travail=$(mktemp -d)
  trap 'rm -rf "$travail"' EXIT
  ./build/bench/classe_pleine "$bin" # CLASSE.VTC, CLASSE.INI, CLASSE.csv beside the program
  if [ "$calc" = 1 ]; then
    soffice --headless -env:UserInstallation="file://$travail/conversion" \
      --infilter="CSV:59,34,76" --convert-to ods --outdir "$travail" "$bin/CLASSE.csv" > /dev/null 2>&1
    test -s "$travail/CLASSE.ods" || { echo "bench.sh : conversion en .ods impossible" >&2; exit 1; }
  fi
  : > "$travail/menu"; : > "$travail/classe"; : > "$travail/calc"
  for ((i = 1; i <= tours; i++)); do
    # Interleaved: each program meets the same state of the machine.
    $mesure -n 1 -- "$bin/vestrel" | awk '{ print $4 }' >> "$travail/menu" || true
    # Each program is ended by a signal, which leaves the class locked as a
    # crash would; a class a teacher opens is not locked.
    rm -f "$bin/CLASSE.VTC.lock"
    $mesure -n 1 -- "$bin/vestrel" CLASSE.VTC | awk '{ print $4 }' >> "$travail/classe" || true
    if [ "$calc" = 1 ]; then
      # A fresh profile every time, as on a first start, and a fresh copy of
      # the file: the killed Calc leaves its lock beside the last one.
      mkdir -p "$travail/tour-$i"
      cp "$travail/CLASSE.ods" "$travail/tour-$i/"
      $mesure -n 1 -t 60 -- soffice --calc --norestore --nologo \
        -env:UserInstallation="file://$travail/tour-$i/profil" "$travail/tour-$i/CLASSE.ods" | awk '{ print $4 }' >> "$travail/calc" || true
    fi
  done
  m=$(mediane < "$travail/menu"); c=$(mediane < "$travail/classe")
  echo "fenêtre achevée à l'écran, médiane de $tours lancements (charge : $(cut -d' ' -f1-3 /proc/loadavg)) :"
  echo "  vestrel (menu principal)            : $m ms (min $(sort -n "$travail/menu" | head -1), max $(sort -n "$travail/menu" | tail -1)) objectif ≤ 40 ms"
  echo "  vestrel CLASSE.VTC (saisie, 127 él.) : $c ms (min $(sort -n "$travail/classe" | head -1), max $(sort -n "$travail/classe" | tail -1)) objectif ≤ 50 ms"
  if [ "$calc" = 1 ]; then
    k=$(mediane < "$travail/calc")
    echo "  LibreOffice Calc CLASSE.ods          : $k ms (min $(sort -n "$travail/calc" | head -1), max $(sort -n "$travail/calc" | tail -1))"
    awk -v k="$k" -v c="$c" 'BEGIN { printf "  rapport Calc / vestrel CLASSE.VTC   : %.1f (objectif ≥ 30)\n", k / c }'
  fi
  exit 0
fi

# --- Build -------------------------------------------------------------------
./scripts/setup.sh
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
# The start-up measure reads the window through DAMAGE and MIT-SHM.
if ! dpkg -s libxdamage-dev libxext-dev > /dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends libxdamage-dev libxext-dev
fi
if ! command -v dbus-run-session > /dev/null; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends dbus-daemon
fi
if [ "$calc" = 1 ] && ! command -v soffice > /dev/null; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends libreoffice-calc
fi
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Same Release build as the run command.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cibles=(vestrel premiere_image classe_pleine)
[ "$seulDemarrage" = 1 ] || cibles+=(bench_core bench_rapports bench_noteform bench_expert)
cmake --build build -j "$(nproc)" --target "${cibles[@]}"

# The README gives each figure with the load it was measured under.
charge() { echo "(charge : $(cut -d' ' -f1-3 /proc/loadavg))"; }
if [ "$seulDemarrage" = 0 ]; then
  echo "== Class file and averages $(charge)";       ./build/bench/bench_core
  echo "== Reports $(charge)";                       ./build/bench/bench_rapports
  echo "== Mark-entry window $(charge)";             QT_QPA_PLATFORM=offscreen ./build/bench/bench_noteform
  echo "== Appreciation expert, mark text $(charge)"; QT_QPA_PLATFORM=offscreen ./build/bench/bench_expert
fi
echo "== Start-up, from the outside (Xvfb)"
args=(--dans-xvfb)
[ "$calc" = 1 ] && args+=(--calc)
# A display number of its own: other X servers may start and stop meanwhile.
# A session bus, as on a desktop: without one, each program looks for a way
# to launch one.
xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "${args[@]}"
