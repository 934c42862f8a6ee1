#include "shell/anuncios.h"

#include <algorithm>

#include "grid/nombresCelda.h"
#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

// The chords of the screen reader's and the zoom's keys, Ctrl held: Ctrl
// chords do nothing else in the notebook.
constexpr int kTeclaOirColumna = teclaLetra('O');
constexpr int kTeclaRepetir = teclaLetra('U');

bool esDigito(const std::string& t) {
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9';
}

std::string sinSaltos(std::string t) {
    std::string r;
    for (char c : t) {
        if (c == '\r' || c == '\n') {
            if (!r.empty() && r.back() != ' ') r += ' ';
        } else {
            r += c;
        }
    }
    while (!r.empty() && r.back() == ' ')
        r.pop_back();
    return r;
}

void sumar(std::string& texto, const std::string& parte) {
    if (parte.empty()) return;
    if (!texto.empty()) texto += ' ';
    texto += parte;
}

std::string direccion(const std::string& sentido) {
    return sentido == "i" ? "de derecha a izquierda" : "de izquierda a derecha";
}

std::string nombreOperacion(const std::string& op) {
    if (op == "+") return "Suma preparada.";
    if (op == "_") return "Resta preparada.";
    if (op == "X") return "Multiplicación preparada.";
    if (op == "|") return "División preparada.";
    if (op == "D") return "Descomposición en factores preparada.";
    if (op == "R") return "Raíz cuadrada preparada.";
    return "";
}

// Where the units of a row's number stand between two columns: left of its
// comma, else its last figure; -1 when the row has none. `coma` tells which.
int unidadesDeFila(const Cuadricula& t, int fila, int desde, int hasta, bool& coma) {
    int ultima = -1;
    for (int c = std::max(desde, 0); c <= std::min(hasta, t.Cols() - 1); ++c) {
        const std::string& texto = t.TextMatrix(fila, c);
        if (texto == ",") {
            coma = true;
            return c - 1;
        }
        if (esDigito(texto)) ultima = c;
    }
    return ultima;
}

// The units column of the number the current column belongs to: the
// operands of an addition, subtraction or multiplication share it; a
// division's dividend and divisor, a root's radicand and a decomposed number
// have their own; with nothing laid out, the number of the current row.
int columnaUnidades(const Form1& f, bool& coma) {
    const Cuadricula& t = f.tabla;
    coma = false;
    if (t.Rows() < 2) return -1;
    const int col = t.Col();
    const std::string& op = f.operacion;
    if (op == "+" || op == "_" || op == "X") {
        int mejor = -1;
        for (int r = 0; r < t.Rows(); ++r) {
            bool raya = false;
            for (int c = 0; c < t.Cols() && !raya; ++c)
                raya = nombreHablado(t.TextMatrix(r, c)) == "raya";
            if (raya) break; // the operands end at the first rule line
            bool comaFila = false;
            const int u = unidadesDeFila(t, r, 0, t.Cols() - 1, comaFila);
            if (comaFila) {
                coma = true;
                return u;
            }
            mejor = std::max(mejor, u);
        }
        return mejor;
    }
    if (op == "|") {
        return col > f.colDivisor ? unidadesDeFila(t, 1, f.colDivisor + 1, t.Cols() - 1, coma)
                                  : unidadesDeFila(t, 1, 0, f.colDivisor - 1, coma);
    }
    if (op == "R" || op == "D") {
        int barra = t.Cols();
        for (int c = 0; c < t.Cols(); ++c)
            if (t.TextMatrix(1, c) == "|") {
                barra = c;
                break;
            }
        if (col >= barra) return -1;
        return unidadesDeFila(t, 1, 0, barra - 1, coma);
    }
    return unidadesDeFila(t, t.Row(), 0, t.Cols() - 1, coma);
}

} // namespace

std::string nombreOrden(int k, bool hayComa) {
    static const char* const enteros[] = {
        "unidades",           "decenas",           "centenas",
        "unidades de millar", "decenas de millar", "centenas de millar",
        "unidades de millón", "decenas de millón", "centenas de millón"};
    static const char* const decimales[] = {"décimas",       "centésimas",    "milésimas",
                                            "diezmilésimas", "cienmilésimas", "millonésimas"};
    if (k >= 0 && k < 9) return enteros[k];
    if (!hayComa || k > -2 || k < -7) return "";
    return decimales[-k - 2];
}

