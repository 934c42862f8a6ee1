#!/usr/bin/env bash
# `cmake --install` into a staging folder puts the program, its menu entry,
# its icon, its AppStream description, the README and Orca's script for the
# notebook where Debian has them, and the desktop's validators accept them.
# Usage: instalar.sh CARPETA_DE_COMPILACION CARPETA_DE_ENSAYO ID
set -u
compilacion="$1" ensayo="$2" id="$3"
source "$(dirname "$0")/../x11/pantalla.sh"
necesita desktop-file-validate appstreamcli
fallo() { echo "FALLO: $*"; exit 1; }

rm -rf "$ensayo"
DESTDIR="$ensayo" cmake --install "$compilacion" --prefix /usr >/dev/null ||
  fallo "cmake --install"
raiz="$ensayo/usr"
escritorio="$raiz/share/applications/$id.desktop"
for archivo in bin/renglero "share/applications/$id.desktop" \
  "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" \
  share/doc/renglero/README.md lib/python3/dist-packages/orca/scripts/apps/Renglero.py; do
  [ -f "$raiz/$archivo" ] || fallo "no se ha instalado $archivo"
done

# The menu entry starts the installed program by name, with the installed
# icon, under Education and Math.
valor() { sed -n "s/^$1=//p" "$escritorio"; }
[ "$(valor Exec)" = renglero ] || fallo "Exec=$(valor Exec)"
[ "$(valor Icon)" = "$id" ] || fallo "Icon=$(valor Icon)"
case "$(valor Categories)" in *Education*Math*) ;; *) fallo "Categories=$(valor Categories)" ;; esac

desktop-file-validate "$escritorio" || fallo "desktop-file-validate"
appstreamcli validate --no-net "$raiz/share/metainfo/$id.metainfo.xml" || fallo "appstreamcli validate"
# The description, the menu entry and the icon belong together.
appstreamcli validate-tree --no-net "$ensayo" || fallo "appstreamcli validate-tree"

# The installed program runs by itself: its version without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$raiz/bin/renglero" --version) ||
  fallo "renglero --version"
grep -q "release version=\"${version#Renglero }\"" "$raiz/share/metainfo/$id.metainfo.xml" ||
  fallo "la versión del programa ($version) no es la de la descripción"
echo "instalación correcta"
