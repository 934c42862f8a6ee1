// In Texto mode the view follows the cursor with a margin of 5 columns and 2
// rows, jumping 5 columns or 3 rows at a time; the scroll bars take their room
// from the cells and scroll the view; the table manager's place in the window.
#include <gtest/gtest.h>

#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

class Vista : public ::testing::Test {
  protected:
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();

    void SetUp() override {
        f.anchoLineaWord = 453.5F;
        conductor.linea("keys ç");
        // Rows 0 to 19 and columns 0 to 19 visible beside the scroll bars.
        f.tabla.Height = 20 * 340 + 100 + kGrosorBarra;
        f.tabla.Width = 20 * 360 + 100 + kGrosorBarra;
    }
};

TEST_F(Vista, BajarCercaDelBordeDesplazaTresFilas) {
    f.tabla.setRow(17);
    EXPECT_EQ(f.tabla.TopRow(), 0);
    f.tabla.setRow(18);
    EXPECT_EQ(f.tabla.TopRow(), 3);
}

TEST_F(Vista, SubirCercaDelBordeDesplazaTresFilas) {
    f.tabla.setTopRow(10);
    f.tabla.setRow(13);
    EXPECT_EQ(f.tabla.TopRow(), 10);
    f.tabla.setRow(11);
    EXPECT_EQ(f.tabla.TopRow(), 7);
    f.tabla.setRow(1);
    EXPECT_EQ(f.tabla.TopRow(), 0);
}

TEST_F(Vista, AvanzarCercaDelBordeDesplazaCincoColumnas) {
    f.tabla.setCol(14);
    EXPECT_EQ(f.tabla.LeftCol(), 0);
    f.tabla.setCol(15);
    EXPECT_EQ(f.tabla.LeftCol(), 5);
}

TEST_F(Vista, LaColumnaCeroLlevaLaVistaAlPrincipio) {
    f.tabla.setLeftCol(10);
    f.tabla.setCol(1);
    f.tabla.setCol(0);
    EXPECT_EQ(f.tabla.LeftCol(), 0);
}

TEST_F(Vista, CercaDelFinalLaVistaMuestraLasUltimasColumnas) {
    f.tabla.setCol(60);
    EXPECT_TRUE(f.tabla.ColIsVisible(61));
    EXPECT_TRUE(f.tabla.ColIsVisible(60));
}

TEST_F(Vista, ConLaSeleccionDeFormatoPendienteLaVistaNoSeMueve) {
    conductor.linea("keys {Ctrl}");
    ASSERT_TRUE(f.Label6.Visible);
    f.tabla.setRow(18);
    EXPECT_EQ(f.tabla.TopRow(), 0);
}

TEST_F(Vista, EnCuentasLaVistaNoSigueAlCursor) {
    conductor.linea("keys {Esc} {Esc} ç");
    ASSERT_EQ(f.modoTexto, 0);
    f.tabla.Height = 5 * 300;
    f.tabla.setRow(10);
    EXPECT_EQ(f.tabla.TopRow(), 0);
}

} // namespace

