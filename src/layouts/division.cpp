// Long division: the layout with the bar and the rule over the quotient, and
// Enter between the quotient and the working area under the dividend.
#include "layouts/disposicion.h"

namespace renglero {

using namespace disposicion;

namespace disposicion {

// Dividend, three free columns, the bar, the divisor and one more rule
// stroke; the quotient goes on row 3.
bool cabeDivision(const std::string& a, const std::string& b, int filas, int cols) {
    const int ultima = static_cast<int>(a.size() + b.size()) + 5;
    return ultima <= cols - 1 && filas >= 4;
}

void disponerDivision(Form1& f, const Operandos& o, const std::string& a, const std::string& b) {
    const int largoA = static_cast<int>(a.size()), largoB = static_cast<int>(b.size());
    f.colDivisor = 0;
    irA(f, 1, 1);
    for (int j = 0; j < largoA; ++j)
        poner(f, 1, 1 + j, std::string(1, a[j]));
    f.colDivisor = largoA + 4;
    poner(f, 1, f.colDivisor, "|");
    for (int j = 0; j < largoB; ++j)
        poner(f, 1, f.colDivisor + 1 + j, std::string(1, b[j]));
    for (int col = f.colDivisor; col <= f.colDivisor + largoB + 1; ++col)
        poner(f, 2, col, kRaya);
    irA(f, 3, f.colDivisor + 1);
    if (f.sentido == "i") f.cambiarsentido();
    f.cifrasDivisor = static_cast<int>(o.enteras[1].size() + o.decimales[1].size());
}

} // namespace disposicion

namespace {

// A cell beyond the grid's edge holds nothing.
bool blancaOFuera(const Cuadricula& t, int fila, int col) {
    if (fila < 0 || fila >= t.Rows() || col < 0 || col >= t.Cols()) return true;
    return esBlanco(t.TextMatrix(fila, col));
}

} // namespace

void Form1::cambiardivi() {
    const int antes = bajando;
    bajando = antes == 0 ? 1 : 0;
    if (antes == 0) {
        // From the quotient down to the first free line of the working area.
        tabla.Redraw = false;
        const int N = tabla.Rows(), C = tabla.Cols();
        int fila = N - 1;
        for (int r = 2; r <= N - 1; ++r) {
            const int hasta = r <= 3 ? std::min(colDivisor, C) : C;
            bool libre = true;
            for (int c = 0; c < hasta && libre; ++c)
                libre = esBlanco(tabla.TextMatrix(r, c));
            if (libre) {
                fila = r;
                break;
            }
        }
        int col = C - 1;
        if (fila == 2) {
            col = cifrasDivisor + 1;
        } else {
            // Under the last figure of the first run of figures of the line above.
            int c = 1;
            while (c < C && esBlanco(tabla.TextMatrix(fila - 1, c)))
                ++c;
            while (c < C && !esBlanco(tabla.TextMatrix(fila - 1, c)))
                ++c;
            if (c > 1 && c < C && !esBlanco(tabla.TextMatrix(fila - 1, c - 1))) col = c - 1;
        }
        try {
            irA(*this, fila, col);
        } catch (const ErrorCuadricula&) {
            // A divisor longer than the grid allows leaves the cursor in its row.
        }
        tabla.Redraw = true;
        return;
    }
    // The pupil ends a piece of work in the working area.
    const int fila = tabla.Row(), col = tabla.Col();
    if (col == 0) {
        bajarnumero();
        return;
    }
    if (blancaOFuera(tabla, fila, col - 1) && !blancaOFuera(tabla, fila, col + 1)) {
        // A figure just written, and the next one of the dividend to bring down.
        tabla.setCol(col + 1);
        bajarnumero();
        return;
    }
    // Back to the first free place of the quotient.
    tabla.Redraw = false;
    tabla.setRow(3);
    int libre = tabla.Cols() - 1;
    for (int c = colDivisor + 1; c <= tabla.Cols() - 1; ++c)
        if (esBlanco(tabla.TextMatrix(3, c))) {
            libre = c;
            break;
        }
    tabla.setCol(libre);
    ponerraya();
    tabla.Redraw = true;
}

void Form1::bajarnumero() {
    const int recordada = tabla.Col() + 1;
    tabla.Redraw = false;
    bajando = 1;
    try {
        // Left of the bar in the rows of the dividend, the whole row below.
        const int limite = tabla.Row() < 4 ? colDivisor - 1 : tabla.Cols() - 1;
        bool hayCifras = false;
        for (int c = recordada; c <= limite; ++c) {
            tabla.setCol(c);
            const std::string& texto = tabla.Text();
            if (esBlanco(texto)) {
                if (hayCifras) break;
            } else if (texto != kRaya) {
                hayCifras = true;
            }
        }
        if (!hayCifras) tabla.setCol(recordada);
        // assign(1, ...) rather than a literal: GCC 12 warns falsely on the latter.
        sentido.assign(1, 'd');
        cambiarsentido();
    } catch (const ErrorCuadricula&) {
        // A fault ends the procedure where it stands.
    }
    tabla.Redraw = true;
}

} // namespace renglero
