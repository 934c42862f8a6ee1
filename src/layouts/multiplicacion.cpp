// Multiplication: the layout with the longer factor on top, the rule under
// the partial products (keypad + again), and Enter to the next partial
// product.
#include <algorithm>

#include "layouts/disposicion.h"

namespace renglero {

using namespace disposicion;

namespace disposicion {

// The rule reaches two columns left of the top factor; the first partial
// product goes on row 4.
bool cabeMultiplicacion(const std::string& a, const std::string& b, int filas, int cols) {
    const int largo = static_cast<int>(std::max(a.size(), b.size()));
    return cols - 4 - largo >= 0 && filas >= 5;
}

void disponerMultiplicacion(Form1& f, const std::string& a, const std::string& b) {
    const int C = f.tabla.Cols();
    const int largoA = static_cast<int>(a.size()), largoB = static_cast<int>(b.size());
    // Both factors end in column C - 3; a comma takes a cell like a digit.
    for (int j = 0; j < largoA; ++j)
        poner(f, 1, C - 2 - largoA + j, std::string(1, a[j]));
    for (int j = 0; j < largoB; ++j)
        poner(f, 2, C - 2 - largoB + j, std::string(1, b[j]));
    poner(f, 2, C - 3 - largoA, kPor);
    for (int col = C - 4 - largoA; col <= C - 2; ++col)
        poner(f, 3, col, kRaya);
    irA(f, 4, C - 3);
    f.pasoMultiplicacion = 1;
    f.largoMultiplicando = largoA;
    f.largoMultiplicador = largoB;
    if (f.sentido == "d") f.cambiarsentido();
}

void etapaSuma(Form1& f) {
    f.pasoMultiplicacion = f.pasoMultiplicacion + 1;
    // Only the first request after the layout draws the rule.
    if (f.pasoMultiplicacion > 2) {
        f.Mensa.Caption.clear();
        return;
    }
    Cuadricula& t = f.tabla;
    const int C = t.Cols(), N = t.Rows();
    t.Redraw = false;
    try {
        int ancho = 0;
        for (int r = 4; r <= N - 2; ++r) {
            std::string texto;
            for (int c = 0; c < C; ++c)
                texto += t.TextMatrix(r, c);
            const auto inicio = texto.find_first_not_of(' ');
            const auto fin = texto.find_last_not_of(' ');
            const int largo = inicio == std::string::npos ? 0 : static_cast<int>(fin - inicio + 1);
            // Each partial product ends one column further left than the one above.
            if (largo + (r - 4) > ancho) ancho = largo + (r - 4);
            if (largo == 0) {
                t.setRow(r);
                break;
            }
        }
        if (ancho + 3 > C) ancho = C - 3;
        for (int col = C - ancho - 3; col <= C - 2; ++col)
            poner(f, t.Row(), col, kRaya);
        irA(f, t.Row() + 1, C - 3);
    } catch (const ErrorCuadricula&) {
        // A fault abandons the stage where it stands.
    }
    t.Redraw = true;
    f.Mensa.Caption.clear();
}

} // namespace disposicion

void Form1::cambiarmulti() {
    if (tabla.Row() < 4) return;
    int finAnterior = tabla.Col();
    tabla.Redraw = false;
    try {
        for (int r = 4; r <= tabla.Rows() - 1; ++r) {
            tabla.setRow(r);
            int ultima = -1;
            for (int c = tabla.Cols() - 1; c >= 0 && ultima < 0; --c)
                if (!esBlanco(tabla.TextMatrix(r, c))) ultima = c;
            // The first empty row is where the next partial product goes.
            if (ultima < 0) break;
            finAnterior = ultima;
        }
        tabla.setCol(finAnterior - 1);
    } catch (const ErrorCuadricula&) {
        // A partial product reaching column 0: the cursor stays in its row.
    }
    tabla.Redraw = true;
}

} // namespace renglero
