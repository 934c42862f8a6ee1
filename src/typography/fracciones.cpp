// Fractions and radicals: the bar that grows under a fraction, the radical
// entry box `texr` and the drawing of a radical, and taking down the prompts
// of a pending Ctrl selection.
#include <algorithm>
#include <cstdlib>

#include "platform/Teclas.h"
#include "shell/Form1.h"

namespace renglero {

void Form1::quitalabel() {
    const int fila = tabla.Row(), col = tabla.Col();
    Label6.Visible = false;
    Label9.Visible = false;
    if (modoFraccion == 0) tabla1.Visible = true;
    try {
        try {
            tabla.setRow(filaInicioFormato);
            tabla.setCol(colInicioFormato);
        } catch (const ErrorCuadricula&) {
            // No start cell: the current cell gets the grid's back colour instead.
        }
        tabla.setCellBackColor(tabla.BackColor);
        tabla.setRow(fila);
        tabla.setCol(col);
    } catch (const ErrorCuadricula&) {
    }
}

void Form1::rayaq() {
    if (tabla.Text() == " ") return;
    if (std::abs(filaFraccion - tabla.Row()) != 1) return;
    tabla.Redraw = false;
    const int fila = tabla.Row(), col = tabla.Col();
    try {
        tabla.setRow(filaFraccion);
        tabla.setCol(colFraccion);
        tabla.setColSel(col);
        tabla.setRowSel(filaFraccion);
        tabla.FillStyle = 1;
        tabla.setText("\x97");
        tipoletra();
    } catch (const ErrorCuadricula&) {
    }
    tabla.FillStyle = 0;
    tabla.setRow(fila);
    tabla.setCol(col);
    tabla.Redraw = true;
}

void Form1::texr_KeyPress(int& KeyAscii) {
    const bool digito = KeyAscii >= '1' && KeyAscii <= '9';
    if (!digito && KeyAscii != 8) {
        KeyAscii = 0;
        return;
    }
    std::string& texto = texr.Caption;
    if (texrTodoSeleccionado) {
        texto.clear();
        texrCaret = 0;
        texrTodoSeleccionado = false;
        if (KeyAscii == 8) return;
    }
    texrCaret = std::clamp(texrCaret, 0, static_cast<int>(texto.size()));
    if (KeyAscii == 8) {
        if (texrCaret > 0) texto.erase(static_cast<std::size_t>(--texrCaret), 1);
        return;
    }
    texto.insert(texto.begin() + texrCaret++, static_cast<char>(KeyAscii));
}

void Form1::texr_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    const int largo = static_cast<int>(texr.Caption.size());
    switch (KeyCode) {
    case kIzquierda:
        texrCaret = std::max(texrCaret - 1, 0);
        texrTodoSeleccionado = false;
        return;
    case kDerecha:
        texrCaret = std::min(texrCaret + 1, largo);
        texrTodoSeleccionado = false;
        return;
    case kInicio:
        texrCaret = 0;
        texrTodoSeleccionado = false;
        return;
    case kFin:
        texrCaret = largo;
        texrTodoSeleccionado = false;
        return;
    case kEsc:
        texr.Caption = "21";
        tabla.TabStop = true;
        Frame4.Visible = false;
        darFoco(Foco::tabla);
        return;
    case kIntro:
        break;
    default:
        return;
    }
    const std::string texto = texr.Caption;
    KeyCode = 0;
    descartarCaracterPropio();
    if (texto.size() < 2) {
        mensaje("Hay que introducir dos números; el primero es el índice del radical y, el "
                "segundo, el número de líneas en altura que abarca el radical.",
                "Renglero: Error");
        return;
    }
    if (texto[0] == '1') {
        mensaje("El índice del radical tiene que ser mayor que uno.", "Renglero: Error");
        texrCaret = 0;
        texrTodoSeleccionado = false;
        return;
    }
    lineasRaiz = texto.back() - '0';
    Frame4.Visible = false;
    tabla.TabStop = true;
    darFoco(Foco::tabla);
    dejarCorrerEventos();
    raizcuadrada();
    texr.Caption = "21";
}

void Form1::raizcuadrada() {
    const int r = tabla.Row(), e = tabla.Col();
    const int s = colInicioFormato, h = lineasRaiz;
    if (e - s <= h) {
        mensaje(e - s < 0 ? "La casilla final tiene que ser posterior a la casilla inicial."
                          : "El radical no se puede dibujar. Selecciona un radical más largo o "
                            "con menos líneas de capacidad.");
        // No radical is being drawn: a height left set would keep every later
        // format from covering its block.
        lineasRaiz = 0;
        return;
    }
    const int w = e - s - 2;
    auto teclear = [this](const std::string& signos) {
        for (char c : signos)
            postearCaracter(static_cast<unsigned char>(c));
        dejarCorrerEventos();
    };
    try {
        tabla.setCol(s);
        indiceRaiz = texr.Caption.substr(0, 1);
        dejarCorrerEventos();
        colInicioFormato = -1;
        teclear("\\/");
        if (std::atoi(indiceRaiz.c_str()) > 2) {
            tabla.setCol(tabla.Col() - 1);
            tabla.setRow(tabla.Row() - 1);
            fuenteSubindice = 1;
            teclear(indiceRaiz);
            tabla.setRow(tabla.Row() + 1);
        }
        for (int i = 1; i < h; ++i) {
            tabla.setRow(tabla.Row() - 1);
            teclear("/");
        }
        const int fila = tabla.Row(), col = tabla.Col();
        tabla.FillStyle = 1;
        tabla.setRow(fila - 1);
        tabla.setRowSel(fila - 1);
        tabla.setColSel(col + w - h + 1);
        tabla.setText("_");
        tipoletra();
        tabla.FillStyle = 0;
        filaInicioFormato = -1;
        tabla.setRow(fila);
        tabla.setCol(col);
    } catch (const ErrorCuadricula&) {
        tabla.FillStyle = 0;
    }
    (void)r;
    quitalabel();
    colInicioFormato = -1;
    filaInicioFormato = -1;
    lineasRaiz = 0;
}

} // namespace renglero
