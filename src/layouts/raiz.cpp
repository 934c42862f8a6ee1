// Square root: the radical sign over the radicand, the bar, and Enter through
// the root's figures, the subtractions under the radicand and the side
// calculations right of the bar.
#include "layouts/disposicion.h"

namespace renglero {

using namespace disposicion;

namespace disposicion {

// The root's first figure goes one column right of the bar.
bool cabeRaiz(const std::string& radicando, int filas, int cols) {
    const int L = static_cast<int>(radicando.size());
    return L + 5 <= cols - 1 && filas >= 4;
}

void disponerRaiz(Form1& f, const std::string& radicando) {
    const int L = static_cast<int>(radicando.size());
    for (int col = 3; col <= L + 3; ++col)
        poner(f, 0, col, "_");
    poner(f, 1, 1, "\\");
    poner(f, 1, 2, "/");
    for (int j = 0; j < L; ++j)
        poner(f, 1, 3 + j, std::string(1, radicando[j]));
    for (int fila = 1; fila <= 3; ++fila)
        poner(f, fila, L + 4, "|");
    f.colRaiz = L + 4;
    // Right of the bar the cell-entry rule turns the direction rightwards.
    irA(f, 1, L + 5);
}

} // namespace disposicion

void Form1::cambiarraiz() {
    const int B = colRaiz;
    const int fila = tabla.Row(), col = tabla.Col();
    const int N = tabla.Rows(), C = tabla.Cols();
    try {
        if (col > B && fila == 1) {
            // A figure of the root has just been written.
            int cifras = 0;
            for (int c = B + 1; c <= C - 1; ++c)
                if (!esBlanco(tabla.TextMatrix(1, c))) ++cifras;
            if (cifras == 1) {
                irA(*this, 2, 4);
                ponerIzquierda(*this);
                return;
            }
            for (int r = 2; r <= N - 1; ++r)
                if (!esBlanco(tabla.TextMatrix(r, B + 1))) {
                    irA(*this, r, B + 1);
                    break;
                }
            // The bar grows down with the side calculations.
            if (esBlanco(tabla.TextMatrix(tabla.Row(), B)))
                tabla.setTextMatrix(tabla.Row(), B, "|");
            ponerDerecha(*this);
            return;
        }
        if (col <= B && fila >= 2) {
            // Under the radicand.
            if (esBlanco(tabla.TextMatrix(fila, col - 1))) {
                // Written leftwards: the next figures come down right of them.
                for (int c = B - 1; c >= col; --c)
                    if (!esBlanco(tabla.TextMatrix(fila, c))) {
                        tabla.setCol(c + 1);
                        ponerDerecha(*this);
                        return;
                    }
                return;
            }
            if (fila >= 3) tabla.setRow(1);
            for (int c = B + 1; c <= C - 1; ++c)
                if (!esBlanco(tabla.TextMatrix(tabla.Row(), c))) {
                    tabla.setCol(c);
                    break;
                }
            ponerDerecha(*this);
            return;
        }
        if (col > B) {
            // In the side calculations: under the lowest line written left of
            // the bar, at its rightmost figure.
            tabla.Redraw = false;
            int ultimaFila = -1, ultimaCol = -1;
            for (int r = 1; r <= N - 1; ++r)
                for (int c = 0; c <= B - 1 && c < C; ++c)
                    if (!esBlanco(tabla.TextMatrix(r, c))) {
                        ultimaFila = r;
                        ultimaCol = c;
                    }
            if (ultimaFila >= 0) irA(*this, ultimaFila + 1, ultimaCol);
            tabla.Redraw = true;
            ponerIzquierda(*this);
        }
    } catch (const ErrorCuadricula&) {
        // A fault ends the procedure.
        tabla.Redraw = true;
    }
}

} // namespace renglero
