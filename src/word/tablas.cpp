// The table manager: a panel of the notebook whose keys insert and edit the
// tables of the document.
#include <cctype>
#include <cstring>
#include <optional>

#include "platform/Teclas.h"
#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

const char* const kNoEstaSobreTabla = "En el documento de Word, el cursor no está sobre una tabla.";
const char* const kCuadriculaSi = "Cuadrícula: Sí";
const char* const kCuadriculaNo = "Cuadrícula: No";

} // namespace

void Form1::vercuadrotablas() {
    filasTablaNueva = "0";
    columnasTablaNueva = "0";
    Frame2.Visible = true;
    if (modoTexto == 1) quitalabel();
    lineaEstadoGuardada = Label2.Caption;
    Label2.Caption = "[F5] = Ayuda     [Pausa] = Salir del Programa     [M] = Max/min";
    Teta.Caption.clear();
    darFoco(Foco::Teta);
    dejarCorrerEventos();
}

void Form1::Teta_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (ventanaRecogida == 1) return;
    Timer2.Interval = 0;
    dejarCorrerEventos();
    if (saltarTecla == 1) {
        saltarTecla = 0;
        KeyCode = 0;
    } else {
        comandoTeclaTablas(KeyCode);
    }
    Timer2.Interval = 100;
}

void Form1::Teta_KeyPress(int& KeyAscii) {
    const int caracter = KeyAscii;
    KeyAscii = 0; // the character never reaches the box by itself
    if (caracterDescartado()) return;
    Timer2.Interval = 0;
    dejarCorrerEventos();
    comandoCaracterTablas(caracter);
}

namespace {

// The manager's keys that act on the document.
bool actuaEnDocumento(int KeyCode) {
    switch (KeyCode) {
    case teclaLetra('I'):
    case kAbajo:
    case kArriba:
    case kDerecha:
    case kIzquierda:
    case teclaLetra('A'):
    case kAvPag:
    case kRePag:
    case teclaLetra('C'):
        return true;
    default:
        return false;
    }
}

} // namespace

void Form1::comandoTeclaTablas(int KeyCode) {
    if (actuaEnDocumento(KeyCode) && avisarSiArranca()) return;
    Word* w = word;
    if (w == nullptr) return;
    // Each failing step is skipped silently, but a word processor that
    // cannot be reached is said once: the key did nothing for that reason.
    std::optional<ErrorWord> sinAlcance;
    auto intentar = [&](auto&& paso) {
        try {
            paso();
            return true;
        } catch (const ErrorWord& e) {
            if (inalcanzable(e) && !sinAlcance) sinAlcance = e;
            return false;
        }
    };
    auto mover = [&](int celdas) {
        intentar([&] { marcarCelda(false); });
        intentar([&] { w->moverCeldas(celdas); });
        dejarCorrerEventos();
        intentar([&] { marcarCelda(true); });
    };
    // Where the arrows left the mark, moved or not.
    auto decirCelda = [&] {
        omitir<ErrorWord>([&] {
            anuncios.agregar(*this, "Celda de la fila " + std::to_string(w->filaCelda()) +
                                        ", columna " + std::to_string(w->columnaCelda()) + ".");
        });
    };
    auto anchoColumna = [&](float cambio) {
        bool hecho = false;
        intentar([&] {
            if (!w->enTabla()) return;
            hecho = true;
            w->finIgualAInicio();
            dejarCorrerEventos();
            float ancho = w->anchoColumna() + cambio;
            if (ancho <= 0) ancho = 1; // no document takes a column of no width
            w->fijarAnchoColumna(ancho);
            ajustaranchotabla();
            dejarCorrerEventos();
        });
        return hecho;
    };
    auto enTabla = [&] {
        bool si = false;
        omitir<ErrorWord>([&] { si = w->enTabla(); });
        return si;
    };
    switch (KeyCode) {
    case teclaLetra('I'):
        if (intentar([&] { w->igualarColumnas(); })) anuncios.agregar(*this, "Columnas igualadas.");
        dejarCorrerEventos();
        break;
    case kAbajo:
        intentar([&] {
            if (w->filaCelda() != w->filasTabla()) mover(w->columnasTabla());
        });
        decirCelda();
        break;
    case kArriba:
        intentar([&] {
            if (w->filaCelda() != 1) mover(-w->columnasTabla());
        });
        decirCelda();
        break;
    case kDerecha:
        intentar([&] {
            if (!(w->filaCelda() == w->filasTabla() && w->columnaCelda() == w->columnasTabla()))
                mover(1);
        });
        decirCelda();
        break;
    case kIzquierda:
        intentar([&] {
            if (!(w->filaCelda() == 1 && w->columnaCelda() == 1)) mover(-1);
        });
        decirCelda();
        break;
    case teclaLetra('A'):
        if (intentar([&] { w->ajustarAVentana(); }) && enTabla())
            anuncios.agregar(*this, "Tabla ajustada a los márgenes.");
        break;
    case kAvPag:
        if (anchoColumna(15)) anuncios.agregar(*this, "Columna más ancha.");
        break;
    case kRePag:
        if (anchoColumna(-15)) anuncios.agregar(*this, "Columna más estrecha.");
        break;
    case teclaLetra('C'):
        Label4.Caption = Label4.Caption == kCuadriculaSi ? kCuadriculaNo : kCuadriculaSi;
        if (Label4.Caption == kCuadriculaNo) {
            intentar([&] { w->formatoTabla(false); });
        } else {
            intentar([&] { w->formatoTabla(true); });
            dejarCorrerEventos();
        }
        intentar([&] { marcarCelda(true); });
        anuncios.agregar(*this,
                         Label4.Caption == kCuadriculaNo ? "Sin cuadrícula." : "Con cuadrícula.");
        break;
    default:
        break;
    }
    if (sinAlcance) avisarInalcanzable(*sinAlcance);
}

