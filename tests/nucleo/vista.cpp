// The grid's view and scroll bars, the table manager's place, cells as drawn, F6's palette.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"
#include "platform/CodigoPagina.h"

using namespace renglero;

namespace {

class Vista : public ::testing::Test {
  protected:
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();
};

struct Paso {
    int arriba, izquierda;                   // the view before
    std::vector<std::pair<int, int>> celdas; // the cursor's moves
    int arribaDespues, izquierdaDespues;     // the view after
};

TEST_F(Vista, SigueAlCursorEnTexto) {
    const Paso pasos[] = {
        {0, 0, {{17, 1}}, 0, 0},           // two rows left below: still
        {0, 0, {{18, 1}}, 3, 0},           // fewer: three rows down
        {10, 0, {{13, 1}, {11, 1}}, 7, 0}, // and up
        {10, 0, {{1, 1}}, 0, 0},           // near the top: the first row
        {27, 0, {{47, 1}}, 30, 0},         // three rows from the end: the last rows
        {0, 0, {{2, 14}}, 0, 0},           // five columns left at the right
        {0, 0, {{2, 15}}, 0, 5},
        {0, 10, {{2, 1}, {2, 0}}, 0, 0}, // column 0: the view's start
        {0, 10, {{2, 4}}, 0, 0},         // fewer than five columns before it too
        {0, 0, {{2, 60}}, 0, 42},        // near the end: the last columns
        {0, 0, {{2, 57}}, 0, 42},        // fewer than five columns after it too
    };
    // Texto, rows 0 to 19 and columns 0 to 19 visible beside the scroll bars.
    f.anchoLineaWord = 453.5F;
    conductor.linea("keys ç");
    f.tabla.Height = 20 * 340 + 100 + kGrosorBarra;
    f.tabla.Width = 20 * 360 + 100 + kGrosorBarra;
    for (const Paso& p : pasos) {
        f.tabla.setRow(2);
        f.tabla.setCol(1);
        f.tabla.setTopRow(p.arriba);
        f.tabla.setLeftCol(p.izquierda);
        for (const auto& [fila, col] : p.celdas) {
            f.tabla.setRow(fila);
            f.tabla.setCol(col);
        }
        EXPECT_EQ(f.tabla.TopRow(), p.arribaDespues) << p.celdas.back().first;
        EXPECT_EQ(f.tabla.LeftCol(), p.izquierdaDespues) << p.celdas.back().second;
    }
    // With a format selection pending the view holds still.
    conductor.linea("keys {Ctrl}");
    ASSERT_TRUE(f.Label6.Visible);
    f.tabla.setRow(18);
    EXPECT_EQ(f.tabla.TopRow(), 0);
}

// Cuentas has no scroll bars and does not scroll.
TEST_F(Vista, LasBarrasQuitanSuSitioALasCeldas) {
    f.tabla.Height = 5 * 300;
    f.desplazarTabla(3, 3);
    EXPECT_EQ(std::pair(f.tabla.TopRow(), f.tabla.LeftCol()), std::pair(0, 0));
    EXPECT_FALSE(f.tabla.barraVertical() || f.tabla.barraHorizontal());
    EXPECT_EQ(f.tabla.altoVisible(), f.tabla.Height);
    conductor.linea("keys ç");
    EXPECT_EQ(f.tabla.altoVisible(), f.tabla.Height - kGrosorBarra);
    EXPECT_EQ(f.tabla.anchoVisible(), f.tabla.Width - kGrosorBarra);
    // A row that the horizontal bar covers is not visible.
    const int filas = f.tabla.filasVisibles();
    EXPECT_EQ(filas, (f.tabla.Height - kGrosorBarra) / 340);
    EXPECT_TRUE(f.tabla.RowIsVisible(filas - 1));
    EXPECT_FALSE(f.tabla.RowIsVisible(filas));
    EXPECT_EQ(f.tabla.filaArribaMaxima(), 50 - filas);
    // A bar only where the cells do not fit, beside the other bar or not.
    f.tabla.Width = f.tabla.Cols() * 360 + kGrosorBarra;
    EXPECT_TRUE(f.tabla.barraVertical());
    EXPECT_FALSE(f.tabla.barraHorizontal());
    f.tabla.Width = f.tabla.Cols() * 360 + 10;
    EXPECT_TRUE(f.tabla.barraHorizontal());
    // Rows that fill the height exactly need no bar.
    f.tabla.Width = f.tabla.Cols() * 360 + kGrosorBarra + 100;
    f.tabla.Height = 50 * 340;
    EXPECT_FALSE(f.tabla.barraVertical());
}

TEST_F(Vista, LasBarrasDesplazanSinMoverElCursor) {
    conductor.linea("keys ç");
    f.desplazarTabla(20, 7);
    EXPECT_EQ(std::pair(f.tabla.Row(), f.tabla.Col()), std::pair(2, 1));
    // A cell scrolled out above or left, or under a bar, is not in the view.
    int x = -1, y = -1;
    ASSERT_TRUE(f.tabla.origenEnVista(22, 10, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(3 * 360, 2 * 340));
    EXPECT_FALSE(f.tabla.origenEnVista(19, 7, x, y));
    EXPECT_FALSE(f.tabla.origenEnVista(20, 6, x, y));
    EXPECT_FALSE(f.tabla.origenEnVista(20 + f.tabla.filasVisibles() + 1, 7, x, y));
    // Beyond the ends the view stops at the last rows and columns.
    f.desplazarTabla(1000, -5);
    EXPECT_EQ(std::pair(f.tabla.TopRow(), f.tabla.LeftCol()),
              std::pair(f.tabla.filaArribaMaxima(), 0));
}

// In every layout of the window; its legend inside it.
TEST_F(Vista, ElGestorDeTablasNoTapaLaLineaDeEstadoNiLosBotones) {
    for (const char* teclas : {"", "keys h", "keys H ç", "keys {Ctrl} H"}) {
        conductor.linea(teclas);
        const Control& m = f.Frame2;
        EXPECT_GE(m.Top, f.Label2.Top + f.Label2.Height) << teclas;
        if (f.modoTexto == 0) {
            EXPECT_GE(m.Top, f.Frame5.Top + f.Frame5.Height) << teclas;
        }
        EXPECT_LE(m.Top + m.Height, f.Height - f.margenVentana) << teclas;
        EXPECT_LE(kAltoTituloMarco + f.Label8.Top + f.Label8.Height, m.Height) << teclas;
        EXPECT_LE(f.Lt.Top + f.Lt.Height, f.Label4.Top) << teclas;
    }
}

// A figure the program puts over a stroke is drawn at the normal size again.
TEST_F(Vista, UnaRayaSeVeMasGrandeAlDejarLaCelda) {
    f.tabla.setRow(3);
    for (const char* texto : {"\x97", "5"}) {
        f.tabla.setCol(3);
        f.tabla.setText(texto);
        f.tabla.setCol(4);
        EXPECT_FLOAT_EQ(f.tabla.celda(3, 3).CellFontSize, texto[0] == '5' ? 14 : 18);
    }
}

TEST_F(Vista, LosSignosDeLaPaleta) {
    std::string signos;
    for (int c = 0; c < f.tablae.Cols(); ++c)
        signos += aUtf8(f.tablae.TextMatrix(0, c), f.tablae.celda(0, c).CellFontName == "Symbol");
    EXPECT_EQ(signos, "—·÷‰±≤≥≠∑∇∞↔←↑→↓∂≅παβγδΔωμελφΦΩ¼½¾");
}

} // namespace
