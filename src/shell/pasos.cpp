#include "shell/pasos.h"

#include "shell/Form1.h"

namespace renglero {

namespace {

bool esCifra(const std::string& t) {
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9';
}

bool deNumero(const std::string& t) {
    return esCifra(t) || t == ",";
}

// The column of the layout's vertical bar: the division's, the root's, the
// decomposition's; -1 for the rest.
int columnaBarra(const Form1& f) {
    if (f.operacion == "|") return f.colDivisor;
    if (f.operacion == "R") return f.colRaiz;
    if (f.operacion == "D") return f.colFactores;
    return -1;
}

// What stands on the layout's first row, left and right of the bar.
std::string primeraFila(const Form1& f, bool derecha) {
    if (f.operacion == "|") return derecha ? "el divisor" : "el dividendo";
    if (f.operacion == "R") return derecha ? "la raíz" : "el radicando";
    if (f.operacion == "D") return derecha ? "los factores" : "el número";
    return "";
}

// The figure a division brings down: the dividend's in the cursor's column.
std::string bajada(const Form1& f, int col) {
    const std::string& cifra = f.tabla.TextMatrix(1, col);
    if (col < f.colDivisor && esCifra(cifra)) return "Baja el " + cifra;
    return "No quedan cifras que bajar";
}

} // namespace

std::string loQueHayEncima(const Form1& f, int fila, int col) {
    const Cuadricula& t = f.tabla;
    if (col < 0 || col >= t.Cols()) return "";
    const int barra = columnaBarra(f);
    for (int r = std::min(fila, t.Rows()) - 1; r >= 0; --r) {
        if (!deNumero(t.TextMatrix(r, col))) continue;
        if (r == 1 && barra >= 0) return primeraFila(f, col > barra);
        int desde = col, hasta = col;
        while (desde > 0 && deNumero(t.TextMatrix(r, desde - 1)))
            --desde;
        while (hasta + 1 < t.Cols() && deNumero(t.TextMatrix(r, hasta + 1)))
            ++hasta;
        std::string numero;
        for (int c = desde; c <= hasta; ++c)
            numero += t.TextMatrix(r, c);
        return "el " + numero;
    }
    return "";
}

std::string nombrePaso(const Form1& f, const Paso& p) {
    const int barra = columnaBarra(f);
    if (barra < 0) return "";
    auto bajo = [&](const char* que) {
        const std::string encima = loQueHayEncima(f, p.fila, p.col);
        return encima.empty() ? std::string(que) : std::string(que) + " bajo " + encima;
    };
    // A step that stays on its row and goes right, left of the bar, brings
    // down what comes next.
    const bool bajando = p.fila == p.filaAntes && p.col > p.colAntes && p.colAntes < barra;
    if (f.operacion == "|") {
        if (p.col > barra) return "Siguiente cifra del cociente";
        if (bajando) return bajada(f, p.col);
        return bajo("Resto");
    }
    if (f.operacion == "R") {
        if (p.col > barra) {
            if (p.fila == 1)
                return f.tabla.escrita(p.fila, p.col) ? "En la raíz" : "Siguiente cifra de la raíz";
            return bajo("Cálculo al lado de la barra");
        }
        if (bajando) return "Baja las dos cifras siguientes";
        return bajo("Resto");
    }
    if (p.col > barra) return "Siguiente factor primo";
    return bajo("Cociente");
}

} // namespace renglero
