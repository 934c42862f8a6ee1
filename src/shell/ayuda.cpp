// The help screen, what the mouse does on the window (the clickable labels,
// the notebook's scroll bars) and the about box.
#include <algorithm>

#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

void Form1::Ta_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    const int ultima = static_cast<int>(lineasAyuda().size()) - 1;
    const int visibles = std::max(1, Ta.Height / 240);
    if (KeyCode >= kIzquierda && KeyCode <= kAbajo) {
        if (KeyCode == kArriba) lineaAyuda = std::max(lineaAyuda - 1, 0);
        if (KeyCode == kAbajo) lineaAyuda = std::min(lineaAyuda + 1, ultima);
        if (lineaAyuda < primeraLineaAyuda) primeraLineaAyuda = lineaAyuda;
        if (lineaAyuda >= primeraLineaAyuda + visibles)
            primeraLineaAyuda = lineaAyuda - visibles + 1;
        return;
    }
    if (KeyCode == teclaLetra('I')) {
        imprimirAyuda();
    } else {
        Ayuda.Visible = false;
        darFoco(Foco::tabla);
        tablae.Visible = false;
    }
    KeyCode = 0;
}

void Form1::Ta_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void Form1::imprimirAyuda() {
    dejarCorrerEventos();
    if (mensaje("Prepara la Impresora y selecciona Aceptar.", "Imprimir la Ayuda",
                Botones::OKCancel) != Respuesta::OK)
        return;
    std::vector<std::string> lineas = {" "};
    lineas.insert(lineas.end(), lineasAyuda().begin(), lineasAyuda().end());
    if (!plataforma.imprimir("Arial", 12, lineas))
        mensaje("No hay ninguna impresora instalada. No se ha impreso la Ayuda.");
}

void Form1::clicLabel1Ahora() {
    if (modoTexto != 0) return;
    // The keystroke M: its key down cancels a prompt that shows, its
    // character collapses or opens the window.
    postearTecla(teclaLetra('M'), kConMayusculas, 'M');
    bombear();
}

void Form1::mostrarForm2() {
    Form2.Left = Left + plataforma.anchoPantalla() / 20;
    Form2.Top = Top + plataforma.altoPantalla() / 12;
    if (Form2.Top > plataforma.altoPantalla() - Form2.Height) Form2.Top = Top - Form2.Height;
    Form2.Visible = true;
    plataforma.mostrarAcercaDe();
}

void Form1::cerrarForm2() {
    if (!Form2.Visible) return;
    Form2.Visible = false;
    if (ventanaActual == Ventana::about) plataforma.activarVentana(Caption);
}

void Form1::desplazarTablaAhora(int fila, int columna) {
    if (tabla.ScrollBars == 0 || tabla.Rows() == 0 || tabla.Cols() == 0) return;
    tabla.setTopRow(std::clamp(fila, 0, tabla.Rows() - 1));
    tabla.setLeftCol(std::clamp(columna, 0, tabla.Cols() - 1));
}

} // namespace renglero
