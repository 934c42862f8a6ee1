// Typing into the grid: the filters and translations of each mode, writing a
// character with its cell's format, the advance, Enter, the format letters of
// the Ctrl prefix; and the grid's cell events.
#include <cctype>

#include "platform/Teclas.h"
#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {

constexpr int kRaya = 151;
constexpr int kPor = 215;

bool esDigito(int c) {
    return c >= '0' && c <= '9';
}

} // namespace

void Form1::tabla_KeyPress(int& KeyAscii) {
    int c = KeyAscii;
    KeyAscii = 0; // the grid never writes a character itself
    // A failing statement resets the current format and is skipped.
    auto intentar = [this](auto&& f) {
        if (!omitir<ErrorCuadricula>(f)) fucero();
    };
    if (caracterDescartado()) return;
    if (modoFraccion == 1 && tabla.Row() == filaFraccion) {
        if (c == '-' || c == '_') c = kRaya;
        if (c != kRaya && c != ' ' && c != 13) return;
    }
    if (teclaAnterior == kCtrl) {
        teclaAnterior = 0;
        quitalabel();
        aplicarLetraDeFormato(c);
        return;
    }
    if (Frame1.Visible) return;
    if (c == 9 || c == 27) return;
    if (c == 8) {
        intentar([&] { borrarAtras(); });
        return;
    }
    if (esDigito(c) && operacion == "|" && tabla.Row() == 1 && colDivisor - 4 < tabla.Col() &&
        tabla.Col() < colDivisor && tabla.Text() == " ") {
        intentar([&] { insertar(); });
        dejarCorrerEventos();
        intentar([&] { tabla.setRow(1); });
        tabla.setText(std::string(1, static_cast<char>(c)));
        intentar([&] { tabla.setCol(tabla.Col() + 1); });
        return;
    }
    if (modoTexto == 0) {
        if (c == '.') c = ',';
        if (c == '_') c = '-';
    }
    bool escribir = false;
    if ((c == '-' && ultimaTecla != kTecladoMenos) || esDigito(c)) {
        escribir = true;
    } else if (c == ',' && modoTexto == 0) {
        escribir = (operacion == "|" && tabla.Row() == 1) || !hayComaEnLaFila();
        if (!escribir) return;
    } else if (c == '*' && modoTexto == 1) {
        c = kPor;
        escribir = true;
    } else if (c == ' ' || c == '=' || (c == '+' && ultimaTecla != kTecladoMas)) {
        escribir = true;
    } else if ((c == 'x' || c == 'X') && modoTexto == 0) {
        c = kPor;
        escribir = true;
    } else if (c == 13) {
        intro();
        return;
    } else if (modoTexto == 1) {
        // Control characters are not signs to write.
        escribir = c >= 32 && c <= 255;
    }
    if (escribir) intentar([&] { escribirCaracter(c); });
}

// The comma check of Cuentas: a second comma in a row is refused. The bar
// of a square root splits each row into two numbers (the radicand and the
// root, a subtraction and a side calculation): only the cursor's side counts.
bool Form1::hayComaEnLaFila() {
    tabla.Redraw = false;
    const int recordada = tabla.Col();
    int desde = 0, hasta = tabla.Cols() - 1;
    if (operacion == "R" && colRaiz > 0 && colRaiz < tabla.Cols()) {
        if (recordada > colRaiz)
            desde = colRaiz + 1;
        else
            hasta = colRaiz - 1;
    }
    bool hay = false;
    for (int col = desde; col <= hasta && !hay; ++col) {
        tabla.setCol(col);
        hay = tabla.Text() == ",";
    }
    if (hay) {
        mensaje("Ya existe una coma en la fila.");
        tabla.Redraw = true;
        tabla.setCol(recordada);
        return true;
    }
    tabla.setCol(recordada);
    tabla.Redraw = true;
    return false;
}

void Form1::intro() {
    if (pasoMultiplicacion == 0 && operacion != "|" && operacion != "D" && operacion != "R")
        cambiardefila();
    if (pasoMultiplicacion == 1) cambiarmulti();
    if (operacion == "|") cambiardivi();
    if (operacion == "D") cambiardes();
    if (operacion == "R") cambiarraiz();
}

