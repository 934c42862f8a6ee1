#!/usr/bin/env bash
# Checks of the source tree that need no build: every C++ file is formatted
# as .clang-format says, and no file outside the doors includes a Qt, X11 or
# UNO header, nor a door's own header.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
fallos=0

# The project's C++ files: those git tracks, or every one outside build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t fuentes < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t fuentes < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
fi
if ! clang-format --dry-run --Werror "${fuentes[@]}"; then
  echo "Sin formato: clang-format -i sobre los archivos nombrados." >&2
  fallos=1
fi

# The doors and the program around them may include toolkits; nothing else.
puertas='^(src/(qt|headless|propio|writer|programa)/|src/main\.cpp$|tests/|bench/)'
cabeceras='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((Q|Qt)[A-Za-z]*|X11/|com/sun/star/|cppu/|cppuhelper/|rtl/|osl/|sal/|uno/|(qt|headless|propio|writer|programa)/)'
fuera=0
while IFS= read -r archivo; do
  if [[ ! "$archivo" =~ $puertas ]] && grep -EHn "$cabeceras" "$archivo" >&2; then
    fuera=1
  fi
done < <(printf '%s\n' "${fuentes[@]}")
if ((fuera)); then
  echo "Una cabecera de puerta fuera de las puertas (arriba)." >&2
  fallos=1
fi
exit "$fallos"
