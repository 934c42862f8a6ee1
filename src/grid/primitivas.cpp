// Whole-grid primitives: the used area, blanking, the current format reset
// and the direction of advance.
#include <algorithm>

#include "shell/Form1.h"

namespace renglero {

void Form1::acotar() {
    colIzquierda = 195;
    filaSuperior = 195;
    colDerecha = 0;
    filaInferior = 0;
    // One pass gives the same four bounds as scanning from each side.
    for (int r = 0; r < tabla.Rows(); ++r) {
        for (int c = 0; c < tabla.Cols(); ++c) {
            if (tabla.TextMatrix(r, c) == " ") continue;
            colIzquierda = std::min(colIzquierda, c);
            colDerecha = std::max(colDerecha, c);
            filaSuperior = std::min(filaSuperior, r);
            filaInferior = std::max(filaInferior, r);
        }
    }
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
