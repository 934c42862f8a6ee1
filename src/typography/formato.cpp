// Character formats: the current format written into cells, a cell's format
// merged into the current one, and the two colour schemes (F8).
#include "shell/Form1.h"

namespace renglero {

void Form1::tipoletra() {
    if (modoTexto == 0) {
        fucero();
        fuenteNegrita = 1;
    } else if (lineasRaiz == 0 && colInicioFormato >= 0) {
        try {
            tabla.setColSel(colInicioFormato);
            tabla.setRowSel(filaInicioFormato);
            tabla.FillStyle = 1;
        } catch (const ErrorCuadricula&) {
            // a start cell no longer inside the grid: only the current cell
        }
    }
    tabla.setCellFontName(fuenteSimbolo == 1 ? "Symbol" : "Courier New");
    tabla.setCellFontBold(fuenteNegrita == 1);
    tabla.setCellFontItalic(fuenteCursiva == 1);
    tabla.setCellFontUnderline(fuenteSubrayado == 1);
    tabla.setCellFontStrikeThrough(fuenteTachado == 1);
    tabla.setCellForeColor(colorActual >= 1 ? colorPaleta(colorActual) : tabla.ForeColor);
    tabla.setCellFontSize(fuenteSubindice == 1 || fuenteSuperindice == 1 ? 8.0F : 14.0F);
    if (fuenteSuperindice == 1) tabla.setCellAlignment(kAlineacionElevada);
    if (fuenteSubindice == 1) tabla.setCellAlignment(kAlineacionBajada);
    if (fuenteSuperindice != 1 && fuenteSubindice != 1) tabla.setCellAlignment(7);
    fucero();
    colInicioFormato = -1;
    filaInicioFormato = -1;
    tabla.FillStyle = 0;
}

void Form1::copiarfuente() {
    const Celda& celda = tabla.celda();
    if (celda.CellFontName == "Symbol") fuenteSimbolo = 1;
    if (celda.CellAlignment == kAlineacionElevada) fuenteSuperindice = 1;
    if (celda.CellAlignment == kAlineacionBajada) fuenteSubindice = 1;
    if (celda.CellFontBold) fuenteNegrita = 1;
    if (celda.CellFontItalic) fuenteCursiva = 1;
    if (celda.CellFontUnderline) fuenteSubrayado = 1;
    if (celda.CellFontStrikeThrough) fuenteTachado = 1;
    if (colorActual < 1) {
        const Color color = tabla.CellForeColor();
        if (color == colorPaleta(12)) colorActual = 12;
        if (color == colorPaleta(2)) colorActual = 2;
        if (color == colorPaleta(9)) colorActual = 9;
        if (color == tabla.ForeColor) colorActual = 0;
    }
}

void Form1::ponercolor() {
    const Color oscuro = rgb(64, 64, 64);
    const Color fondoSistema = plataforma.colorFondoSistema();
    tabla.Redraw = false;
    tabla.BackColor = tabla.BackColor == oscuro ? fondoSistema : oscuro;
    tabla.ForeColor =
        tabla.ForeColor == fondoSistema ? plataforma.colorTituloSistema() : fondoSistema;
    tabla.GridColor =
        tabla.GridColor == rgb(192, 192, 192) ? rgb(130, 130, 130) : rgb(192, 192, 192);
    const int arriba = tabla.TopRow(), izquierda = tabla.LeftCol();
    const int fila = tabla.Row(), col = tabla.Col();
    for (int c = 0; c < tabla.Cols(); ++c) {
        for (int r = 0; r < tabla.Rows(); ++r) {
            tabla.setRow(r);
            tabla.setCol(c);
            tabla.setCellBackColor(tabla.BackColor);
            const Color color = tabla.CellForeColor();
            if (color != colorPaleta(9) && color != colorPaleta(12) && color != colorPaleta(2))
                tabla.setCellForeColor(tabla.ForeColor);
        }
    }
    tabla.setRow(fila);
    tabla.setCol(col);
    tabla.setTopRow(arriba);
    tabla.setLeftCol(izquierda);
    tabla.Redraw = true;
}

} // namespace renglero
