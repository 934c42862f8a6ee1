// Addition and subtraction: operands aligned on their units and commas, the
// sign, the rule, and the sign of a negative difference.
#include "layouts/disposicion.h"

namespace renglero::disposicion {

// The rule runs two columns left of the widest operand (a carry and the
// sign) and the result row lies under it.
bool cabeSuma(const Operandos& o, int filas, int cols) {
    const int izquierda = cols - 4 - o.anchoDecimal - o.anchoEntera;
    return izquierda >= 0 && o.ultimo + 3 <= filas - 1;
}

void disponerSuma(Form1& f, const Operandos& o) {
    const int C = f.tabla.Cols();
    const int D = o.anchoDecimal, E = o.anchoEntera;
    const int n = o.ultimo;
    bool hayDecimales = false;
    for (int i = 0; i <= n; ++i) {
        const int fila = i + 1;
        std::string decimal = o.decimales[i];
        decimal.resize(D, ' ');
        int col = C - 2;
        for (int j = D - 1; j >= 0; --j)
            poner(f, fila, col--, std::string(1, decimal[j]));
        const bool coma = decimal.find_first_not_of(' ') != std::string::npos;
        hayDecimales = hayDecimales || coma;
        poner(f, fila, col--, coma ? "," : kBlanco);
        const std::string& entera = o.enteras[i];
        for (int j = static_cast<int>(entera.size()) - 1; j >= 0; --j)
            poner(f, fila, col--, std::string(1, entera[j]));
    }
    for (int col = C - 2; col >= C - 4 - D - E; --col)
        poner(f, n + 2, col, kRaya);
    poner(f, n + 1, C - 4 - D - E, f.operacion == "+" ? "+" : "-");
    if (o.negativa) poner(f, n + 3, C - 3 - D - E, "-");
    irA(f, n + 3, hayDecimales ? C - 2 : C - 3);
    if (f.sentido == "d") f.cambiarsentido();
}

} // namespace renglero::disposicion
