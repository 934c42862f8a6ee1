#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the
# notebook need, only those that are missing. Idempotent.
set -euo pipefail

paquetes=(
  build-essential cmake pkg-config ninja-build ccache lld
  qt6-base-dev libgl-dev
  nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  libzip-dev libx11-dev
  xvfb openbox xdotool x11-utils imagemagick jq
  # the window managers of the desktop tests: Xfce, MATE, GNOME (Xorg, Wayland), Plasma
  xfwm4 marco mate-settings-daemon-common gnome-shell kwin-x11
  libreoffice-writer libreoffice-gtk3 libreoffice-dev
  libreoffice-l10n-es hunspell-es fonts-freefont-ttf
  qt6-translations-l10n xdg-user-dirs
  desktop-file-utils appstream dpkg-dev file
  xwayland qt6-wayland
  dbus dbus-x11 at-spi2-core python3-pyatspi qt6-gtk-platformtheme x11-xkb-utils
  orca clang-format
)

# One query for them all: the installed ones, by name.
mapfile -t instalados < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${paquetes[@]}" 2>/dev/null |
  awk '$1 == "ii" { print $2 }')
faltan=()
for p in "${paquetes[@]}"; do
  [[ " ${instalados[*]} " == *" $p "* ]] || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

como=()
[ "$(id -u)" -ne 0 ] && como=(sudo)
echo "Instalando: ${faltan[*]}"
"${como[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${como[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
