// Laying out an operation from the typed numbers.
#include "shell/Form1.h"

namespace renglero {

void Form1::raya() {
    // The layouts come with the arithmetic layouts' work; until then an
    // operation key leaves the pupil's numbers as they are.
    operacion.clear();
}

void Form1::ponerraya() {
    if (bajando == 0 && tabla.Row() == 3 && operacion == "|") {
        tabla.setTextMatrix(2, tabla.Col(), "\x97");
        tabla.setRow(3);
    }
}

// The option buttons of Frame5: + - x :
void Form1::clicOperar(int indice) {
    if (finalizado() || indice < 0 || indice > 3) return;
    static const char* const operaciones[4] = {"+", "_", "X", "|"};
    operacion = operaciones[indice];
    raya();
    darFoco(Foco::tabla);
}

void Form1::colocaroperadores() {
    Frame5.Top = tabla.Top;
    Frame5.Left = tabla.Left + tabla.Width - Frame5.Width;
}

} // namespace renglero
