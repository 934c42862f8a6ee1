#!/usr/bin/env bash
# `cpack -G DEB` builds a Debian package whose control data names what the
# program needs at run time, and which holds the installed files.
# Usage: paquete.sh CARPETA_DE_COMPILACION CARPETA_DEL_PAQUETE ID
set -u
compilacion="$1" salida="$2" id="$3"
source "$(dirname "$0")/../x11/pantalla.sh"
necesita cpack dpkg-deb dpkg-shlibdeps
fallo() { echo "FALLO: $*"; exit 1; }

rm -rf "$salida"
(cd "$compilacion" && cpack -G DEB -B "$salida" --config CPackConfig.cmake) >"$salida.log" 2>&1 ||
  { cat "$salida.log"; fallo "cpack -G DEB"; }
paquetes=("$salida"/renglero_*.deb)
[ -f "${paquetes[0]}" ] || fallo "no hay paquete en $salida"
deb="${paquetes[0]}"
dpkg-deb -I "$deb"

campo() { dpkg-deb -f "$deb" "$1"; }
[ "$(campo Package)" = renglero ] || fallo "Package: $(campo Package)"
[ "$(campo Section)" = education ] || fallo "Section: $(campo Section)"
# A field's entries, a line each: a dependency is named as the start of one.
entradas() { tr ',|' '\n\n' <<<"$1" | sed 's/^ *//'; }
nombra() { entradas "$2" | grep -q "^$3\( \|$\)" || fallo "$1 no nombra $3: $2"; }
depende=$(campo Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libzip4 libc6 \
  fonts-liberation qt6-translations-l10n; do
  nombra Depends "$depende" "$p"
done
recomienda=$(campo Recommends)
for p in libreoffice-writer libreoffice-gtk3 libreoffice-l10n-es hunspell-es fonts-freefont-ttf; do
  nombra Recommends "$recomienda" "$p"
done
# LibreOffice is recommended, never required.
entradas "$depende" | grep -q '^libreoffice' && fallo "Depends exige LibreOffice: $depende"

contenido=$(dpkg-deb -c "$deb")
for archivo in ./usr/bin/renglero "./usr/share/applications/$id.desktop" \
  "./usr/share/icons/hicolor/scalable/apps/$id.svg" "./usr/share/metainfo/$id.metainfo.xml" \
  ./usr/share/doc/renglero/README.md; do
  grep -q " $archivo\$" <<<"$contenido" || fallo "el paquete no tiene $archivo"
done
echo "paquete correcto: $deb"
