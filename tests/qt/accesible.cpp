// The accessible tree (what a screen reader is given, asked in-process) and low-vision aids.
#include <QAccessible>

#include "ConCuaderno.h"
#include "typography/contraste.h"

using namespace renglero;

namespace {

class Accesible : public prueba::ConCuaderno {
  protected:
    QAccessibleInterface* raiz() { return QAccessible::queryAccessibleInterface(&ventana()); }
    QAccessibleInterface* hijo(QAccessible::Role rol, const QString& nombre) {
        QAccessibleInterface* r = raiz();
        for (int i = 0; i < r->childCount(); ++i) {
            QAccessibleInterface* h = r->child(i);
            if (h->role() == rol && h->text(QAccessible::Name).startsWith(nombre)) return h;
        }
        return nullptr;
    }
};

// The window's name says the mode and the question, its description the keys; a row as for
// braille; the focus on the cursor's cell. (As a screen reader reads it: accesibilidad/atspi.py.)
TEST_F(Accesible, LaVentanaYSuTabla) {
    EXPECT_EQ(
        raiz()->text(QAccessible::Description),
        "F5, Ayuda. F9, Enviar a Word. Pausa, Salir. M, Max/min. F11, Alternar Word/Renglero.");
    QAccessibleInterface* t = hijo(QAccessible::Table, QStringLiteral("Cuaderno"));
    ASSERT_NE(t, nullptr);
    QAccessibleTableInterface* tabla = t->tableInterface();
    teclear("125\n37+");
    EXPECT_EQ(tabla->rowDescription(2), QStringLiteral("                  +  37  "));
    ASSERT_EQ(raiz()->focusChild(), t);
    QAccessibleInterface* celda = t->focusChild();
    ASSERT_EQ(celda, tabla->cellAt(4, 22));
    EXPECT_EQ(celda->rect().size(), ventana().rectCelda(4, 22).size());
    teclear("^c");
    EXPECT_EQ(raiz()->text(QAccessible::Name), QStringLiteral("Renglero, Cuentas, confirmar sí"));
    tecla(Qt::Key_H);
    EXPECT_EQ(std::make_pair(tabla->rowCount(), tabla->columnCount()), std::make_pair(11, 20));
    EXPECT_EQ(tabla->cellAt(12, 24), nullptr);
    // A row that starts where the view ends is out of it.
    Cuadricula& g = form().tabla;
    g.Height = 0;
    for (int r = 0; r < 9; ++r)
        g.Height += g.RowHeight(r);
    EXPECT_FALSE(tabla->cellAt(8, 1)->state().invisible);
    EXPECT_TRUE(tabla->cellAt(9, 1)->state().invisible);
}

TEST_F(Accesible, ElAvisoDeMensaYLaAyuda) {
    teclear("c^");
    QAccessibleInterface* aviso = hijo(QAccessible::AlertMessage, QStringLiteral("BORRAR"));
    ASSERT_NE(aviso, nullptr);
    EXPECT_FALSE(aviso->state().invisible);
    tecla(Qt::Key_Left);
    EXPECT_TRUE(aviso->state().invisible);
    tecla(Qt::Key_F5);
    QAccessibleInterface* ayuda = hijo(QAccessible::List, QStringLiteral("Ayuda"));
    ASSERT_NE(ayuda, nullptr);
    EXPECT_EQ(ayuda->childCount(), static_cast<int>(Form1::lineasAyuda().size()));
    tecla(Qt::Key_Down);
    EXPECT_TRUE(ayuda->child(1)->state().focused);
    EXPECT_EQ(raiz()->focusChild(), ayuda);
}

TEST_F(Accesible, ElPanelDeRadicalesDiceQueTeclear) {
    teclear("~___>");
    tecla(Qt::Key_Control);
    teclear(">>>>>>>r");
    QAccessibleInterface* texto = hijo(QAccessible::StaticText, QStringLiteral("Teclea el"));
    ASSERT_NE(texto, nullptr);
    EXPECT_FALSE(texto->state().invisible);
    const QRect r = ventana()
                        .rectControl(form().Label10)
                        .translated(ventana().rectControl(form().Frame4).topLeft());
    EXPECT_GT(pixeles(comoEsAhora(), r.adjusted(0, 0, 0, -r.height() / 2)), 100);
}

TEST_F(Accesible, ElZoomAgrandaLaVentanaYLaDejaEnLaPantalla) {
    const QSize normal = ventana().size();
    tecla(Qt::Key_Plus, Qt::ControlModifier);
    tecla(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_NEAR(ventana().width(), normal.width() * 1.5, 2);
    EXPECT_NEAR(ventana().height(), normal.height() * 1.5, 2);
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(ventana().geometry()));
}

// The grid lines lighter grey on the light scheme, darker on the dark one.
TEST_F(Accesible, ElCursorYLasLineasEnLosDosEsquemas) {
    const QColor lineas[] = {QColor(192, 192, 192), QColor(130, 130, 130)};
    for (int esquema = 0; esquema < 2; ++esquema) {
        const QImage imagen = comoEsAhora();
        const QRect otra = ventana().rectCelda(1, 1);
        EXPECT_EQ(imagen.pixelColor(otra.right(), otra.center().y()), lineas[esquema]) << esquema;
        const QRect celda = ventana().rectCelda(form().tabla.Row(), form().tabla.Col());
        const Color borde = imagen.pixel(celda.left() + 3, celda.center().y()) & 0xffffff;
        const Color fondo = imagen.pixel(celda.center()) & 0xffffff;
        EXPECT_GE(contraste(borde, fondo), kContrasteCursor) << "esquema " << esquema;
        tecla(Qt::Key_F8);
    }
}

} // namespace
