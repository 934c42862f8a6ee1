#!/usr/bin/env bash
# Start-up of the real program, from exec to its window shown on an X server
# (Xvfb), median of several runs. Usage: arranque_x11.sh RENGLERO [VECES]
set -u
renglero="$1"
veces="${2:-9}"
for orden in Xvfb xdotool xprop; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 0; }
done
pantalla=":$((190 + RANDOM % 50))"
Xvfb "$pantalla" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pid_x=$!
trap 'kill $pid_x 2>/dev/null' EXIT
export DISPLAY="$pantalla"
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
tiempos=()
for _ in $(seq "$veces"); do
  inicio=$(date +%s%N)
  "$renglero" --documento propio >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '^Renglero  -' >/dev/null 2>&1; do sleep 0.005; done
  fin=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null
  tiempos+=($(((fin - inicio) / 1000000)))
done
mediana=$(printf '%s\n' "${tiempos[@]}" | sort -n | sed -n "$(((veces + 1) / 2))p")
echo "arranque hasta la ventana visible: mediana ${mediana} ms (${tiempos[*]})"
