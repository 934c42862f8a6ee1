#!/usr/bin/env bash
# A typed digit to the repainted grid on a real X server, without and with the
# AT-SPI bridge and a listening client, in a D-Bus session of its own.
# Usage: accesible_x11.sh BENCH_ACCESIBLE
set -u
for orden in Xvfb dbus-run-session; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done
bench="$(realpath "$1")"
aqui="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${RENGLERO_DENTRO:-}" ]; then
  export RENGLERO_DENTRO=1 XDG_RUNTIME_DIR="$(mktemp -d)"
  exec dbus-run-session -- "$0" "$@"
fi
exec 3< <(Xvfb -displayfd 4 -noreset -screen 0 1280x800x24 -nolisten tcp 4>&1 2>/dev/null & echo "pid $!")
read -r -t 10 _ pid_x <&3 || { echo "Xvfb no arranca"; exit 1; }
read -r -t 20 pantalla <&3 || { kill "$pid_x"; echo "Xvfb no da su pantalla"; exit 1; }
trap 'kill "$pid_x" 2>/dev/null' EXIT
export DISPLAY=":$pantalla" QT_QPA_PLATFORM=xcb
echo "== sin accesibilidad"
"$bench" --benchmark_filter=Sin 2>&1 | grep -E "median|stddev"
echo "== con el puente AT-SPI y un cliente escuchando"
coproc ESCUCHA { /usr/bin/python3 "$aqui/escuchar_atspi.py"; }
read -r -t 20 listo <&"${ESCUCHA[0]}" || { echo "el cliente AT-SPI no arranca"; exit 1; }
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bench" --benchmark_filter=Con 2>&1 | grep -E "median|stddev|ERROR|rror"
exec {ESCUCHA[1]}>&-
wait "$ESCUCHA_PID" 2>/dev/null
