#pragma once
// What an Enter step of a laid-out operation is called, told by where the
// cursor stands after it: right of a division's bar it is the quotient, under
// the dividend a remainder, a figure brought down on the same row; a root's
// and a decomposition's sides likewise. The notebook computes nothing: it
// names the place and reads what is written above it.
#include <string>

namespace renglero {

class Form1;

// The cursor's place before and after the step.
struct Paso {
    int filaAntes = 0, colAntes = 0;
    int fila = 0, col = 0;
};

// "Siguiente cifra del cociente", "Resto bajo el 15", "Baja el 6", ...; empty
// when the operation has no name for the step.
std::string nombrePaso(const Form1& f, const Paso& p);

// The number written nearest above (fila, col) in its column, as a pupil
// names it: "el dividendo", "el radicando", "la raíz" on the layout's first
// row, else "el 15"; empty when nothing is written above.
std::string loQueHayEncima(const Form1& f, int fila, int col);

} // namespace renglero