std::string Anuncios::lugar(const Form1& f) {
    return "fila " + std::to_string(f.tabla.Row() + 1) + ", columna " +
           std::to_string(f.tabla.Col() + 1);
}

std::string Anuncios::leerColumna(const Form1& f) {
    const Cuadricula& t = f.tabla;
    const int col = t.Col();
    std::string texto = "Columna " + std::to_string(col + 1);
    if (f.modoTexto == 0) {
        bool coma = false;
        const int unidades = columnaUnidades(f, coma);
        std::string orden;
        if (unidades >= 0) {
            orden = coma && col == unidades + 1 ? "la coma" : nombreOrden(unidades - col, coma);
        }
        if (!orden.empty()) texto += ", " + orden;
    }
    std::string cifras;
    for (int r = 0; r < t.Rows(); ++r) {
        const std::string nombre = nombreHablado(t.celda(r, col));
        if (nombre.empty()) continue;
        cifras += cifras.empty() ? nombre : ", " + nombre;
    }
    return texto + ": " + (cifras.empty() ? "vacía" : cifras) + ".";
}

Anuncios::Estado Anuncios::tomar(const Form1& f) {
    Estado e;
    const Cuadricula& t = f.tabla;
    e.modoTexto = f.modoTexto;
    e.confirmar = f.confirmar;
    e.sentido = f.sentido;
    e.operacion = f.operacion;
    e.mensa = f.Mensa.Caption;
    e.fila = t.Row();
    e.col = t.Col();
    e.filas = t.Rows();
    e.cols = t.Cols();
    e.bajando = f.bajando;
    e.pasoMultiplicacion = f.pasoMultiplicacion;
    e.ayuda = f.Ayuda.Visible;
    e.recogida = f.ventanaRecogida == 1;
    e.leyendaFormato = f.Label6.Visible;
    e.tablas = f.Frame2.Visible;
    e.radicales = f.Frame4.Visible;
    for (int r = 0; r < t.Rows() && e.vacia; ++r)
        for (int c = 0; c < t.Cols() && e.vacia; ++c)
            e.vacia = !t.escrita(r, c);
    for (int c = 0; c < f.tabla1.Cols(); ++c)
        e.memoria += f.tabla1.TextMatrix(0, c);
    for (int c = 0; c < t.Cols(); ++c)
        e.filaActual += t.TextMatrix(t.Row(), c);
    return e;
}

void Anuncios::antes(const Form1& f) {
    if (nivel_++ > 0) return;
    antes_ = tomar(f);
    teclas_.clear();
}

