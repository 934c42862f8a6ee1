#include "shell/anuncios.h"

#include <algorithm>
#include <cstring>

#include "grid/nombresCelda.h"
#include "platform/CodigoPagina.h"
#include "platform/Teclas.h"
#include "shell/Form1.h"
#include "shell/hablado.h"
#include "shell/pasos.h"

namespace renglero {

namespace {

// The chords of the screen reader's and the zoom's keys, Ctrl held: Ctrl
// chords do nothing else in the notebook.
constexpr int kTeclaOirColumna = teclaLetra('O');
constexpr int kTeclaRepetir = teclaLetra('U');

bool esDigito(const std::string& t) {
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9';
}

// The dark scheme of F8.
constexpr Color kFondoOscuro = rgb(64, 64, 64);

// The mode, the cursor's place and what to type: at start and at each switch.
std::string presentacion(const Form1& f) {
    if (f.modoTexto == 1)
        return "Modo Texto, " + Anuncios::lugar(f) +
               ". Escribe el texto; Control y después una letra da formato, Tabulador empieza "
               "una fracción, F5, la ayuda.";
    return "Modo Cuentas, " + Anuncios::lugar(f) +
           ". Teclea los números de la operación, uno en cada fila, y después su signo en el "
           "teclado numérico, más, menos, por o entre, o D para descomponer en factores, o R "
           "para la raíz cuadrada. F5, la ayuda.";
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
    return texto + ". " + (cifras.empty() ? "Vacía" : cifras) + ".";
}

std::string Anuncios::nombreVentana(const Form1& f) {
    std::string nombre = f.modoTexto == 1 ? "Renglero, Texto" : "Renglero, Cuentas";
    if (f.confirmar == 1) nombre += ", confirmar sí";
    return nombre;
}

std::string Anuncios::leyendaTeclas(const Form1& f) {
    std::string leyenda = sinDecoracion(f.Label2.Caption);
    if (!leyenda.empty() && leyenda.back() != '.') leyenda += '.';
    sumarFrase(leyenda, sinDecoracion(f.tituloAyuda));
    if (!leyenda.empty() && leyenda.back() != '.') leyenda += '.';
    return leyenda;
}

std::string Anuncios::textoFila(const Form1& f, int fila) {
    const Cuadricula& t = f.tabla;
    std::string texto;
    if (fila < 0 || fila >= t.Rows()) return texto;
    for (int c = 0; c < t.Cols(); ++c) {
        const Celda& celda = t.celda(fila, c);
        const std::string escrita =
            celda.Text.empty() ? " "
                               : aUtf8(celda.Text.substr(0, 1), celda.CellFontName == "Symbol");
        texto += escrita.empty() ? " " : escrita;
    }
    return texto;
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
    e.altoTabla = f.altoTabla;
    e.bajando = f.bajando;
    e.pasoMultiplicacion = f.pasoMultiplicacion;
    e.modoFraccion = f.modoFraccion;
    e.filaFraccion = f.filaFraccion;
    e.ayuda = f.Ayuda.Visible;
    e.recogida = f.ventanaRecogida == 1;
    e.leyendaFormato = f.Label6.Visible;
    e.tablas = f.Frame2.Visible;
    e.radicales = f.Frame4.Visible;
    e.oscura = t.BackColor == kFondoOscuro;
    for (int r = 0; r < t.Rows() && e.vacia; ++r)
        for (int c = 0; c < t.Cols() && e.vacia; ++c)
            e.vacia = !t.escrita(r, c);
    for (int c = 0; c < f.tabla1.Cols(); ++c)
        e.memoria += f.tabla1.TextMatrix(0, c);
    for (int c = 0; c < t.Cols(); ++c)
        e.filaActual += t.TextMatrix(t.Row(), c);
    for (int r = 0; r < t.Rows(); ++r)
        for (int c = 0; c < t.Cols(); ++c)
            e.celdas += t.TextMatrix(r, c) + '\x1F';
    return e;
}

void Anuncios::antes(const Form1& f) {
    if (nivel_++ > 0) return;
    antes_ = tomar(f);
    teclas_.clear();
    agregados_.clear();
}

void Anuncios::despues(Form1& f, int ultima) {
    // A key that arrives while another one lets pending events run is
    // announced with it, as one change.
    teclas_.push_back(ultima);
    if (nivel_ > 0 && --nivel_ > 0) return;
    if (f.finalizado()) return;
    std::string texto = cambios(f, antes_, tomar(f), ultima);
    sumarFrase(texto, agregados_);
    agregados_.clear();
    if (!texto.empty()) anunciar(f, texto);
}

std::string Anuncios::cambios(Form1& f, const Estado& a, const Estado& d, int ultima) {
    auto hubo = [this](int tecla) {
        return std::find(teclas_.begin(), teclas_.end(), tecla) != teclas_.end();
    };
    std::string texto;

    if (d.modoTexto != a.modoTexto)
        sumarFrase(texto, presentacion(f));
    else if (d.filas != a.filas || d.cols != a.cols)
        sumarFrase(texto, "Tabla de " + std::to_string(d.filas) + " filas y " +
                              std::to_string(d.cols) + " columnas.");
    else if (d.altoTabla != a.altoTabla)
        sumarFrase(texto, d.altoTabla > a.altoTabla ? "Tabla alta." : "Tabla baja.");
    if ((d.filas != a.filas || d.cols != a.cols || d.altoTabla != a.altoTabla) && f.ajustarZoom())
        sumarFrase(texto, "Tamaño " + std::to_string(f.zoom) + " de " + std::to_string(kZoomMayor) +
                              ", para caber en la pantalla.");
    if (d.confirmar != a.confirmar && a.confirmar != 0)
        sumarFrase(texto, d.confirmar == 1 ? "Confirmar sí, cada orden se pulsa dos veces."
                                           : "Confirmar no.");
    if (d.recogida != a.recogida)
        sumarFrase(texto, d.recogida ? "Ventana recogida." : "Ventana abierta.");
    if (d.oscura != a.oscura) sumarFrase(texto, d.oscura ? "Colores oscuros." : "Colores claros.");

    // A prompt shown, or taken away without its command.
    if (!d.mensa.empty() && d.mensa != a.mensa) {
        teclaDelAviso_ = ultima;
        sumarFrase(texto, sinDecoracion(d.mensa));
    } else if (d.mensa.empty() && !a.mensa.empty() && !hubo(teclaDelAviso_)) {
        sumarFrase(texto, "Operación anulada.");
    }

    const bool movido = d.fila != a.fila || d.col != a.col;
    const std::string enLugar = "en la " + lugar(f);
    if (d.operacion.empty() && !a.vacia && d.vacia) {
        sumarFrase(texto, "Tabla borrada.");
    } else if (!d.operacion.empty() && a.operacion.empty()) {
        const std::string& op = d.operacion;
        const std::string que = op == "+" || op == "_" ? "el resultado"
                                : op == "X"            ? "el primer producto parcial"
                                : op == "|"            ? "la primera cifra del cociente"
                                : op == "R"            ? "la primera cifra de la raíz"
                                                       : "el primer factor primo";
        sumarFrase(texto, nombreOperacion(d.operacion));
        sumarFrase(texto, "Escribe " + que + " " + enLugar + ", " + direccion(d.sentido) + ".");
    } else if (!d.operacion.empty() && d.operacion == a.operacion && movido &&
               (hubo(kIntro) || hubo(kTecladoMas))) {
        std::string paso;
        if (d.operacion == "X")
            paso = d.pasoMultiplicacion != a.pasoMultiplicacion || hubo(kTecladoMas)
                       ? "Suma de los productos parciales"
                       : "Siguiente producto parcial";
        else if (d.operacion == "|" || d.operacion == "R" || d.operacion == "D")
            paso = nombrePaso(f, {a.fila, a.col, d.fila, d.col});
        else
            paso = "Línea nueva";
        sumarFrase(texto, paso + " " + enLugar + ", " + direccion(d.sentido) + ".");
    } else if (d.modoFraccion == 1 && a.modoFraccion != 1) {
        sumarFrase(texto, "Fracción. Numerador " + enLugar +
                              ". Tabulador cambia entre numerador y denominador; Intro termina la "
                              "fracción.");
    } else if (d.modoFraccion == 1 && hubo(kTab) && movido) {
        sumarFrase(texto, std::string(d.fila > d.filaFraccion ? "Denominador " : "Numerador ") +
                              enLugar + ".");
    } else if (a.modoFraccion == 1 && d.modoFraccion != 1 && d.modoTexto == a.modoTexto) {
        sumarFrase(texto, "Fracción terminada. Sigue " + enLugar + ".");
    } else if (a.radicales && !d.radicales) {
        // Drawn, or refused with a message box that said why, or cancelled.
        if (d.celdas != a.celdas)
            sumarFrase(texto, "Radical dibujado. Sigue " + enLugar + ".");
        else if (!hubo(kIntro))
            sumarFrase(texto, "Radical anulado.");
    } else if (d.modoTexto == 0 && d.sentido != a.sentido && d.modoTexto == a.modoTexto) {
        sumarFrase(texto, "Avance " + direccion(d.sentido) + ".");
    } else if (hubo(kIntro) && d.fila != a.fila && d.mensa.empty() && !a.tablas && !a.ayuda) {
        sumarFrase(texto, "Línea nueva " + enLugar + ".");
    } else if (d.mensa.empty() && a.mensa.empty() && !d.ayuda && !a.ayuda && !d.tablas) {
        if (hubo(kInicio) && d.col == 0)
            sumarFrase(texto, "Principio de la fila, columna 1.");
        else if (hubo(kFin) && d.col == d.cols - 1)
            sumarFrase(texto, "Final de la fila, columna " + std::to_string(d.cols) + ".");
        else if ((hubo(kRePag) || hubo(kAvPag)) && movido)
            sumarFrase(texto, "Fila " + std::to_string(d.fila + 1) + ".");
    }

    // The memory line.
    if (hubo(kF1) && d.memoria != a.memoria && d.mensa.empty())
        sumarFrase(texto, "Línea pasada a la memoria.");
    if (hubo(kF2) && d.filaActual != a.filaActual && d.mensa.empty())
        sumarFrase(texto, "Memoria pasada a la " + lugar(f) + ".");

    if (d.ayuda != a.ayuda)
        sumarFrase(texto, d.ayuda
                              ? "Ayuda. Flechas para leerla, I para imprimirla, otra tecla para "
                                "cerrarla. " +
                                    sinDecoracion(Form1::lineasAyuda()[f.lineaAyuda])
                              : "Ayuda cerrada.");
    if (d.leyendaFormato && !a.leyendaFormato)
        sumarFrase(texto, sinDecoracion(f.Label9.Caption) + " " + kLeyendaFormatoHablada);
    // The legend closed by a format letter, or cancelled; not by Ctrl-H or Ctrl-M.
    if (a.leyendaFormato && !d.leyendaFormato && !d.radicales && !d.tablas &&
        d.altoTabla == a.altoTabla && d.recogida == a.recogida && d.modoTexto == a.modoTexto)
        sumarFrase(texto, formatoElegido(teclas_));
    if (d.tablas != a.tablas)
        sumarFrase(texto, d.tablas ? kInstruccionesTablasHabladas : "Tablas de Word cerradas.");
    if (d.radicales && !a.radicales)
        sumarFrase(texto, "Radicales. " + sinDecoracion(f.Label10.Caption));
    return texto;
}

void Anuncios::anunciar(Form1& f, const std::string& texto) {
    if (texto.empty()) return;
    ultimo_ = texto;
    f.plataforma.anunciar(texto);
}

void Anuncios::agregar(Form1& f, const std::string& texto) {
    if (nivel_ == 0) {
        anunciar(f, texto);
        return;
    }
    sumarFrase(agregados_, texto);
}

void Anuncios::recordar(const std::string& texto) {
    ultimo_ = sinDecoracion(texto);
}

void Anuncios::alEmpezar(Form1& f) {
    agregar(f, presentacion(f));
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