// The letter that ends a Ctrl format selection.
void Form1::aplicarLetraDeFormato(int c) {
    switch (std::toupper(c & 0xFF)) {
    case 'B':
        fuenteSubindice = 1;
        break;
    case 'P':
        fuenteSuperindice = 1;
        break;
    case 'N':
        fuenteNegrita = 1;
        break;
    case 'C':
        fuenteCursiva = 1;
        break;
    case 'S':
        fuenteSubrayado = 1;
        break;
    case '-':
    case '_':
        fuenteTachado = 1;
        break;
    case '1':
        colorActual = 12;
        break;
    case '2':
        colorActual = 2;
        break;
    case '3':
        colorActual = 9;
        break;
    case '0':
        colorActual = 0;
        break; // black, chosen: see below
    case 'X':
        fucero();
        if (tabla.celda().CellFontName == "Symbol") fuenteSimbolo = 1;
        tipoletra();
        return;
    default:
        return; // the selection is cancelled, nothing is typed
    }
    tabla.Redraw = false;
    copiarfuente();
    // Black is a chosen colour too: the cell's own colour must not replace it.
    if (c == '0') colorActual = 0;
    tipoletra();
    tabla.Redraw = true;
}

// Something is written into the grid: the instructions over the empty
// notebook go, and do not come back while it stays written.
void Form1::tablaEscrita() {
    tablaIntacta = 0;
    Frame3.Visible = false;
}

void Form1::escribirCaracter(int caracter) {
    tablaEscrita();
    tabla.Redraw = false;
    copiarfuente();
    tipoletra();
    tabla.Redraw = true;
    tabla.setText(std::string(1, static_cast<char>(caracter)));
    if (modoFraccion == 1) rayaq();
    ponerraya();
    if (sentido == "d" && tabla.Col() < tabla.Cols() - 1) tabla.setCol(tabla.Col() + 1);
    if (sentido == "i" && tabla.Col() >= 1) tabla.setCol(tabla.Col() - 1);
}

void Form1::tabla_EnterCell() {
    if (modoTexto == 1) {
        if (ultimaTecla == kEsc || ultimaTecla == kTeclaCedilla || Label6.Visible) return;
        seguirCursor();
        return;
    }
    if (operacion == "|") {
        bajando = ((tabla.Row() == 3 && tabla.Col() >= colDivisor) || tabla.Row() == 1) ? 0 : 1;
        dejarCorrerEventos();
        if (bajando == 1 && sentido == "d") {
            cambiarsentido();
            return;
        }
        if (bajando == 0 && sentido == "i") cambiarsentido();
    }
    if (operacion == "R" && tabla.Col() > colRaiz) {
        Label1.Caption = "<---";
        cambiarsentido();
    }
}

// Texto: the view keeps 5 columns and 2 rows between the cursor and its
// edges, jumping 5 columns or 3 rows at a time.
void Form1::seguirCursor() {
    const int fila = tabla.Row(), col = tabla.Col();
    const int filas = tabla.Rows(), cols = tabla.Cols();
    auto ajustar = [](auto&& f) { omitir<ErrorCuadricula>(f); };
    ajustar([&] {
        if (col + 5 > cols - 1)
            tabla.setLeftCol(cols - 5);
        else if (!tabla.ColIsVisible(col + 5))
            tabla.setLeftCol(tabla.LeftCol() + 5 < cols ? tabla.LeftCol() + 5 : cols - 5);
    });
    ajustar([&] {
        if (col - 5 < 0)
            tabla.setLeftCol(0);
        else if (!tabla.ColIsVisible(col - 5))
            tabla.setLeftCol(std::max(tabla.LeftCol() - 5, 0));
    });
    if (fila > filas - 3) return;
    ajustar([&] {
        if (!tabla.RowIsVisible(fila + 2))
            tabla.setTopRow(tabla.TopRow() + 3 < filas ? tabla.TopRow() + 3 : filas - 2);
    });
    ajustar([&] {
        if (fila - 2 < 0)
            tabla.setTopRow(0);
        else if (!tabla.RowIsVisible(fila - 2))
            tabla.setTopRow(std::max(tabla.TopRow() - 3, 0));
    });
}

void Form1::tabla_LeaveCell() {
    const int relleno = tabla.FillStyle;
    tabla.FillStyle = 0; // only the cell being left
    if (tabla.Text() == "\x97")
        tabla.setCellFontSize(18);
    else if (tabla.celda().CellFontSize == 18)
        tabla.setCellFontSize(14);
    tabla.FillStyle = relleno;
}

void Form1::tabla_RowColChange() {
    ponercolu();
    // While the table manager is open the pupil cannot move the notebook's
    // cursor; the notebook's own procedures (a layout laid out from its
    // button, a grid rebuilt for a new line width) move it freely, or they
    // would blank and write the grid from a cursor that does not move.
    if (!Frame2.Visible || !movimientoDeLaTabla_) {
        filaGuardada = tabla.Row();
        colGuardada = tabla.Col();
        return;
    }
    if (tabla.Row() != filaGuardada) tabla.setRow(filaGuardada);
    if (tabla.Col() != colGuardada) tabla.setCol(colGuardada);
}

void Form1::tabla_GotFocus() {
    if (Frame2.Visible) darFoco(Foco::Teta);
}

} // namespace renglero