void Anuncios::despues(Form1& f, int ultima) {
    // A key that arrives while another one lets pending events run is
    // announced with it, as one change.
    teclas_.push_back(ultima);
    if (nivel_ > 0 && --nivel_ > 0) return;
    if (f.finalizado()) return;
    auto hubo = [this](int tecla) {
        return std::find(teclas_.begin(), teclas_.end(), tecla) != teclas_.end();
    };
    const Estado& a = antes_;
    const Estado d = tomar(f);
    std::string texto;

    if (d.modoTexto != a.modoTexto)
        sumar(texto, d.modoTexto == 1 ? "Modo Texto." : "Modo Cuentas.");
    else if (d.filas != a.filas || d.cols != a.cols)
        sumar(texto, "Tabla de " + std::to_string(d.filas) + " filas y " + std::to_string(d.cols) +
                         " columnas.");
    if ((d.filas != a.filas || d.cols != a.cols) && f.ajustarZoom())
        sumar(texto, "Tamaño " + std::to_string(f.zoom) + " de " + std::to_string(kZoomMayor) +
                         ", para caber en la pantalla.");
    if (d.confirmar != a.confirmar && a.confirmar != 0)
        sumar(texto, d.confirmar == 1 ? "Confirmar: Sí." : "Confirmar: No.");
    if (d.recogida != a.recogida)
        sumar(texto, d.recogida ? "Ventana recogida." : "Ventana abierta.");

    // A prompt shown, or taken away without its command.
    if (!d.mensa.empty() && d.mensa != a.mensa) {
        teclaDelAviso_ = ultima;
        sumar(texto, sinSaltos(d.mensa));
    } else if (d.mensa.empty() && !a.mensa.empty() && !hubo(teclaDelAviso_)) {
        sumar(texto, "Operación anulada.");
    }

    const bool movido = d.fila != a.fila || d.col != a.col;
    if (d.operacion.empty() && !a.vacia && d.vacia) {
        sumar(texto, "Tabla borrada.");
    } else if (!d.operacion.empty() && a.operacion.empty()) {
        const std::string& op = d.operacion;
        const std::string que = op == "+" || op == "_" ? "el resultado"
                                : op == "X"            ? "el primer producto parcial"
                                : op == "|"            ? "la primera cifra del cociente"
                                : op == "R"            ? "la primera cifra de la raíz"
                                                       : "el primer factor primo";
        sumar(texto, nombreOperacion(d.operacion));
        sumar(texto, "Escribe " + que + " en la " + lugar(f) + ", " + direccion(d.sentido) + ".");
    } else if (!d.operacion.empty() && d.operacion == a.operacion && movido &&
               (hubo(kIntro) || hubo(kTecladoMas))) {
        std::string paso;
        if (d.operacion == "X")
            paso = d.pasoMultiplicacion != a.pasoMultiplicacion || hubo(kTecladoMas)
                       ? "Suma de los productos parciales:"
                       : "Siguiente producto parcial:";
        else if (d.operacion == "|")
            paso = d.fila == 3        ? "Siguiente cifra del cociente:"
                   : d.fila == a.fila ? "Baja la cifra siguiente:"
                                      : "Resta bajo el dividendo:";
        else if (d.operacion == "R")
            paso = "Siguiente paso de la raíz:";
        else if (d.operacion == "D")
            paso = "Siguiente paso de la descomposición:";
        else
            paso = "Línea nueva:";
        sumar(texto, paso + " " + lugar(f) + ", " + direccion(d.sentido) + ".");
    } else if (d.modoTexto == 0 && d.sentido != a.sentido && d.modoTexto == a.modoTexto) {
        sumar(texto, "Avance " + direccion(d.sentido) + ".");
    } else if (hubo(kIntro) && d.fila != a.fila && d.mensa.empty()) {
        sumar(texto, "Línea nueva: " + lugar(f) + ".");
    }

    // The memory line.
    if (hubo(kF1) && d.memoria != a.memoria && d.mensa.empty())
        sumar(texto, "Línea pasada a la memoria.");
    if (hubo(kF2) && d.filaActual != a.filaActual && d.mensa.empty())
        sumar(texto, "Memoria pasada a la " + lugar(f) + ".");

    if (d.ayuda != a.ayuda)
        sumar(texto, d.ayuda ? "Ayuda. Flechas para leerla, I para imprimirla, otra tecla para "
                               "cerrarla."
                             : "Ayuda cerrada.");
    if (d.leyendaFormato && !a.leyendaFormato) sumar(texto, sinSaltos(f.Label9.Caption));
    if (d.tablas != a.tablas)
        sumar(texto, d.tablas ? "Tablas de Word." : "Tablas de Word cerradas.");
    if (d.radicales && !a.radicales) sumar(texto, "Radicales. " + sinSaltos(f.Label10.Caption));

    if (!texto.empty()) anunciar(f, texto);
}

void Anuncios::anunciar(Form1& f, const std::string& texto) {
    if (texto.empty()) return;
    ultimo_ = texto;
    f.plataforma.anunciar(texto);
}

bool Anuncios::teclaPropia(Form1& f, int codigo, int shift) {
    if (shift != kConCtrl) return false;
    if (codigo == kTeclaMas || codigo == kTecladoMas || codigo == kTeclaMenos ||
        codigo == kTecladoMenos) {
        const bool mas = codigo == kTeclaMas || codigo == kTecladoMas;
        if (f.ponerZoom(f.zoom + (mas ? 1 : -1)))
            anunciar(f, "Tamaño " + std::to_string(f.zoom) + " de " + std::to_string(kZoomMayor) +
                            ".");
        else if (!mas)
            anunciar(f, "Renglero ya tiene su tamaño normal.");
        else if (f.zoom == kZoomMayor)
            anunciar(f, "Renglero ya tiene su tamaño mayor.");
        else
            anunciar(f, "Renglero no cabe más grande en la pantalla.");
        return true;
    }
    if (codigo == kTeclaOirColumna) {
        anunciar(f, leerColumna(f));
        return true;
    }
    if (codigo == kTeclaRepetir) {
        // Said again, and not kept as a new text.
        if (!ultimo_.empty()) f.plataforma.anunciar(ultimo_);
        return true;
    }
    return false;
}

} // namespace renglero
