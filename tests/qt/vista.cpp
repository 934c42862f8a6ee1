// What the real window shows of the notebook's view and panels: the scroll
// bars of Texto mode in step with the grid's view, and the table manager
// with its caption, below the status line.
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>

#include "ConCuaderno.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

class VistaDeLaVentana : public prueba::ConCuaderno {
  protected:
    void tecla(Qt::Key k) { QTest::keyClick(&ventana(), k); }

    // Pixels of a region that have this colour.
    static int pixelesDeColor(const QImage& imagen, const QRect& r, const QColor& color) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (imagen.pixelColor(x, y) == color) ++n;
        return n;
    }
};

TEST_F(VistaDeLaVentana, EnCuentasNoHayBarras) {
    EXPECT_FALSE(ventana().barraVertical()->isVisible());
    EXPECT_FALSE(ventana().barraHorizontal()->isVisible());
}

TEST_F(VistaDeLaVentana, EnTextoLasBarrasSiguenALaVista) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    ASSERT_EQ(form().modoTexto, 1);
    QScrollBar* v = ventana().barraVertical();
    QScrollBar* h = ventana().barraHorizontal();
    ASSERT_TRUE(v->isVisible());
    ASSERT_TRUE(h->isVisible());
    // At the right and bottom edges of the grid, inside the window.
    const Cuadricula& g = form().tabla;
    const QRect rejilla(ventana().aPixeles(g.Left), ventana().aPixeles(g.Top),
                        ventana().aPixeles(g.Width), ventana().aPixeles(g.Height));
    EXPECT_TRUE(ventana().rect().contains(v->geometry()));
    EXPECT_TRUE(ventana().rect().contains(h->geometry()));
    EXPECT_NEAR(v->geometry().right(), rejilla.right(), 1);
    EXPECT_NEAR(h->geometry().bottom(), rejilla.bottom(), 1);
    EXPECT_FALSE(v->geometry().intersects(h->geometry()));
    // Their ranges are the rows and columns the view can scroll through.
    EXPECT_EQ(v->maximum(), g.filaArribaMaxima());
    EXPECT_EQ(v->pageStep(), g.filasVisibles());
    EXPECT_EQ(h->maximum(), g.colIzquierdaMaxima());
    EXPECT_EQ(v->value(), 0);
    // The cursor going down scrolls the view, and the bar with it.
    for (int i = 0; i < 12; ++i)
        tecla(Qt::Key_Down);
    ASSERT_GT(g.TopRow(), 0);
    EXPECT_EQ(v->value(), g.TopRow());
    tecla(Qt::Key_End);
    ASSERT_GT(g.LeftCol(), 0);
    EXPECT_EQ(h->value(), g.LeftCol());
    // No cell is painted under a bar.
    EXPECT_FALSE(ventana().rectCelda(g.TopRow(), g.Cols() - 1).intersects(v->geometry()));
}

TEST_F(VistaDeLaVentana, UnClicEnLasBarrasDesplazaLaVistaSinMoverElCursor) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    QTest::keyClick(&ventana(), Qt::Key_A);
    const Cuadricula& g = form().tabla;
    QScrollBar* v = ventana().barraVertical();
    QScrollBar* h = ventana().barraHorizontal();
    ASSERT_EQ(g.TopRow(), 0);
    ASSERT_FALSE(ventana().rectCelda(2, 1).isNull());
    // The groove below the slider: one page down.
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier,
                      QPoint(v->width() / 2, v->height() - v->width() * 2));
    EXPECT_EQ(g.TopRow(), g.filasVisibles());
    EXPECT_EQ(v->value(), g.TopRow());
    // The right arrow: one column.
    QTest::mouseClick(h, Qt::LeftButton, Qt::NoModifier,
                      QPoint(h->width() - h->height() / 2, h->height() / 2));
    EXPECT_EQ(g.LeftCol(), 1);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
    // The written cell has scrolled out of the painted view.
    EXPECT_TRUE(ventana().rectCelda(2, 1).isNull());
    // The keyboard stays with the notebook.
    EXPECT_TRUE(ventana().hasFocus());
    QTest::keyClick(&ventana(), Qt::Key_B);
    EXPECT_EQ(g.TextMatrix(2, 2), "b");
}

TEST_F(VistaDeLaVentana, UnPanelEncimaTapaLaBarraQueCubre) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    tecla(Qt::Key_F5);
    ASSERT_TRUE(form().Ayuda.Visible);
    // The help covers the bottom bar; the right one lies beside it.
    EXPECT_FALSE(ventana().barraHorizontal()->isVisible());
    EXPECT_FALSE(
        ventana().rectControl(form().Ayuda).intersects(ventana().barraVertical()->geometry()) &&
        ventana().barraVertical()->isVisible());
    tecla(Qt::Key_Escape);
    EXPECT_TRUE(ventana().barraHorizontal()->isVisible());
    EXPECT_TRUE(ventana().barraVertical()->isVisible());
}

TEST_F(VistaDeLaVentana, ElGestorDeTablasLlevaSuTituloYDejaVerLaLineaDeEstado) {
    tecla(Qt::Key_T);
    ASSERT_TRUE(form().Frame2.Visible);
    ASSERT_EQ(form().Label2.Caption,
              "[F5] = Ayuda     [Pausa] = Salir del Programa     [M] = Max/min");
    const QImage imagen = ventana().grab().toImage();
    const QRect marco = ventana().rectControl(form().Frame2);
    const QRect estado = ventana().rectControl(form().Label2);
    EXPECT_FALSE(marco.intersects(estado));
    // The caption strip at the frame's top, with its text.
    const QRect tira(marco.left() + 2, marco.top() + 2, marco.width() - 4,
                     ventana().aPixeles(kAltoTituloMarco) - 3);
    const QPalette& paleta = ventana().palette();
    EXPECT_GT(pixelesDeColor(imagen, tira, paleta.color(QPalette::Highlight)), tira.width());
    EXPECT_GT(pixelesDeColor(imagen, tira, paleta.color(QPalette::HighlightedText)), 20);
    // The status line shows its text, not the frame.
    int tinta = 0;
    for (int y = estado.top(); y <= estado.bottom(); ++y)
        for (int x = estado.left(); x <= estado.right(); ++x)
            if (qGray(imagen.pixel(x, y)) < 100) ++tinta;
    EXPECT_GT(tinta, 100);
    EXPECT_EQ(pixelesDeColor(imagen, estado, paleta.color(QPalette::Highlight)), 0);
    // The operation buttons stay beside the manager.
    QToolButton* mas = ventana().botonOperar(0);
    EXPECT_TRUE(mas->isVisible());
    EXPECT_FALSE(mas->geometry().intersects(marco));
}

} // namespace
