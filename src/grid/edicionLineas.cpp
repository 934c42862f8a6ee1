// Line-wise editing of the notebook: a new line (and finishing a fraction),
// opening and closing cells, clearing, and Backspace.
#include <algorithm>

#include "shell/Form1.h"
#include "shell/omitir.h"

namespace renglero {

namespace {
const std::string kBlanco = " ";
const std::string kRaya = "\x97";

bool escrita(const std::string& celda) {
    return celda != kBlanco && !celda.empty();
}
} // namespace

// Moves the text and format of cell (fila, desde) to (fila, hacia).
void Form1::moverCelda(int fila, int desde, int hacia, bool primerCaracter) {
    tabla.setRow(fila);
    tabla.setCol(desde);
    std::string texto = tabla.Text();
    if (primerCaracter && texto.size() > 1) texto.resize(1);
    copiarfuente();
    tabla.setCol(hacia);
    tipoletra();
    tabla.setText(texto);
}

// The current cell in plain format, blank.
void Form1::blanquearCelda() {
    fucero();
    tipoletra();
    tabla.setText(kBlanco);
}

void Form1::cambiardefila() {
    auto intentar = [this](auto&& f) {
        if (!omitir<ErrorCuadricula>(f)) fuenteSimbolo = 0;
    };
    if (modoFraccion != 1) {
        const int recordada = tabla.Col();
        int inicio = -1;
        for (int c = 0; c < tabla.Cols() && inicio < 0; ++c)
            if (tabla.TextMatrix(tabla.Row(), c) != kBlanco) inicio = c;
        intentar([&] { tabla.setRow(tabla.Row() + 1); });
        intentar([&] { tabla.setCol(inicio >= 0 ? inicio : recordada); });
        return;
    }
    terminarFraccion();
}

// While a fraction is written its two prompts stand where the format bar was.
void Form1::indicacionesFraccion(bool visibles) {
    Label5.Visible = visibles;
    Label7.Visible = visibles;
    tabla1.Visible = !visibles;
}

// Finishes a fraction: the bar cut to the longer of numerator and
// denominator, both centred over it, the cursor after the bar.
void Form1::terminarFraccion() {
    tabla.Redraw = false;
    tabla.ScrollBars = 0;
    const int cols = tabla.Cols();
    const int filaNum = filaFraccion - 1, filaDen = filaFraccion + 1;
    auto texto = [&](int r, int c) {
        return (r >= 0 && r < tabla.Rows()) ? tabla.TextMatrix(r, c) : kBlanco;
    };
    try {
        tabla.setRow(filaFraccion);
        int c = colFraccion;
        while (c < cols && tabla.TextMatrix(filaFraccion, c) == kRaya)
            ++c;
        finBarra = c - 1;
        auto extension = [&](int fila, int& inicio, int& largo) {
            inicio = finBarra + 1;
            for (int k = colFraccion; k <= finBarra; ++k)
                if (texto(fila, k) != kBlanco) {
                    inicio = k;
                    break;
                }
            int fin = colFraccion - 1;
            for (int k = finBarra; k >= colFraccion; --k)
                if (texto(fila, k) != kBlanco) {
                    fin = k;
                    break;
                }
            largo = std::max(fin - inicio + 1, 0);
        };
        int inicioNum = 0, largoNum = 0, inicioDen = 0, largoDen = 0;
        extension(filaNum, inicioNum, largoNum);
        extension(filaDen, inicioDen, largoDen);
        const int largo = std::max(largoNum, largoDen);
        for (int k = colFraccion + largo; k <= finBarra; ++k) {
            tabla.setCol(k);
            tabla.setText(kBlanco);
        }
        auto centrar = [&](int fila, int inicio, int largoParte) {
            if (fila < 0 || fila >= tabla.Rows()) return;
            const int d = (inicio - colFraccion) - (largo - largoParte) / 2;
            tabla.setRow(fila);
            tabla.setCol(colFraccion);
            for (int i = 0; i < d; ++i)
                suprimir();
            for (int i = 0; i < -d; ++i)
                insertar();
        };
        centrar(filaNum, inicioNum, largoNum);
        centrar(filaDen, inicioDen, largoDen);
        tabla.setRow(filaFraccion);
        tabla.setCol(std::min(colFraccion + largo + 1, cols - 1));
    } catch (const ErrorCuadricula&) {
        fuenteSimbolo = 0;
    }
    indicacionesFraccion(false);
    modoFraccion = 0;
    colFraccion = 0;
    filaFraccion = 0;
    finBarra = 0;
    tabla.ScrollBars = 3;
    tabla.Redraw = true;
}

// Whether Ins would push a written cell off the end of a row it works on:
// the cursor's row, rows 2 and 3 too in a division's dividend, and every row
// under the radicand of a square root.
bool Form1::insertarPerderiaCelda() const {
    const int ultima = tabla.Cols() - 1;
    if (ultima < 0) return false;
    if (escrita(tabla.TextMatrix(tabla.Row(), ultima))) return true;
    const bool enDividendo = operacion == "|" && tabla.Row() == 1 && tabla.Col() < colDivisor;
    for (int r = 2; enDividendo && r <= 3 && r < tabla.Rows(); ++r)
        if (escrita(tabla.TextMatrix(r, ultima))) return true;
    // In the radicand every row under it moves right of the bar as well.
    const bool enRadicando = operacion == "R" && tabla.Row() == 1 && tabla.Col() < colRaiz;
    for (int r = 2; enRadicando && r < tabla.Rows(); ++r)
        if (escrita(tabla.TextMatrix(r, ultima))) return true;
    return false;
}

void Form1::insertar() {
    tabla.Redraw = false;
    tabla.ScrollBars = 0;
    const int r0 = tabla.Row(), c0 = tabla.Col();
    // The walk along the row ends where it began; so does the view.
    const Cuadricula::Vista vista = tabla.vista();
    auto intentar = [this](auto&& f) {
        if (!omitir<ErrorCuadricula>(f)) fucero();
    };
    const bool division = operacion == "|" && r0 == 1 && c0 < colDivisor;
    if (division) colDivisor = colDivisor + 1;
    const int filas = division ? 3 : 1;
    const bool acabandoFraccion = modoFraccion == 1 && finBarra > 0;
    for (int k = 0; k < filas; ++k) {
        const int fila = r0 + k;
        const int desde = k == 0 ? c0 : colDivisor - 1;
        for (int c = tabla.Cols() - 2; c >= desde; --c) {
            if (acabandoFraccion && c >= finBarra) continue;
            intentar([&] { moverCelda(fila, c, c + 1, true); });
        }
        intentar([&] {
            tabla.setRow(fila);
            tabla.setCol(desde);
            blanquearCelda();
        });
    }
    intentar([&] {
        tabla.setRow(r0);
        tabla.setCol(c0);
    });
    if (operacion == "R" && tabla.Row() == 1 && tabla.Col() < colRaiz) {
        for (int r = 2; r < tabla.Rows(); ++r) {
            for (int c = tabla.Cols() - 2; c >= colRaiz; --c)
                tabla.setTextMatrix(r, c + 1, tabla.TextMatrix(r, c));
            intentar([&] { tabla.setTextMatrix(r, colRaiz, kBlanco); });
        }
        colRaiz = colRaiz + 1;
        lineaSuperiorRaiz();
    }
    tabla.setVista(vista);
    if (modoTexto == 1) tabla.ScrollBars = 3;
    tabla.Redraw = true;
}

// Whether Del in the radicand of a square root would move the bar over a
// figure written just left of it in the rows below.
bool Form1::suprimirPisariaCelda() const {
    if (operacion != "R" || tabla.Row() != 1 || tabla.Col() >= colRaiz || colRaiz < 1 ||
        colRaiz >= tabla.Cols())
        return false;
    for (int r = 2; r < tabla.Rows(); ++r)
        if (escrita(tabla.TextMatrix(r, colRaiz - 1))) return true;
    return false;
}

void Form1::suprimir() {
    // As Ins where it would lose a cell: a beep, and nothing changes.
    if (suprimirPisariaCelda()) {
        plataforma.pitar();
        return;
    }
    tabla.ScrollBars = 0;
    tabla.Redraw = false;
    const int fila = tabla.Row(), c0 = tabla.Col();
    const int ultima = tabla.Cols() - 1;
    const Cuadricula::Vista vista = tabla.vista();
    for (int c = c0; c <= ultima - 1; ++c) {
        if (modoFraccion == 1 && finBarra > 0 && c > finBarra) continue;
        if (modoFraccion == 1 && c == finBarra) {
            tabla.setCol(c);
            blanquearCelda();
        } else {
            moverCelda(fila, c + 1, c, false);
        }
    }
    tabla.setCol(ultima);
    blanquearCelda();
    tabla.setCol(c0);
    if (tabla.Col() < colRaiz && tabla.Row() == 1 && operacion == "R") {
        // The bar and the work right of it close up with the radicand.
        for (int r = 2; r < tabla.Rows(); ++r) {
            for (int c = std::max(colRaiz, 1); c <= ultima; ++c)
                tabla.setTextMatrix(r, c - 1, tabla.TextMatrix(r, c));
            tabla.setTextMatrix(r, ultima, kBlanco);
        }
        if (colRaiz >= 1) tabla.setTextMatrix(0, colRaiz - 1, kBlanco);
        colRaiz = colRaiz - 1;
        lineaSuperiorRaiz();
    }
    if (modoFraccion == 1 && finBarra == 0) rayaq();
    tabla.setVista(vista);
    if (modoTexto == 1) tabla.ScrollBars = 3;
    tabla.Redraw = true;
}

// The radical's top line over the radicand: "_" in row 0, columns 3 to colRaiz - 1.
void Form1::lineaSuperiorRaiz() {
    for (int c = 3; c <= colRaiz - 1 && c < tabla.Cols(); ++c)
        tabla.setTextMatrix(0, c, "_");
}

void Form1::borrar() {
    if (modoTexto == 1 && !Frame1.Visible) {
        Mensa.Caption = "BORRAR LA TABLA DE <RENGLERO>\r\rPulsa la tecla [ Esc ] para confirmar u "
                        "otra tecla para anular la operación";
        Frame1.Visible = true;
        return;
    }
    tabla.Clear();
    operacion.clear();
    modoFraccion = 0;
    finBarra = 0;
    tablaIntacta = 1;
    indicacionesFraccion(false);
    largoMultiplicando = 0;
    largoMultiplicador = 0;
    pasoMultiplicacion = 0;
    rellenar();
    if (modoTexto == 1) {
        tabla.setRow(std::min(2, tabla.Rows() - 1));
        tabla.setCol(std::min(1, tabla.Cols() - 1));
    } else {
        tabla.setRow(std::min(1, tabla.Rows() - 1));
        tabla.setCol(std::min(3, tabla.Cols() - 1));
        Frame5.Visible = true;
    }
    if (sentido == "i") cambiarsentido();
    ultimaTecla = 0;
}

void Form1::borrarAtras() {
    if (tabla.Col() < 1) return;
    tabla.setCol(tabla.Col() - 1);
    tipoletra();
    tabla.setText(kBlanco);
    if (modoFraccion == 1) rayaq();
}

} // namespace renglero
