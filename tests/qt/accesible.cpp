// The window's accessible tree and its low-vision aids on the offscreen
// platform: what a screen reader would be given, asked in-process.
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

// A short name with the mode; the key legend is its description.
TEST_F(Accesible, LaVentanaEsUnMarcoConNombreCorto) {
    EXPECT_EQ(raiz()->role(), QAccessible::Window);
    EXPECT_EQ(raiz()->text(QAccessible::Name), QStringLiteral("Renglero, Cuentas"));
    EXPECT_TRUE(raiz()->text(QAccessible::Description).startsWith(QStringLiteral("F5, Ayuda.")))
        << raiz()->text(QAccessible::Description).toStdString();
    tecla(Qt::Key_C);
    EXPECT_EQ(raiz()->text(QAccessible::Name), QStringLiteral("Renglero, Cuentas, confirmar sí"));
    // The table follows the small grid.
    QAccessibleTableInterface* tabla =
        hijo(QAccessible::Table, QStringLiteral("Cuaderno"))->tableInterface();
    tecla(Qt::Key_H);
    EXPECT_EQ(tabla->rowCount(), 11);
    EXPECT_EQ(tabla->columnCount(), 20);
    EXPECT_EQ(tabla->cellAt(12, 24), nullptr);
}

TEST_F(Accesible, LaTablaTieneSusCeldasNombradasComoSeLeen) {
    QAccessibleInterface* t = hijo(QAccessible::Table, QStringLiteral("Cuaderno"));
    ASSERT_NE(t, nullptr);
    QAccessibleTableInterface* tabla = t->tableInterface();
    EXPECT_EQ(tabla->rowCount(), 13);
    EXPECT_EQ(tabla->columnCount(), 25);
    teclear("125\n");
    EXPECT_EQ(form().anuncios.ultimo(), "Línea nueva en la fila 3, columna 4.");
    teclear("37+");
    EXPECT_EQ(tabla->cellAt(1, 20)->text(QAccessible::Name), QStringLiteral("1"));
    EXPECT_EQ(tabla->cellAt(2, 18)->text(QAccessible::Name), QStringLiteral("más"));
    EXPECT_EQ(tabla->cellAt(3, 22)->text(QAccessible::Name), QStringLiteral("raya"));
    EXPECT_EQ(tabla->cellAt(4, 22)->text(QAccessible::Name), QString());
    // A row as written, for a braille display: one character a cell.
    EXPECT_EQ(tabla->rowDescription(2), QStringLiteral("                  +  37  "));
    // The focus is on the first result place, inside the table.
    ASSERT_EQ(raiz()->focusChild(), t);
    QAccessibleInterface* celda = t->focusChild();
    ASSERT_EQ(celda, tabla->cellAt(4, 22));
    EXPECT_TRUE(celda->state().focused);
    // Its rectangle is the painted cell's, on the screen.
    EXPECT_EQ(celda->rect().size(), ventana().rectCelda(4, 22).size());
}

TEST_F(Accesible, ElAvisoDeMensaYLaAyuda) {
    tecla(Qt::Key_C);
    tecla(Qt::Key_Escape);
    QAccessibleInterface* aviso = hijo(QAccessible::AlertMessage, QStringLiteral("BORRAR"));
    ASSERT_NE(aviso, nullptr);
    EXPECT_FALSE(aviso->state().invisible);
    tecla(Qt::Key_Left);
    EXPECT_TRUE(aviso->state().invisible);
    tecla(Qt::Key_F5);
    QAccessibleInterface* ayuda = hijo(QAccessible::List, QStringLiteral("Ayuda"));
    ASSERT_NE(ayuda, nullptr);
    EXPECT_EQ(ayuda->childCount(), static_cast<int>(Form1::lineasAyuda().size()));
    EXPECT_EQ(ayuda->child(0)->text(QAccessible::Name),
              QStringLiteral("Esc, Borrar la tabla del Renglero."));
    tecla(Qt::Key_Down);
    EXPECT_TRUE(ayuda->child(1)->state().focused);
    EXPECT_EQ(raiz()->focusChild(), ayuda);
}

// The radical's panel says what to type, to the eye and to the reader.
TEST_F(Accesible, ElPanelDeRadicalesDiceQueTeclear) {
    teclear("~___>");
    tecla(Qt::Key_Control);
    teclear(">>>>>>>r");
    ASSERT_TRUE(form().Frame4.Visible);
    QAccessibleInterface* texto = nullptr;
    for (int i = 0; i < raiz()->childCount() && texto == nullptr; ++i)
        if (raiz()->child(i)->text(QAccessible::Name).startsWith(QStringLiteral("Teclea el")))
            texto = raiz()->child(i);
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
    EXPECT_EQ(form().zoom, 3);
    EXPECT_NEAR(ventana().width(), normal.width() * 1.5, 2);
    EXPECT_NEAR(ventana().height(), normal.height() * 1.5, 2);
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(ventana().geometry()));
}

TEST_F(Accesible, ElCursorSeVeEnLosDosEsquemas) {
    for (int esquema = 0; esquema < 2; ++esquema) {
        const QImage imagen = comoEsAhora();
        const QRect celda = ventana().rectCelda(form().tabla.Row(), form().tabla.Col());
        const QColor borde = imagen.pixelColor(celda.left() + 3, celda.center().y());
        const QColor fondo = imagen.pixelColor(celda.center());
        EXPECT_GE(contraste(rgb(borde.red(), borde.green(), borde.blue()),
                            rgb(fondo.red(), fondo.green(), fondo.blue())),
                  kContrasteCursor)
            << "esquema " << esquema;
        tecla(Qt::Key_F8);
    }
}

} // namespace
