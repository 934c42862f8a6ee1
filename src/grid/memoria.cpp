// The memory line under the notebook (F1 stores the active line, F2 restores
// it) and the highlight of the active line while F1 or F2 waits.
#include <algorithm>

#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

// The five format attributes that the memory carries along with the text.
void copiarFormato(const Celda& origen, Cuadricula& destino) {
    destino.setCellFontName(origen.CellFontName);
    destino.setCellFontSize(origen.CellFontSize);
    destino.setCellAlignment(origen.CellAlignment);
    destino.setCellFontItalic(origen.CellFontItalic);
    destino.setCellFontBold(origen.CellFontBold);
}

} // namespace

// Store and restore walk the cursor along the row and back: the view, which
// follows each step, is put back where the cursor stands.
void Form1::ponermemo1() {
    const int recordada = tabla.Col();
    const Cuadricula::Vista vista = tabla.vista();
    tabla.Redraw = false;
    tabla1.Redraw = false;
    const int columnas = std::min(tabla.Cols(), tabla1.Cols());
    for (int c = 0; c < columnas; ++c) {
        tabla.setCol(c);
        tabla1.setCol(c);
        tabla1.setText(tabla.Text());
        copiarFormato(tabla.celda(), tabla1);
    }
    tabla.setCol(recordada);
    tabla.setVista(vista);
    tabla.Redraw = true;
    tabla1.Redraw = true;
}

void Form1::recuperarmemo1() {
    tabla.Redraw = false;
    tabla1.Redraw = false;
    const int recordada = tabla.Col();
    const Cuadricula::Vista vista = tabla.vista();
    tabla1.setRow(0);
    bool vacia = true;
    for (int c = 0; c < tabla1.Cols() && vacia; ++c)
        vacia = tabla1.TextMatrix(0, c).find_first_not_of(' ') == std::string::npos;
    if (vacia) {
        mensaje("La MEMORIA está vacía.");
    } else {
        const int columnas = std::min(tabla.Cols(), tabla1.Cols());
        for (int c = 0; c < columnas; ++c) {
            tabla.setCol(c);
            tabla1.setCol(c);
            copiarFormato(tabla1.celda(), tabla);
            tabla.setText(tabla1.Text());
        }
        tablaEscrita();
    }
    tabla.setCol(recordada);
    tabla.setVista(vista);
    tabla.Redraw = true;
    tabla1.Redraw = true;
}

void Form1::resaltar() {
    tabla.Redraw = false;
    const int recordada = tabla.Col();
    for (int c = 0; c < tabla.Cols(); ++c) {
        tabla.setCol(c);
        tabla.setCellBackColor(colorPaleta(teclaPendiente == kF1 ? 3 : 8));
        if (teclaPendiente == kF1) tabla.setCellForeColor(colorPaleta(15));
    }
    tabla.setCol(recordada);
    tabla.Redraw = true;
}

void Form1::eliminarresalte() {
    tabla.Redraw = false;
    const int recordada = tabla.Col();
    for (int c = 0; c < tabla.Cols(); ++c) {
        tabla.setCol(c);
        tabla.setCellBackColor(tabla.BackColor);
        tabla.setCellForeColor(tabla.ForeColor);
    }
    tabla.setCol(recordada);
    tabla.Redraw = true;
}

} // namespace renglero
