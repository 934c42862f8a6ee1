// A pupil's whole operations worked in the real window from real key events,
// cell for cell as on paper.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

#include "ConCuaderno.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

class CuentasEnLaVentana : public prueba::ConCuaderno {
  protected:
    // Types a script: digits, Enter ('\n'), Left ('<') and the keypad's
    // operation keys ('/', '*', '+').
    void teclear(const std::string& teclas) {
        VentanaQt* v = &cuaderno.ventana();
        for (char c : teclas) {
            switch (c) {
            case '\n':
                QTest::keyClick(v, Qt::Key_Return);
                break;
            case '<':
                QTest::keyClick(v, Qt::Key_Left);
                break;
            case '/':
                QTest::keyClick(v, Qt::Key_Slash, Qt::KeypadModifier, -1);
                break;
            case '*':
                QTest::keyClick(v, Qt::Key_Asterisk, Qt::KeypadModifier, -1);
                break;
            case '+':
                QTest::keyClick(v, Qt::Key_Plus, Qt::KeypadModifier, -1);
                break;
            default:
                QTest::keyClick(v, c);
                break;
            }
        }
    }

    std::string fila(int r) {
        std::string texto;
        for (int c = 0; c < cuaderno.form().tabla.Cols(); ++c)
            texto += cuaderno.form().tabla.TextMatrix(r, c);
        while (!texto.empty() && texto.back() == ' ')
            texto.pop_back();
        return texto;
    }
};

TEST_F(CuentasEnLaVentana, UnaDivisionEnteraComoEnElPapel) {
    teclear("936\n4/");
    ASSERT_EQ(cuaderno.form().operacion, "|");
    teclear("2\n<1\n3\n3\n1\n6\n4\n0");
    EXPECT_EQ(fila(1), " 936   |4");
    EXPECT_EQ(fila(2), " 13    \x97\x97\x97\x97");
    EXPECT_EQ(fila(3), "  16    234");
    EXPECT_EQ(fila(4), "   0");
    EXPECT_EQ(cuaderno.form().tabla.Row(), 4);
    EXPECT_EQ(cuaderno.form().tabla.Col(), 2);
}

TEST_F(CuentasEnLaVentana, UnaMultiplicacionEnteraConSuSuma) {
    teclear("125\n23*");
    ASSERT_EQ(cuaderno.form().operacion, "X");
    teclear("573\n052\n+5782");
    EXPECT_EQ(fila(1), "                    125");
    EXPECT_EQ(fila(2), "                   \xD7 23");
    EXPECT_EQ(fila(3), "                  \x97\x97\x97\x97\x97\x97");
    EXPECT_EQ(fila(4), "                    375");
    EXPECT_EQ(fila(5), "                   250");
    EXPECT_EQ(fila(6), "                  \x97\x97\x97\x97\x97\x97");
    EXPECT_EQ(fila(7), "                   2875");
}

} // namespace
