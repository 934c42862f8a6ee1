#!/usr/bin/env bash
# Starts two scenario runners at once through the executable, N times over
# (20 unless given), and counts the rounds in which either failed. Both run
# every scenario on the embedded document; with `writer`, the second runs
# Writer's scenarios on Writer instead, as `ctest -j` may run it beside the
# first.
# Usage: tests/escenarios_a_la_vez.sh BUILD_FOLDER [N] [writer]
set -uo pipefail
build="$(cd "${1:?build folder}" && pwd)"
veces="${2:-20}"
escenarios="$build/tests/escenarios"
registro="$(mktemp -d /tmp/renglero-a-la-vez-XXXXXX)"
trap 'rm -rf "$registro"' EXIT
export RENGLERO_BINARIO="$build/renglero"
segundo=()
if [[ "${3:-}" == writer ]]; then
    segundo=(env RENGLERO_DOCUMENTO=writer 'RENGLERO_FILTRO=^(enviar|tablas|ancho_pagina)')
fi

fallos=0
for ((i = 1; i <= veces; i++)); do
    "$escenarios" >"$registro/primero" 2>&1 &
    primero=$!
    "${segundo[@]}" "$escenarios" >"$registro/segundo" 2>&1 &
    otro=$!
    ronda=0
    wait "$primero" || ronda=1
    wait "$otro" || ronda=1
    if ((ronda)); then
        fallos=$((fallos + 1))
        echo "ronda $i: falló"
        grep -h -A3 "Failure" "$registro"/* | head -12
    fi
done
echo "$fallos rondas fallidas de $veces"
((fallos == 0))