namespace {

class Barras : public ::testing::Test {
  protected:
    std::ostringstream salida;
    Conductor conductor{salida};
    Form1& f = conductor.form();
};

TEST_F(Barras, EnTextoHayDosBarrasQueQuitanSuSitioALasCeldas) {
    conductor.linea("keys ç");
    ASSERT_EQ(f.tabla.ScrollBars, 3);
    EXPECT_TRUE(f.tabla.barraVertical());
    EXPECT_TRUE(f.tabla.barraHorizontal());
    EXPECT_EQ(f.tabla.altoVisible(), f.tabla.Height - kGrosorBarra);
    EXPECT_EQ(f.tabla.anchoVisible(), f.tabla.Width - kGrosorBarra);
    // A row that the horizontal bar covers is not visible.
    const int filas = f.tabla.filasVisibles();
    EXPECT_EQ(filas, (f.tabla.Height - kGrosorBarra) / 340);
    EXPECT_TRUE(f.tabla.RowIsVisible(filas - 1));
    EXPECT_FALSE(f.tabla.RowIsVisible(filas));
    EXPECT_EQ(f.tabla.filaArribaMaxima(), 50 - filas);
}

TEST_F(Barras, EnCuentasNoHayBarras) {
    EXPECT_EQ(f.tabla.ScrollBars, 0);
    EXPECT_FALSE(f.tabla.barraVertical());
    EXPECT_FALSE(f.tabla.barraHorizontal());
    EXPECT_EQ(f.tabla.altoVisible(), f.tabla.Height);
}

TEST_F(Barras, UnaBarraSoloDondeLasCeldasNoCaben) {
    conductor.linea("keys ç");
    // Every column fits, even beside the vertical bar: no horizontal bar.
    f.tabla.Width = f.tabla.Cols() * 360 + kGrosorBarra;
    EXPECT_TRUE(f.tabla.barraVertical());
    EXPECT_FALSE(f.tabla.barraHorizontal());
    // They fit only without the vertical bar, which the rows need: both bars.
    f.tabla.Width = f.tabla.Cols() * 360 + 10;
    EXPECT_TRUE(f.tabla.barraHorizontal());
}

TEST_F(Barras, DesplazarConLasBarrasNoMueveElCursor) {
    conductor.linea("keys ç");
    f.desplazarTabla(20, 7);
    EXPECT_EQ(f.tabla.TopRow(), 20);
    EXPECT_EQ(f.tabla.LeftCol(), 7);
    EXPECT_EQ(f.tabla.Row(), 2);
    EXPECT_EQ(f.tabla.Col(), 1);
    // Beyond the ends the view stops at the last rows and columns.
    f.desplazarTabla(1000, -5);
    EXPECT_EQ(f.tabla.TopRow(), f.tabla.filaArribaMaxima());
    EXPECT_EQ(f.tabla.LeftCol(), 0);
}

TEST_F(Barras, UnaCeldaSeSituaDesdeLaPrimeraFilaYColumnaDeLaVista) {
    conductor.linea("keys ç");
    f.desplazarTabla(20, 7);
    int x = -1, y = -1;
    ASSERT_TRUE(f.tabla.origenEnVista(20, 7, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(f.tabla.origenEnVista(22, 10, x, y));
    EXPECT_EQ(x, 3 * 360);
    EXPECT_EQ(y, 2 * 340);
    // Scrolled out above or left, or under a bar: not in the view.
    EXPECT_FALSE(f.tabla.origenEnVista(19, 7, x, y));
    EXPECT_FALSE(f.tabla.origenEnVista(20, 6, x, y));
    EXPECT_FALSE(f.tabla.origenEnVista(20 + f.tabla.filasVisibles() + 1, 7, x, y));
    EXPECT_FALSE(f.tabla.origenEnVista(50, 7, x, y));
}

TEST_F(Barras, EnCuentasLaVistaNoSeDesplaza) {
    f.desplazarTabla(3, 3);
    EXPECT_EQ(f.tabla.TopRow(), 0);
    EXPECT_EQ(f.tabla.LeftCol(), 0);
}

// The table manager lies below the status line, which it changes, and below
// the operation buttons, in every layout of the window.
void comprobarGestor(const Form1& f) {
    const Control& m = f.Frame2;
    EXPECT_GE(m.Top, f.Label2.Top + f.Label2.Height);
    if (f.modoTexto == 0) {
        EXPECT_GE(m.Top, f.Frame5.Top + f.Frame5.Height);
    }
    EXPECT_LE(m.Top + m.Height, f.Height - f.margenVentana);
    EXPECT_EQ(m.Caption, "Manejar Tablas en el documento de Word");
    // Its legend stays inside it, under its instructions.
    EXPECT_LE(kAltoTituloMarco + f.Label8.Top + f.Label8.Height, m.Height);
    EXPECT_LE(f.Lt.Top + f.Lt.Height, f.Label4.Top);
}

TEST_F(Barras, ElGestorDeTablasNoTapaLaLineaDeEstadoNiLosBotones) {
    comprobarGestor(f);
    conductor.linea("keys h");
    comprobarGestor(f);
    conductor.linea("keys H ç");
    comprobarGestor(f);
    conductor.linea("keys {Ctrl} H");
    comprobarGestor(f);
}

} // namespace