void Form1::comandoCaracterTablas(int KeyAscii) {
    const int letra = std::toupper(KeyAscii & 0xFF);
    if (std::strchr("EBFQLW", letra) != nullptr && letra != 0 && avisarSiArranca()) {
        Timer2.Interval = 100;
        return;
    }
    switch (letra) {
    case 'E':
        eliminarTabla();
        break;
    case 'B':
        borrarCelda();
        break;
    case 'F':
        insertarfila();
        break;
    case 'Q':
        eliminarfila();
        break;
    case 'L':
        insertarcolumna();
        break;
    case 'W':
        eliminarcolumna();
        break;
    case 13:
        if (Teta.Caption.size() != 2) {
            mensaje("Hay que teclear dos números, uno para el nº de filas y otro para el nº de "
                    "columnas.");
            return; // Timer2 stays stopped until the next key
        }
        filasTablaNueva = Teta.Caption.substr(0, 1);
        columnasTablaNueva = Teta.Caption.substr(1, 1);
        Teta.Caption.clear();
        insertartabla();
        break;
    case 27:
        Frame2.Visible = false;
        Teta.Caption.clear();
        if (!lineaEstadoGuardada.empty()) {
            Label2.Caption = lineaEstadoGuardada;
            lineaEstadoGuardada.clear();
        }
        darFoco(Foco::tabla);
        break;
    case 8:
        if (!Teta.Caption.empty()) Teta.Caption.pop_back();
        break;
    default:
        if (KeyAscii >= '0' && KeyAscii <= '9') Teta.Caption += static_cast<char>(KeyAscii);
        break;
    }
    Timer2.Interval = 100;
}

void Form1::insertartabla() {
    try {
        Word& w = procesador();
        const std::string parrafo = w.textoPrimerParrafo();
        const auto inicio = parrafo.find_first_not_of(' ');
        if (inicio == std::string::npos || parrafo[inicio] != '\r') {
            mensaje("En el documento de Word, el cursor se encuentra en un párrafo que no está "
                    "vacío.\r\rNo se insertará la tabla.",
                    "Insertar Tabla");
            return;
        }
        if (w.enTabla()) {
            mensaje("En el documento de Word, el cursor se encuentra sobre una tabla.\r\rNo se "
                    "insertará la tabla.",
                    "Insertar Tabla");
            return;
        }
        dejarCorrerEventos();
        const int filas = filasTablaNueva[0] - '0';
        const int columnas = columnasTablaNueva[0] - '0';
        if (filas == 0 || columnas == 0) {
            mensaje("El número de filas o de columnas no es correcto.");
            return;
        }
        enTablaWord = 1;
        w.contraerSeleccion(true);
        dejarCorrerEventos();
        w.agregarTabla(filas, columnas);
        w.formatoTabla(Label4.Caption != kCuadriculaNo);
        w.permitirAutoajuste();
        w.mostrarLineasDeTabla();
        enTablaWord = 0;
        marcarCelda(true);
        anuncios.agregar(*this, "Tabla de " + std::to_string(filas) + " filas y " +
                                    std::to_string(columnas) +
                                    " columnas insertada en el documento, en su primera celda.");
    } catch (const ErrorWord& e) {
        if (!avisarInalcanzable(e))
            mensaje("No hay documento de Word abierto para insertar la Tabla.");
        enTablaWord = 0;
    }
}

