// Decomposition into prime factors: the number, the bar, and Enter between
// the prime factors right of the bar and the quotients left of it.
#include "layouts/disposicion.h"

namespace renglero {

using namespace disposicion;

namespace disposicion {

// The first prime factor goes two columns right of the bar.
bool cabeFactores(const std::string& numero, int filas, int cols) {
    const int L = static_cast<int>(numero.size());
    return L + 7 <= cols - 1 && filas >= 5;
}

void disponerFactores(Form1& f, const std::string& numero) {
    const int L = static_cast<int>(numero.size());
    for (int j = 0; j < L; ++j)
        poner(f, 1, 2 + j, std::string(1, numero[j]));
    for (int fila = 1; fila <= 4; ++fila)
        poner(f, fila, L + 5, "|");
    f.colFactores = L + 5;
    irA(f, 1, L + 7);
    if (f.sentido == "i") f.cambiarsentido();
}

} // namespace disposicion

void Form1::cambiardes() {
    const int F = colFactores;
    const int N = tabla.Rows();
    if (tabla.Col() > F) {
        // A prime factor has just been written: under the first figure of
        // the last quotient, for the next one.
        for (int r = 1; r <= N - 1; ++r)
            for (int c = F - 1; c >= 0; --c)
                if (!esBlanco(tabla.TextMatrix(r, c))) {
                    datosDescompos.fila = r;
                    datosDescompos.columna = c;
                }
        tabla.setCol(datosDescompos.columna);
        if (datosDescompos.fila + 1 < N) tabla.setRow(datosDescompos.fila + 1);
        tabla.setTextMatrix(tabla.Row(), F, "|");
        return;
    }
    // A quotient has just been written: its prime factor goes right of the bar.
    tabla.setCol(F + 2);
    if (datosDescompos.fila + 1 < N) tabla.setRow(datosDescompos.fila + 1);
}

} // namespace renglero
