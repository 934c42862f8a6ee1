// Laying out an operation from the typed numbers: reading them back, the
// checks, and the choice of layout; the rule over the quotient and the
// operation buttons.
#include <algorithm>
#include <utility>

#include "layouts/disposicion.h"

namespace renglero {

using namespace disposicion;

namespace {

// A number as a leading-number parser reads it: blanks skipped, an optional
// sign, digits, a point and digits; reading stops at anything else.
struct Decimal {
    bool negativo = false;
    std::string entera;  // without leading zeros
    std::string decimal; // without trailing zeros
};

Decimal leerDecimal(const std::string& texto) {
    Decimal d;
    std::size_t i = 0;
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t'))
        ++i;
    if (i < texto.size() && (texto[i] == '-' || texto[i] == '+')) d.negativo = texto[i++] == '-';
    auto digito = [&](std::size_t k) {
        return k < texto.size() && texto[k] >= '0' && texto[k] <= '9';
    };
    while (digito(i))
        d.entera += texto[i++];
    if (i < texto.size() && texto[i] == '.') {
        ++i;
        while (digito(i))
            d.decimal += texto[i++];
    }
    d.entera.erase(0, std::min(d.entera.find_first_not_of('0'), d.entera.size()));
    while (!d.decimal.empty() && d.decimal.back() == '0')
        d.decimal.pop_back();
    if (d.entera.empty() && d.decimal.empty()) d.negativo = false; // -0 is 0
    return d;
}

// Compared digit by digit, so that long numbers keep every figure.
int compararMagnitud(const Decimal& a, const Decimal& b) {
    if (a.entera.size() != b.entera.size()) return a.entera.size() < b.entera.size() ? -1 : 1;
    if (int c = a.entera.compare(b.entera); c != 0) return c < 0 ? -1 : 1;
    if (int c = a.decimal.compare(b.decimal); c != 0) return c < 0 ? -1 : 1;
    return 0;
}

int comparar(const Decimal& a, const Decimal& b) {
    if (a.negativo != b.negativo) return a.negativo ? -1 : 1;
    const int m = compararMagnitud(a, b);
    return a.negativo ? -m : m;
}

// Every number of the written area, one per row; a comma splits a number
// into its integer and decimal parts, blanks are dropped.
Operandos leerOperandos(Form1& f) {
    Operandos o;
    f.acotar();
    int k = 0;
    for (int fila = f.filaSuperior; fila <= f.filaInferior; ++fila) {
        if (static_cast<int>(o.enteras.size()) <= k) {
            o.enteras.resize(k + 1);
            o.decimales.resize(k + 1);
        }
        bool coma = false;
        for (int col = f.colIzquierda; col <= f.colDerecha; ++col) {
            const std::string& texto = f.tabla.TextMatrix(fila, col);
            if (texto == ",")
                coma = true;
            else if (texto != kBlanco)
                (coma ? o.decimales[k] : o.enteras[k]) += texto;
        }
        o.anchoDecimal = std::max(o.anchoDecimal, static_cast<int>(o.decimales[k].size()));
        o.anchoEntera = std::max(o.anchoEntera, static_cast<int>(o.enteras[k].size()));
        if (o.enteras[k].empty() && coma) o.enteras[k] = "0"; // ",5" is 0,5
        if (!o.enteras[k].empty()) ++k;
    }
    o.ultimo = k - 1;
    o.enteras.resize(k);
    o.decimales.resize(k);
    return o;
}

struct Aviso {
    const char* texto;
    const char* titulo; // empty: the program's title
};

// The first check the operands fail, or none.
const Aviso* comprobarOperandos(const std::string& op, const Operandos& o) {
    static const Aviso insuficientes{"Número de operandos insuficientes.", ""};
    static const Aviso incorrecto{"Número de operandos incorrecto.", ""};
    static const Aviso unoEntero{"Hay que introducir un solo número entero.",
                                 "Descomponer en factores"};
    static const Aviso uno{"Hay que introducir un solo número.", "Raíz cuadrada"};
    static const Aviso entero{"El número tiene que ser entero.", ""};
    const int n = o.ultimo;
    if (op != "R" && op != "D" && n < 1) return &insuficientes;
    if (op != "+" && n >= 2) return &incorrecto;
    if (op == "D" && n != 0) return &unoEntero;
    if (op == "R" && n != 0) return &uno;
    if (op == "D" && !o.decimales[0].empty()) return &entero;
    return nullptr;
}

// The factors of a multiplication, the longer on top.
std::pair<std::string, std::string> factores(const Operandos& o) {
    std::string a = o.conComa(0), b = o.conComa(1);
    if (a.size() < b.size()) std::swap(a, b);
    return {a, b};
}

// Whether the whole layout of the operation stands inside the grid; checked
// before the grid is cleared, so that the pupil's numbers are never lost.
bool cabe(const std::string& op, const Operandos& o, int filas, int cols) {
    if (op == "+" || op == "_") return cabeSuma(o, filas, cols);
    if (op == "X") {
        auto [a, b] = factores(o);
        return cabeMultiplicacion(a, b, filas, cols);
    }
    if (op == "|") return cabeDivision(o.conComa(0), o.conComa(1), filas, cols);
    if (op == "D") return cabeFactores(o.enteras[0], filas, cols);
    if (op == "R") return cabeRaiz(o.conComa(0), filas, cols);
    return false;
}

} // namespace

void Form1::raya() {
    // Keypad + again in a multiplication: the rule under the partial products.
    if (pasoMultiplicacion > 0) {
        etapaSuma(*this);
        return;
    }
    tabla.Redraw = false;
    try {
        Operandos o = leerOperandos(*this);
        irA(*this, 1, 3);

        const Aviso* aviso = comprobarOperandos(operacion, o);
        static const Aviso noCabe{"La operación no cabe en la tabla de <Renglero>.", ""};
        if (!aviso && !cabe(operacion, o, tabla.Rows(), tabla.Cols())) aviso = &noCabe;
        if (aviso) {
            mensaje(aviso->texto, aviso->titulo);
            tabla.Redraw = true;
            operacion.clear();
            // A message left in Mensa would swallow the pupil's next key.
            Mensa.Caption.clear();
            return;
        }

        if (operacion == "_") {
            const Decimal a = leerDecimal(o.enteras[0] + "." + o.decimales[0]);
            const Decimal b = leerDecimal(o.enteras[1] + "." + o.decimales[1]);
            if (comparar(b, a) > 0) {
                mensaje("El resultado de la resta es negativo. Se cambian los operandos para "
                        "hacer la operación.");
                std::swap(o.enteras[0], o.enteras[1]);
                std::swap(o.decimales[0], o.decimales[1]);
                o.negativa = true;
            }
        }
        tabla.Clear();
        rellenar();
        tabla.Redraw = false;

        if (operacion == "+" || operacion == "_") {
            disponerSuma(*this, o);
        } else if (operacion == "X") {
            auto [a, b] = factores(o);
            disponerMultiplicacion(*this, a, b);
        } else if (operacion == "|") {
            disponerDivision(*this, o, o.conComa(0), o.conComa(1));
        } else if (operacion == "D") {
            disponerFactores(*this, o.enteras[0]);
        } else if (operacion == "R") {
            disponerRaiz(*this, o.conComa(0));
        }
        if (modoTexto == 0) Frame5.Visible = false;
    } catch (const ErrorCuadricula&) {
        // A fault abandons the set-up where it stands.
    }
    tabla.Redraw = true;
    Mensa.Caption.clear();
}

void Form1::ponerraya() {
    if (bajando == 0 && tabla.Row() == 3 && operacion == "|") {
        // Through the cell, so that the stroke is drawn like the layout's own.
        tabla.setRow(2);
        tabla.setText(kRaya);
        tabla.setRow(3);
    }
}

// The option buttons of Frame5: + - x :
void Form1::clicOperarAhora(int indice) {
    if (indice < 0 || indice > 3) return;
    static const char* const operaciones[4] = {"+", "_", "X", "|"};
    anuncios.antes(*this);
    if (Frame1.Visible || !Mensa.Caption.empty()) {
        // A click while a prompt shows cancels it, as any key does, and
        // does nothing else; the next click lays the operation out.
        anularAviso();
    } else {
        operacion = operaciones[indice];
        raya();
        darFoco(Foco::tabla);
    }
    anuncios.despues(*this, 0);
}

void Form1::colocaroperadores() {
    Frame5.Top = tabla.Top;
    Frame5.Left = tabla.Left + tabla.Width - Frame5.Width;
}

} // namespace renglero