// F and L: a row or a column at the end of the table, the mark kept on
// the cell; each failing step says that the cursor is not on a table.
void Form1::agregarATabla(bool columna) {
    try {
        if (procesador().columnasTabla() > (columna ? 29 : 62)) {
            plataforma.pitar();
            return;
        }
    } catch (const ErrorWord& e) {
        if (avisarInalcanzable(e)) return;
        mensaje(kNoEstaSobreTabla);
        plataforma.pitar();
        return;
    }
    // A word processor that can no longer be reached ends the procedure.
    auto paso = [this](auto&& f) {
        try {
            f();
            return 1;
        } catch (const ErrorWord& e) {
            if (avisarInalcanzable(e)) return -1;
            mensaje(kNoEstaSobreTabla);
            return 0;
        }
    };
    if (paso([&] { marcarCelda(false); }) < 0) return;
    const int agregado = paso([&] {
        if (columna)
            procesador().agregarColumna();
        else
            procesador().agregarFila();
    });
    if (agregado < 0) return;
    const bool hecho = agregado > 0;
    dejarCorrerEventos();
    if (paso([&] { marcarCelda(true); }) < 0) return;
    if (columna) {
        ajustaranchotabla();
        dejarCorrerEventos();
    }
    if (hecho) anuncios.agregar(*this, columna ? "Columna añadida." : "Fila añadida.");
}

void Form1::insertarfila() {
    agregarATabla(false);
}

void Form1::insertarcolumna() {
    agregarATabla(true);
}

// The row or the column of the table where the cursor stands goes, once
// the pupil says yes; a table without a column fits the window again.
void Form1::quitarDeTabla(bool columna, const char* pregunta) {
    if (mensaje(pregunta, "Borrar el contenido de la Celda", Botones::YesNo) != Respuesta::Yes)
        return;
    try {
        marcarCelda(false);
        procesador().expandir(columna ? Unidad::columna : Unidad::fila);
        dejarCorrerEventos();
        procesador().borrarCeldasSeleccionadas();
        marcarCelda(true);
        if (columna) {
            ajustaranchotabla();
            dejarCorrerEventos();
        }
        anuncios.agregar(*this, columna ? "Columna quitada." : "Fila quitada.");
    } catch (const ErrorWord& e) {
        if (!avisarInalcanzable(e)) mensaje(kNoEstaSobreTabla);
    }
}

void Form1::eliminarcolumna() {
    quitarDeTabla(true, "¿Quieres eliminar la columna de la Tabla de Word en la que se encuentra "
                        "el cursor?");
}

void Form1::eliminarfila() {
    quitarDeTabla(
        false, "¿Quieres eliminar la fila de la Tabla de Word en la que se encuentra el cursor?");
}

void Form1::eliminarTabla() {
    if (mensaje("¿Quieres Eliminar la Tabla de Word?", "Eliminar la Tabla de Word",
                Botones::YesNo) != Respuesta::Yes)
        return;
    try {
        procesador().expandir(Unidad::tabla);
        dejarCorrerEventos();
        procesador().borrarCeldasSeleccionadas();
        Teta.Caption.clear();
        anuncios.agregar(*this, "Tabla eliminada.");
    } catch (const ErrorWord& e) {
        if (!avisarInalcanzable(e)) mensaje(kNoEstaSobreTabla);
    }
}

void Form1::borrarCelda() {
    if (mensaje("¿Quieres Borrar el contenido de la celda en la Tabla de Word?",
                "Borrar el contenido de la Celda", Botones::YesNo) != Respuesta::Yes)
        return;
    try {
        procesador().vaciarPrimeraCelda();
        dejarCorrerEventos();
        anuncios.agregar(*this, "Celda borrada.");
    } catch (const ErrorWord& e) {
        if (!avisarInalcanzable(e))
            mensaje("En el documento de Word, el cursor no está sobre una celda.");
    }
}

void Form1::ajustaranchotabla() {
    omitir<ErrorWord>([&] { procesador().ajustarAVentana(); });
}

} // namespace renglero
