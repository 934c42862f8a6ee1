// In Texto mode the view follows the cursor with a margin of 5 columns and 2
// rows, jumping 5 columns or 3 rows at a time.
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
        f.tabla.Height = 20 * 340 + 100; // rows 0 to 19 visible
        f.tabla.Width = 20 * 360 + 100;  // columns 0 to 19 visible
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
