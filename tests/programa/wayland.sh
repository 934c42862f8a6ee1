#!/usr/bin/env bash
# Weston with XWayland inside Xvfb, where Qt would take Wayland: the notebook runs on X11 all
# the same, its window an XWayland client, F11 read from X11's keyboard.
# Usage: wayland.sh RENGLERO
set -u
renglero="$1"
source "$(dirname "$0")/../x11/pantalla.sh"
necesita Xvfb weston Xwayland xdotool
# Without Qt's Wayland platform Qt would fall back to X11 by itself.
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "falta qt6-wayland"; exit 77; }

sesion=$(mktemp -d)
pid_xvfb="" pid_w="" pid_app=""
terminar() {
  for p in $pid_app $pid_w $pid_xvfb; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$sesion"
}
trap terminar EXIT
fallo() {
  echo "FALLO: $*"
  tail -n 20 "$sesion/weston.log" "$sesion/renglero.err" 2>/dev/null
  exit 1
}
arrancar_xvfb || fallo "Xvfb no arranca"

socket="renglero-$$"
XDG_RUNTIME_DIR="$sesion" weston --backend=x11-backend.so --use-pixman \
  --xwayland --socket="$socket" --idle-time=0 --log="$sesion/weston.log" >/dev/null 2>&1 &
pid_w=$!
esperar 30 grep -q 'xserver listening on display' "$sesion/weston.log" ||
  fallo "Weston no ofrece XWayland"
xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$sesion/weston.log" | head -1)

# A Plasma-like session: Qt 6 would choose Wayland here.
env -u QT_QPA_PLATFORM -u GNOME_DESKTOP_SESSION_ID -u XDG_STATE_HOME HOME="$sesion" XDG_RUNTIME_DIR="$sesion" \
  WAYLAND_DISPLAY="$socket" DISPLAY="$xwayland" XDG_SESSION_TYPE=wayland \
  XDG_CURRENT_DESKTOP=KDE QT_LOGGING_RULES="renglero.x11.debug=true" \
  "$renglero" --documento propio >/dev/null 2>"$sesion/renglero.err" &
pid_app=$!

ventana() { DISPLAY="$xwayland" xdotool search --name '^Renglero  -' >/dev/null 2>&1; }
esperar 60 ventana || fallo "la ventana del cuaderno no está en XWayland ($xwayland)"
kill -0 "$pid_app" 2>/dev/null || fallo "el cuaderno ha terminado"
grep -q 'renglero.x11: F11 se lee del teclado de X11' "$sesion/renglero.err" ||
  fallo "F11 no se lee de X11"
echo "el cuaderno va por XWayland en $xwayland"
