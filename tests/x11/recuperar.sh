#!/usr/bin/env bash
# The real notebook with its own document on a desktop of its own: what the
# pupil wrote (the grid with the operation half done, the document) comes
# back after SIGKILL, after SIGTERM and after the X server went away, equal
# cell for cell and character for character (the copy the restored notebook
# writes at once is compared with the one the gone notebook left); after
# Pausa, Pausa nothing is left to offer.
# Usage: recuperar.sh RENGLERO
set -u
renglero="$1"
source "$(dirname "$0")/escritorio.sh"
for orden in Xvfb openbox xdotool xprop python3; do
  command -v "$orden" >/dev/null || { echo "falta $orden"; exit 77; }
done

# The recovery folder outlives each desktop: the X server goes away in one
# of the cases and the next notebook starts on a new desktop.
estado=$(mktemp -d /tmp/renglero-estado.XXXXXX)
export ESCRITORIO_ESTADO="$estado"
carpeta="$estado/renglero/recuperacion"
terminar() {
  escritorio_detener
  rm -rf "$estado"
}
fallo() {
  echo "FALLO: $*"
  terminar
  exit 1
}

# The parts of a copy: the notebook's state, content.xml, styles.xml, or the
# grid's rows as text.
partes() {
  python3 - "$@" <<'EOF'
import json, sys
datos = open(sys.argv[1], 'rb').read()
cabecera, resto = datos.split(b'\n', 1)
n = json.loads(cabecera)['tamanos']
cuaderno, contenido, estilos = resto[:n[0]], resto[n[0]:n[0] + n[1]], resto[n[0] + n[1]:]
if sys.argv[2] == 'filas':
    t = json.loads(cuaderno)['tabla']
    textos = [s.encode('latin-1').decode('cp1252', 'replace') for s in t['textos']]
    for f in range(t['filas']):
        print(''.join(textos[f * t['columnas']:(f + 1) * t['columnas']]))
else:
    sys.stdout.buffer.write({'cuaderno': cuaderno, 'contenido': contenido, 'estilos': estilos}[sys.argv[2]])
EOF
}
iguales() {
  local p
  for p in cuaderno contenido estilos; do
    cmp -s <(partes "$1" $p) <(partes "$2" $p) || { echo "# distinto: $p"; return 1; }
  done
}

ventana() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }
# The slot a notebook holds: the folder of the lock file it keeps open.
copia_de() {
  local f
  for f in /proc/"$1"/fd/*; do
    case "$(readlink "$f")" in */cerrojo) echo "$(dirname "$(readlink "$f")")/copia"; return 0 ;; esac
  done
  return 1
}
tiene() { [ -f "$1" ] && partes "$1" "$2" | grep -- "$3" >/dev/null; }
vivo() { kill -0 "$1" 2>/dev/null; }
muerto() { ! vivo "$1"; }
copias() { find "$carpeta" -name copia 2>/dev/null | wc -l; }

arrancar() {
  escritorio_lanzar "$renglero" --documento propio >/dev/null 2>&1
  pid=${ESCRITORIO_PIDS[-1]}
  esperar 20 ventana '^Renglero  -' >/dev/null || fallo "no aparece la ventana del cuaderno"
  cuaderno=$(ventana '^Renglero  -')
  esperar 20 ventana ' - Renglero$' >/dev/null || fallo "no aparece la ventana del documento"
  documento=$(ventana ' - Renglero$')
  esperar 10 copia_de "$pid" >/dev/null || fallo "el cuaderno no tiene ranura"
}
# Answers the offer with Sí (its default button) and waits for the copy the
# restored notebook writes at once.
recuperar_con_si() {
  esperar 20 ventana '^Renglero$' >/dev/null || fallo "no se ofrece recuperar el trabajo ($1)"
  local caja
  caja=$(ventana '^Renglero$')
  xdotool windowactivate --sync "$caja" 2>/dev/null
  xdotool key Return
  esperar 20 test -f "$(copia_de "$pid")" || fallo "el cuaderno recuperado no guarda su copia ($1)"
  iguales "$2" "$(copia_de "$pid")" || fallo "lo recuperado no es lo que había ($1)"
}

escritorio_arrancar || fallo "no arranca el escritorio"

# 125 x 37 laid out, the first figure of the result written, and two lines
# in the document.
arrancar
esperar 5 activa_es "$cuaderno" || fallo "el cuaderno no está activo al empezar"
xdotool type --delay 30 "125"
xdotool key Return
xdotool type --delay 30 "37"
xdotool key KP_Multiply
xdotool type "5"
xdotool windowactivate --sync "$documento" 2>/dev/null
xdotool type --delay 30 "Hola deberes"
copia=$(copia_de "$pid")
esperar 20 tiene "$copia" contenido "Hola deberes" || fallo "no se escribe la copia del documento"
esperar 10 tiene "$copia" filas "^ *5 *$" || fallo "no se escribe la copia de la cuadrícula"
cp "$copia" "$estado/antes_kill"

# SIGKILL: nothing runs; the last copy is what there is.
kill -9 "$pid"
esperar 10 muerto "$pid" || fallo "SIGKILL no termina el cuaderno"
arrancar
recuperar_con_si "SIGKILL" "$estado/antes_kill"
[ "$(copias)" -eq 1 ] || fallo "la copia del cuaderno muerto sigue ahí"

# SIGTERM: the notebook writes its copy and ends by itself.
copia=$(copia_de "$pid")
kill -TERM "$pid"
esperar 10 muerto "$pid" || fallo "SIGTERM no termina el cuaderno"
cp "$copia" "$estado/antes_term"
arrancar
recuperar_con_si "SIGTERM" "$estado/antes_term"

# The X server goes away (a logout): the periodic copy survives. The next
# notebook starts on a new desktop.
copia=$(copia_de "$pid")
xdotool windowactivate --sync "$documento" 2>/dev/null
xdotool type --delay 30 " y manana"
esperar 20 tiene "$copia" contenido "manana" || fallo "no se escribe la copia antes de perder el servidor"
cp "$copia" "$estado/antes_x"
kill "$pid_xvfb"
esperar 10 muerto "$pid" || fallo "el cuaderno sigue sin servidor X"
escritorio_detener
escritorio_arrancar || fallo "no arranca el segundo escritorio"
arrancar
recuperar_con_si "servidor X" "$estado/antes_x"

# Pausa, Pausa: the pupil ends it; nothing is left to offer.
xdotool windowactivate --sync "$cuaderno" 2>/dev/null
xdotool key Pause
xdotool key Pause
# The recovered document has unsaved changes: the question to save them is
# answered No (Tab goes from Sí to No); Cancelar would keep the notebook.
pregunta() { [ "$(xdotool search --onlyvisible --name ' - Renglero$' 2>/dev/null | wc -l)" -ge 2 ]; }
esperar 10 sh -c "! kill -0 $pid 2>/dev/null || [ \$(xdotool search --onlyvisible --name ' - Renglero\$' 2>/dev/null | wc -l) -ge 2 ]"
vivo "$pid" && pregunta && xdotool key Tab space
esperar 10 muerto "$pid" || fallo "Pausa, Pausa no termina el cuaderno"
[ "$(copias)" -eq 0 ] || fallo "tras Pausa, Pausa queda una copia"
[ -z "$(ls -A "$carpeta")" ] || fallo "tras Pausa, Pausa queda una ranura"

terminar
echo "1 passed, 0 failed"
