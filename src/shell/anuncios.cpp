#include "shell/anuncios.h"

#include <algorithm>
#include <cstring>

#include "grid/nombresCelda.h"
#include "platform/CodigoPagina.h"
#include "platform/Teclas.h"
#include "shell/Form1.h"
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

void sumar(std::string& texto, const std::string& parte) {
    if (parte.empty()) return;
    if (!texto.empty()) texto += ' ';
    texto += parte;
}

// The dark scheme of F8.
constexpr Color kFondoOscuro = rgb(64, 64, 64);

// The format legend, as it is said.
const char* const kLeyendaFormato =
    "R raíz, B subíndice, P superíndice, N negrita, C cursiva, S subrayado, menos tachado, 1 "
    "rojo, 2 verde, 3 azul, 0 negro, X normal, T tablas de Word.";

// The table manager's instructions, as they are said.
const char* const kInstruccionesTablas =
    "Tablas de Word. Teclea el número de filas y el de columnas, de 1 a 9, y pulsa Intro; por "
    "ejemplo 2, 3 e Intro para una tabla de 2 filas y 3 columnas. Con el cursor en una tabla: "
    "flechas para elegir celda, A ajustar el ancho a los márgenes, B borrar la celda, C con o "
    "sin cuadrícula, E eliminar la tabla, I igualar las columnas, F y Q añadir y quitar una "
    "fila, L y W añadir y quitar una columna, Avance y Retroceso de página ensanchar y "
    "estrechar la columna. Esc cierra.";

// The format that a letter after a Ctrl tap gave, or its cancellation.
std::string formatoElegido(const std::vector<int>& teclas) {
    for (int t : teclas) {
        switch (t) {
        case teclaLetra('B'):
            return "Subíndice.";
        case teclaLetra('P'):
            return "Superíndice.";
        case teclaLetra('N'):
            return "Negrita.";
        case teclaLetra('C'):
            return "Cursiva.";
        case teclaLetra('S'):
            return "Subrayado.";
        case kTeclaMenos:
        case kTecladoMenos:
            return "Tachado.";
        case teclaLetra('1'):
        case kTeclado0 + 1:
            return "Rojo.";
        case teclaLetra('2'):
        case kTeclado0 + 2:
            return "Verde.";
        case teclaLetra('3'):
        case kTeclado0 + 3:
            return "Azul.";
        case teclaLetra('0'):
        case kTeclado0:
            return "Negro.";
        case teclaLetra('X'):
            return "Normal.";
        default:
            break;
        }
    }
    return "Formato anulado.";
}

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

std::string sinDecoracion(const std::string& texto) {
    // Line breaks and runs of spaces between the keys of a legend end a
    // sentence; brackets and angle brackets go.
    std::vector<std::string> fichas;
    std::string ficha;
    auto cerrar = [&] {
        if (!ficha.empty()) fichas.push_back(ficha);
        ficha.clear();
    };
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n' || (c == ' ' && texto.compare(i, 3, "   ") == 0)) {
            cerrar();
            fichas.emplace_back("\n");
            while (i + 1 < texto.size() && std::strchr(" \r\n", texto[i + 1]) != nullptr)
                ++i;
        } else if (c == ' ') {
            cerrar();
        } else if (std::strchr("[]<>", c) == nullptr) {
            ficha += c;
        }
    }
    cerrar();
    auto signo = [](const std::string& t) -> std::string {
        if (t == "+") return "más";
        if (t == "-") return "menos";
        if (t == "*") return "por";
        if (t == "/") return "entre";
        if (t == "=") return "igual";
        return "";
    };
    auto palabra = [](const std::string& t) { return !t.empty() && t != "\n" && t != ","; };
    std::string r;
    auto finFrase = [&r] {
        while (!r.empty() && r.back() == ' ')
            r.pop_back();
        if (!r.empty() && std::strchr(".,;:", r.back()) == nullptr) r += '.';
    };
    bool trasControl = false;
    for (std::size_t i = 0; i < fichas.size(); ++i) {
        std::string t = fichas[i];
        const std::string siguiente = i + 1 < fichas.size() ? fichas[i + 1] : "";
        const std::string anterior = i > 0 ? fichas[i - 1] : "";
        if (t == "\n") {
            finFrase();
            continue;
        }
        // "X = Y" reads "X, Y".
        if (t == "=" && palabra(anterior) && palabra(siguiente) && anterior != "=") {
            while (!r.empty() && r.back() == ' ')
                r.pop_back();
            r += ',';
            continue;
        }
        if (t.rfind("Ctrl", 0) == 0 && t.size() >= 5 && (t[4] == '-' || t[4] == '+')) {
            sumar(r, "Control");
            t = t.substr(5);
            trasControl = true;
            if (t.empty()) continue;
        }
        const std::string nombre = signo(t);
        if (!nombre.empty() && (trasControl || siguiente == "=" || t != "-"))
            t = nombre;
        else if (t == "-")
            continue; // a dash between the parts of a caption
        trasControl = false;
        if (!r.empty() && r.back() != ' ' && t != "," && t != ".") r += ' ';
        r += t;
    }
    while (!r.empty() && r.back() == ' ')
        r.pop_back();
    return r;
}

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
    sumar(leyenda, sinDecoracion(f.tituloAyuda));
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
    sumar(texto, agregados_);
    agregados_.clear();
    if (!texto.empty()) anunciar(f, texto);
}

