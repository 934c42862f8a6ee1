// Whole-grid primitives: the used area, blanking, the current format reset
// and the direction of advance.
#include "shell/Form1.h"

namespace renglero {

void Form1::acotar() {
    colIzquierda = 195;
    filaSuperior = 195;
    colDerecha = 0;
    filaInferior = 0;
    const int filas = tabla.Rows(), cols = tabla.Cols();
    auto filaEscrita = [&](int r) {
        for (int c = 0; c < cols; ++c)
            if (tabla.escrita(r, c)) return true;
        return false;
    };
    // The same four bounds as scanning the grid from each side, found by
    // stopping at the first written cell from each side.
    int arriba = 0;
    while (arriba < filas && !filaEscrita(arriba))
        ++arriba;
    if (arriba == filas) return;
    int abajo = filas - 1;
    while (!filaEscrita(abajo))
        --abajo;
    int izquierda = cols, derecha = -1;
    for (int r = arriba; r <= abajo; ++r) {
        for (int c = 0; c < izquierda; ++c)
            if (tabla.escrita(r, c)) {
                izquierda = c;
                break;
            }
        for (int c = cols - 1; c > derecha; --c)
            if (tabla.escrita(r, c)) {
                derecha = c;
                break;
            }
    }
    colIzquierda = izquierda;
    colDerecha = derecha;
    filaSuperior = arriba;
    filaInferior = abajo;
}

void Form1::rellenar() {
    if (tabla.Rows() == 0 || tabla.Cols() == 0) return;
    plataforma.punteroOcupado(true);
    tabla.Redraw = false;
    colInicioFormato = -1;
    filaInicioFormato = -1;
    tabla.setCol(0);
    tabla.setRow(0);
    tabla.setColSel(tabla.Cols() - 1);
    tabla.setRowSel(tabla.Rows() - 1);
    tabla.FillStyle = 1;
    tabla.setText(" ");
    tipoletra();
    tabla.FillStyle = 0;
    tabla.ScrollBars = modoTexto == 1 ? 3 : 0;
    tabla.Redraw = true;
    tabla.setTopRow(0);
    tabla.setLeftCol(0);
    plataforma.punteroOcupado(false);
}

void Form1::fucero() {
    fuenteSimbolo = 0;
    fuenteSubindice = 0;
    fuenteSuperindice = 0;
    fuenteNegrita = 0;
    fuenteCursiva = 0;
    fuenteSubrayado = 0;
    fuenteTachado = 0;
    colorActual = 0;
}

void Form1::cambiarsentido() {
    if (Label1.Caption == "--->") {
        Label1.Caption = "<---";
        sentido = "i";
    } else if (Label1.Caption == "<---") {
        Label1.Caption = "--->";
        sentido = "d";
    }
}

} // namespace renglero
