#!/usr/bin/env bash
# Start-up of the real program, from exec to its window shown on an X server
# (Xvfb), median of several runs. Usage: arranque_x11.sh RENGLERO [VECES]
set -u
renglero="$1"
veces="${2:-9}"
for orden in Xvfb xdotool; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 0; }
done
source "$(dirname "${BASH_SOURCE[0]}")/../tests/x11/pantalla.sh"
pid_xvfb=0
trap 'kill $pid_xvfb 2>/dev/null' EXIT
arrancar_xvfb || { echo "Xvfb no arranca"; exit 1; }

visible() { xdotool search --onlyvisible --name '^Renglero  -' >/dev/null 2>&1; }
# Fails when the program has ended, so that the wait stops at once.
visible_o_terminado() { visible || ! kill -0 "$pid" 2>/dev/null; }

tiempos=()
for _ in $(seq "$veces"); do
  inicio=$(date +%s%N)
  "$renglero" --documento propio >/dev/null 2>&1 &
  pid=$!
  # Polled often: the figure is no finer than the polling period.
  until visible_o_terminado; do
    [ $(($(date +%s%N) - inicio)) -lt 30000000000 ] || break
    sleep 0.005
  done
  fin=$(date +%s%N)
  visible || { echo "la ventana no aparece"; kill "$pid" 2>/dev/null; exit 1; }
  kill "$pid"; wait "$pid" 2>/dev/null
  tiempos+=($(((fin - inicio) / 1000000)))
done
mediana=$(printf '%s\n' "${tiempos[@]}" | sort -n | sed -n "$(((veces + 1) / 2))p")
echo "arranque hasta la ventana visible: mediana ${mediana} ms (${tiempos[*]})"
