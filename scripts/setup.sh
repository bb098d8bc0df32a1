#!/usr/bin/env bash
# Installs what Vestrel needs to build, test, package and run on Debian 12. Safe to run again.
# The desktop's validators (desktop-file-validate, appstreamcli, xmllint,
# update-mime-database) check the installed files in the test run;
# dpkg-shlibdeps and file let CPack compute the package's dependencies.
set -euo pipefail

paquets=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libfontconfig-dev
  qt6-qpa-plugins libqt6printsupport6
  xvfb xauth x11-apps imagemagick poppler-utils libx11-dev
  fonts-liberation fonts-dejavu-core
  desktop-file-utils xdg-utils
  appstream shared-mime-info libxml2-utils
  dpkg-dev file
)

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done

if [ ${#manquants[@]} -eq 0 ]; then
  echo "setup: tout est déjà installé."
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "setup: installation de ${manquants[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}"