std::string Anuncios::cambios(Form1& f, const Estado& a, const Estado& d, int ultima) {
    auto hubo = [this](int tecla) {
        return std::find(teclas_.begin(), teclas_.end(), tecla) != teclas_.end();
    };
    std::string texto;

    if (d.modoTexto != a.modoTexto)
        sumar(texto, presentacion(f));
    else if (d.filas != a.filas || d.cols != a.cols)
        sumar(texto, "Tabla de " + std::to_string(d.filas) + " filas y " + std::to_string(d.cols) +
                         " columnas.");
    else if (d.altoTabla != a.altoTabla)
        sumar(texto, d.altoTabla > a.altoTabla ? "Tabla alta." : "Tabla baja.");
    if ((d.filas != a.filas || d.cols != a.cols || d.altoTabla != a.altoTabla) && f.ajustarZoom())
        sumar(texto, "Tamaño " + std::to_string(f.zoom) + " de " + std::to_string(kZoomMayor) +
                         ", para caber en la pantalla.");
    if (d.confirmar != a.confirmar && a.confirmar != 0)
        sumar(texto,
              d.confirmar == 1 ? "Confirmar sí: cada orden se pulsa dos veces." : "Confirmar no.");
    if (d.recogida != a.recogida)
        sumar(texto, d.recogida ? "Ventana recogida." : "Ventana abierta.");
    if (d.oscura != a.oscura) sumar(texto, d.oscura ? "Colores oscuros." : "Colores claros.");

    // A prompt shown, or taken away without its command.
    if (!d.mensa.empty() && d.mensa != a.mensa) {
        teclaDelAviso_ = ultima;
        sumar(texto, sinDecoracion(d.mensa));
    } else if (d.mensa.empty() && !a.mensa.empty() && !hubo(teclaDelAviso_)) {
        sumar(texto, "Operación anulada.");
    }

    const bool movido = d.fila != a.fila || d.col != a.col;
    const std::string enLugar = "en la " + lugar(f);
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
        sumar(texto, "Escribe " + que + " " + enLugar + ", " + direccion(d.sentido) + ".");
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
        sumar(texto, paso + " " + enLugar + ", " + direccion(d.sentido) + ".");
    } else if (d.modoFraccion == 1 && a.modoFraccion != 1) {
        sumar(texto, "Fracción. Numerador " + enLugar +
                         ". Tabulador cambia entre numerador y denominador; Intro termina la "
                         "fracción.");
    } else if (d.modoFraccion == 1 && hubo(kTab) && movido) {
        sumar(texto,
              std::string(d.fila > d.filaFraccion ? "Denominador " : "Numerador ") + enLugar + ".");
    } else if (a.modoFraccion == 1 && d.modoFraccion != 1 && d.modoTexto == a.modoTexto) {
        sumar(texto, "Fracción terminada. Sigue " + enLugar + ".");
    } else if (a.radicales && !d.radicales) {
        // Drawn, or refused with a message box that said why, or cancelled.
        if (d.celdas != a.celdas)
            sumar(texto, "Radical dibujado. Sigue " + enLugar + ".");
        else if (!hubo(kIntro))
            sumar(texto, "Radical anulado.");
    } else if (d.modoTexto == 0 && d.sentido != a.sentido && d.modoTexto == a.modoTexto) {
        sumar(texto, "Avance " + direccion(d.sentido) + ".");
    } else if (hubo(kIntro) && d.fila != a.fila && d.mensa.empty() && !a.tablas && !a.ayuda) {
        sumar(texto, "Línea nueva " + enLugar + ".");
    } else if (d.mensa.empty() && a.mensa.empty() && !d.ayuda && !a.ayuda && !d.tablas) {
        if (hubo(kInicio) && d.col == 0)
            sumar(texto, "Principio de la fila, columna 1.");
        else if (hubo(kFin) && d.col == d.cols - 1)
            sumar(texto, "Final de la fila, columna " + std::to_string(d.cols) + ".");
        else if ((hubo(kRePag) || hubo(kAvPag)) && movido)
            sumar(texto, "Fila " + std::to_string(d.fila + 1) + ".");
    }

    // The memory line.
    if (hubo(kF1) && d.memoria != a.memoria && d.mensa.empty())
        sumar(texto, "Línea pasada a la memoria.");
    if (hubo(kF2) && d.filaActual != a.filaActual && d.mensa.empty())
        sumar(texto, "Memoria pasada a la " + lugar(f) + ".");

    if (d.ayuda != a.ayuda)
        sumar(texto, d.ayuda ? "Ayuda. Flechas para leerla, I para imprimirla, otra tecla para "
                               "cerrarla. " +
                                   sinDecoracion(Form1::lineasAyuda()[f.lineaAyuda])
                             : "Ayuda cerrada.");
    if (d.leyendaFormato && !a.leyendaFormato)
        sumar(texto, sinDecoracion(f.Label9.Caption) + " " + kLeyendaFormato);
    // The legend closed by a format letter, or cancelled; not by Ctrl-H or Ctrl-M.
    if (a.leyendaFormato && !d.leyendaFormato && !d.radicales && !d.tablas &&
        d.altoTabla == a.altoTabla && d.recogida == a.recogida && d.modoTexto == a.modoTexto)
        sumar(texto, formatoElegido(teclas_));
    if (d.tablas != a.tablas)
        sumar(texto, d.tablas ? kInstruccionesTablas : "Tablas de Word cerradas.");
    if (d.radicales && !a.radicales) sumar(texto, "Radicales. " + sinDecoracion(f.Label10.Caption));
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
    sumar(agregados_, texto);
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
