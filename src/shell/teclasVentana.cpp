// The keys the window itself handles before the focused control: quitting,
// position, grid size, help, collapsing and the mode switch.
#include <cctype>

#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

void Form1::Form_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (Frame4.Visible || Ayuda.Visible) return;
    const bool preguntaSalir = Mensa.Caption == textoSalir();
    if (KeyCode == kF12 && !preguntaSalir) moverformu();
    if (KeyCode == kPausa && Mensa.Caption.empty()) {
        tabla.TabStop = false;
        Mensa.Caption = textoSalir();
        Frame1.Visible = true;
        KeyCode = 0;
        return;
    }
    if (KeyCode == kPausa && preguntaSalir) {
        // The pupil may still keep the notebook (the document's own question).
        if (!finalizar()) anularAviso();
        KeyCode = 0;
        return;
    }
    if (preguntaSalir) {
        // Any other key only cancels, as the prompt says: it neither reaches
        // the grid nor runs a window command, its character and its release
        // included.
        anularAviso();
        descartarCaracterPropio();
        saltarTecla = 0;
        teclaQueSoloAnula_ = KeyCode;
        KeyCode = 0;
        return;
    }
    if (KeyCode == teclaLetra('H') && !Frame1.Visible && !Frame2.Visible &&
        (modoTexto == 0 || Label6.Visible))
        alternarTamano();
    if (KeyCode == kF5) {
        Ayuda.Visible = true;
        darFoco(Foco::Ta);
        saltarTecla = 1;
    }
}

// The prompt that shows goes without its command: the quit prompt or one of
// the grid's, with its pictures and the highlight of its line, and the grid
// takes the focus back.
void Form1::anularAviso() {
    const bool delaTabla = !Mensa.Caption.empty() && Mensa.Caption != textoSalir();
    if (delaTabla && (teclaPendiente == kF1 || (teclaPendiente == kF2 && modoTexto == 0)))
        eliminarresalte();
    Mensa.Caption.clear();
    Frame1.Visible = false;
    Pic.Visible = false;
    Pic1.Visible = false;
    teclaPendiente = 0;
    tabla.TabStop = true;
    darFoco(Foco::tabla);
}

void Form1::Form_KeyPress(int& KeyAscii) {
    if (Frame1.Visible) {
        KeyAscii = 0;
        return;
    }
    if (Frame4.Visible) return;
    const int letra = KeyAscii == 231 ? 199 : std::toupper(KeyAscii & 0xFF);
    if (letra == 'M' &&
        (modoTexto == 0 || Frame2.Visible || teclaAnterior == kCtrl || ventanaRecogida == 1)) {
        if (modoTexto == 1 && ventanaRecogida == 1) teclaAnterior = kCtrl;
        recoger();
        dejarCorrerEventos();
        KeyAscii = 0;
        teclaAnterior = 0;
    } else if (letra == 199 && !Frame2.Visible && saltarTecla != 1) {
        if (Label6.Visible) postearCaracter(17);
        KeyAscii = 0;
        acotar();
        dejarCorrerEventos();
        if (colIzquierda != 195) {
            // The window stays as it looks: a collapsed one stays collapsed.
            mensaje("Para alternar entre los modos <Cuentas / Texto>, la tabla de <Renglero> tiene "
                    "que estar vacía.");
            return;
        }
        // The switch lays the window out open again (tama).
        ventanaRecogida = 0;
        alternarModo();
    }
}

void Form1::alternarTamano() {
    if (modoTexto == 0) {
        acotar();
        if (colIzquierda != 195) {
            mensaje(
                "Para cambiar el tamaño de <Renglero> en modo <Cuentas>, la tabla de <Renglero> "
                "tiene que estar vacía.");
            return;
        }
        if (tabla.Rows() == 13) {
            tabla.setRows(11);
            tabla.setCols(20);
        } else {
            tabla.setRows(13);
            tabla.setCols(25);
        }
        vaciarMemoria();
    }
    tama();
    dejarCorrerEventos();
}

// Expands to the normal height or collapses to the strip above the grid.
void Form1::recoger() {
    const int alturaRecogida = tabla.Top + margenVentana;
    Height = Height != altoNormal ? altoNormal : alturaRecogida;
    if (Top != 1500) Top = plataforma.altoPantalla() - Height - 500;
    quitalabel();
    ventanaRecogida = Height == alturaRecogida ? 1 : 0;
}

// A character typed into the collapsed window only beeps; the character of a
// key that a window command already handled is dropped, once.
bool Form1::caracterDescartado() {
    if (ventanaRecogida == 1) {
        plataforma.pitar();
        return true;
    }
    if (saltarTecla == 1) {
        saltarTecla = 0;
        return true;
    }
    return false;
}

} // namespace renglero
