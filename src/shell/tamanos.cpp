// Window size and position, the Texto grid's width, and Timer2: F11 and the
// notebook collapsing while another application is in front.
#include <cmath>

#include "shell/Form1.h"

namespace renglero {

namespace {
constexpr int kAltoTextoPequeno = 3650;
constexpr int kArribaIzquierda = 1500;
// How often Timer2 tries to bring the document to the front after its
// document events before it gives up until the next event.
constexpr int kIntentosTraerDocumento = 20;
} // namespace

int Form1::columnasTexto() const {
    // 7.3 points of line per column, rounded to the nearest, halves to even
    // (the default rounding mode).
    return static_cast<int>(std::lrint(anchoLineaWord / 7.3));
}

void Form1::tama() {
    if (tabla.Cols() < 1) tabla.setCols(58);
    quitalabel();
    const int altoFila = modoTexto == 1 ? 340 : 300;
    const int anchoColumna = modoTexto == 1 ? 360 : 270;
    tabla1.setTodasFilasAlto(altoFila);
    tabla1.Height = altoFila;
    tablae.Height = altoFila;
    tabla.setTodasFilasAlto(altoFila);
    const int anchoPantalla = plataforma.anchoPantalla();
    const int altoPantalla = plataforma.altoPantalla();
    if (modoTexto == 1) {
        altoTabla = altoTabla == kAltoTextoPequeno
                        ? static_cast<int>(std::lround(altoPantalla - Label2.Height -
                                                       tabla1.Height - anchoPantalla / 9.0))
                        : kAltoTextoPequeno;
    } else {
        altoTabla = tabla.Rows() * 300 + 30;
    }
    tabla.Height = altoTabla;
    tabla.setTodasColumnasAncho(anchoColumna);
    tabla.Width = modoTexto == 1 ? anchoPantalla - 700 : tabla.Cols() * 270 + 30;
    tabla1.Left = tabla.Left;
    tablae.Left = tabla1.Left;
    tabla1.Top = tabla.Top + tabla.Height;
    tablae.Top = tabla1.Top;
    dejarCorrerEventos();
    tabla1.Width = tabla.Width;
    tablae.Width = tabla.Width;
    tabla1.setRowHeight(0, altoFila);
    tablae.setRowHeight(0, tabla1.RowHeight(0));
    tabla1.setTodasColumnasAncho(anchoColumna);
    tablae.setTodasColumnasAncho(static_cast<int>(std::lround(tabla.Width / 35.0)));
    Pic.Left = tabla.Left + tabla.Width / 2 - Pic.Width / 2;
    Pic.Top = tabla.Top + tabla.Height - Pic.Height - 30;
    Pic1.Left = Pic.Left;
    Pic1.Top = Pic.Top;
    Frame1.Left = tabla.Left + tabla.Width / 2 - Frame1.Width / 2;
    Label6.Width = tabla1.Width;
    Label6.Height = tabla1.Height;
    Label6.Top = tabla1.Top;
    Label6.Left = tabla1.Left;
    Label7.Width = Label6.Width;
    Label7.Height = Label6.Height;
    Label7.Top = Label6.Top;
    Label7.Left = Label6.Left;
    Ayuda.Height = tabla.Height + Label2.Height + tabla1.Height;
    Ta.Top = Label3.Height;
    Ta.Height = Ayuda.Height - Label3.Height;
    Width = tabla.Width + 350;
    Label1.Left = Width - 200 - Label1.Width;
    Height = tabla1.Top + tabla1.Height + margenVentana + 120;
    if (Top != kArribaIzquierda) Top = altoPantalla - Height - 500;
    Left = Top == kArribaIzquierda ? 150 : anchoPantalla - Width - 150;
    Frame4.Top = tabla1.Top - Frame4.Height;
    Frame4.Left = 0;
    Frame4.Width = Width;
    ponerFrame2();
    tabla.HighLight = 0;
    Form_Resize();
    dejarCorrerEventos();

    // Refill, unless a Texto grid still holds its text (its last cell is set).
    const bool conservar = modoTexto == 1 && tabla.Rows() > 0 &&
                           !tabla.TextMatrix(tabla.Rows() - 1, tabla.Cols() - 1).empty();
    if (!conservar) {
        rellenar();
        if (modoTexto == 1) {
            tabla.setRow(std::min(2, tabla.Rows() - 1));
            tabla.setCol(std::min(1, tabla.Cols() - 1));
        } else {
            tabla.setRow(1);
            tabla.setCol(3);
        }
    }
    altoNormal = Height;
    tabla.HighLight = 1;
    ventanaRecogida = 0;
}

// The table manager lies over the grid: below the status line, which it
// changes while it is open, and below the operation buttons, which stay
// beside it. Its keys' legend keeps to its bottom edge; the instructions
// take the rest.
void Form1::ponerFrame2() {
    Frame2.Left = 0;
    Frame2.Top = tabla.Top + (modoTexto == 0 ? Frame5.Height : 0);
    Frame2.Width = Width;
    Frame2.Height = std::max(Height - margenVentana - Frame2.Top, 0);
    const int interior = Frame2.Height - kAltoTituloMarco;
    Label8.Top = std::max(interior - Label8.Height - 60, 0);
    Label4.Top = Label8.Top;
    Lt.Height = std::max(Label4.Top - 60 - Lt.Top, 0);
}

void Form1::moverformu() {
    const bool aArribaIzquierda = altoTabla < 4001 && Top != kArribaIzquierda;
    if (aArribaIzquierda) {
        Top = kArribaIzquierda;
        Left = 150;
    } else {
        Top = plataforma.altoPantalla() - Height - 500;
        Left = plataforma.anchoPantalla() - Width - 150;
    }
}

void Form1::comprobarancho() {
    if (word == nullptr) return;
    try {
        const Pagina p = word->pagina();
        const float ancho = p.ancho - p.margenIzquierdo - p.margenDerecho;
        if (ancho == anchoLineaWord) return;
        anchoLineaWord = ancho;
        if (modoTexto == 0) return;
        // The same rounding as the grid is built with: asking when the grid
        // would not change would erase the pupil's notebook for nothing.
        const int columnas = columnasTexto();
        if (columnas == tabla.Cols()) return;
        if (mensaje("Ha cambiado el ancho de la línea en el documento de Word.\r\r¿Quieres ajustar "
                    "el ancho de la tabla de <Renglero> al ancho de la línea del documento de "
                    "Word?\r\r(Si eliges <Sí>, se BORRARÁ LA TABLA DE <RENGLERO>",
                    "¡Atención!", Botones::YesNo, Icono::pregunta) != Respuesta::Yes)
            return;
        tabla.Redraw = false;
        tabla.setCols(columnas < 1 ? 58 : columnas);
        tabla.setRows(50);
        vaciarMemoria();
        tabla.Clear();
        tabla.setTodasFilasAlto(340);
        tabla.setTodasColumnasAncho(360);
        rellenar();
        tabla.setRow(2);
        tabla.setCol(1);
        if (modoTexto == 1) ponercolu();
        tabla.Redraw = true;
    } catch (const ErrorWord&) {
        tabla.Redraw = true;
    }
}

void Form1::ponercolu() {
    Label12.Caption =
        "Columnas = " + std::to_string(tabla.Col() + 1) + " / " + std::to_string(tabla.Cols());
}

void Form1::Timer2_Timer() {
    auto activaAhora = [this] {
        const Ventana v = plataforma.ventanaActiva();
        return (v == Ventana::notebook || v == Ventana::about) ? 1L : 0L;
    };
    if (ultimoDocumento == 1) {
        for (int intento = 0; intento < kIntentosTraerDocumento; ++intento) {
            plataforma.activarVentana("Word");
            ventanaActiva = activaAhora();
            dejarCorrerEventos();
            if (ventanaActiva == 0) break;
        }
        ultimoDocumento = 0;
        // The look follows at the next tick, whichever window came in front:
        // a notebook that was open must not stay open over the document.
        ultimaVentana = -1;
        return;
    }
    if (plataforma.estadoF11() == 0x8001) {
        // The half second counts between the presses themselves: a tick that
        // came late (a busy desktop) must not let a double tap through.
        const double pulsada = plataforma.horaPulsacionF11();
        const double d = pulsada - instanteF11;
        if (!(d >= 0.5 || d <= -1)) return;
        instanteF11 = pulsada;
        ventanaActiva = activaAhora();
        if (ventanaActiva < 1) {
            plataforma.enviarTeclaAlFrente(27);
            dejarCorrerEventos();
            plataforma.activarVentana(Caption);
        } else {
            plataforma.activarVentana("Word");
        }
        if (Top != kArribaIzquierda) Top = plataforma.altoPantalla() - Height - 500;
    }
    const Ventana delante = plataforma.ventanaActiva();
    ventanaActiva = (delante == Ventana::notebook || delante == Ventana::about) ? 1 : 0;
    // The document in front carries no cell mark. Its word processor says so
    // by an event of its window, which some desktops never give it (a
    // window that has not had the keyboard yet): the notebook sees it too.
    if (delante == Ventana::word && !documentoDelante) limpiezaWord();
    documentoDelante = delante == Ventana::word;
    if (ventanaActiva != ultimaVentana) {
        Height = ventanaActiva < 1 ? tabla.Top + margenVentana : altoNormal;
        // The flag follows the look: an open window takes keys, a strip beeps.
        ventanaRecogida = ventanaActiva < 1 ? 1 : 0;
        if (Top != kArribaIzquierda) Top = plataforma.altoPantalla() - Height - 500;
        if (ventanaActiva > 0) comprobarancho();
    }
    ultimaVentana = ventanaActiva;
}

// The memory line emptied, as wide as the grid: one of the old width would
// write past the new row's end.
void Form1::vaciarMemoria() {
    tabla1.setCols(tabla.Cols());
    tabla1.Clear();
}

} // namespace renglero
