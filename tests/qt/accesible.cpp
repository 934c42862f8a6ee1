// The window's accessible tree and its low-vision aids on the offscreen
// platform: what a screen reader would be given, asked in-process.
#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "ConCuaderno.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"
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
    void teclas(const QString& texto) {
        for (QChar c : texto)
            QTest::keyClick(&ventana(), c.toLatin1());
    }
};

// A short name with the mode; the key legend is its description.
TEST_F(Accesible, LaVentanaEsUnMarcoConNombreCorto) {
    EXPECT_EQ(raiz()->role(), QAccessible::Window);
    EXPECT_EQ(raiz()->text(QAccessible::Name), QStringLiteral("Renglero, Cuentas"));
    EXPECT_TRUE(raiz()->text(QAccessible::Description).startsWith(QStringLiteral("F5, Ayuda.")))
        << raiz()->text(QAccessible::Description).toStdString();
    QTest::keyClick(&ventana(), Qt::Key_C);
    EXPECT_EQ(raiz()->text(QAccessible::Name), QStringLiteral("Renglero, Cuentas, confirmar sí"));
}

TEST_F(Accesible, LaTablaTieneSusCeldasNombradasComoSeLeen) {
    QAccessibleInterface* t = hijo(QAccessible::Table, QStringLiteral("Cuaderno"));
    ASSERT_NE(t, nullptr);
    QAccessibleTableInterface* tabla = t->tableInterface();
    ASSERT_NE(tabla, nullptr);
    EXPECT_EQ(tabla->rowCount(), 13);
    EXPECT_EQ(tabla->columnCount(), 25);
    teclas(QStringLiteral("125"));
    QTest::keyClick(&ventana(), Qt::Key_Return);
    EXPECT_EQ(form().anuncios.ultimo(), "Línea nueva en la fila 3, columna 4.");
    teclas(QStringLiteral("37"));
    QTest::keyClick(&ventana(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(tabla->cellAt(1, 20)->text(QAccessible::Name), QStringLiteral("1"));
    EXPECT_EQ(tabla->cellAt(2, 18)->text(QAccessible::Name), QStringLiteral("más"));
    EXPECT_EQ(tabla->cellAt(3, 22)->text(QAccessible::Name), QStringLiteral("raya"));
    EXPECT_EQ(tabla->cellAt(4, 22)->text(QAccessible::Name), QString());
    // A row as written, for a braille display: one character a cell.
    EXPECT_EQ(tabla->rowDescription(2), QStringLiteral("                  +  37  "));
    // The focus is on the first result place, inside the table.
    QAccessibleInterface* foco = raiz()->focusChild();
    ASSERT_EQ(foco, t);
    QAccessibleInterface* celda = t->focusChild();
    ASSERT_NE(celda, nullptr);
    EXPECT_EQ(celda->tableCellInterface()->rowIndex(), 4);
    EXPECT_EQ(celda->tableCellInterface()->columnIndex(), 22);
    EXPECT_TRUE(celda->state().focused);
    EXPECT_EQ(celda, tabla->cellAt(4, 22));
    // Its rectangle is the painted cell's, on the screen.
    EXPECT_EQ(celda->rect().size(), ventana().rectCelda(4, 22).size());
}

TEST_F(Accesible, LaTablaCambiaDeTamanoConH) {
    QAccessibleTableInterface* tabla =
        hijo(QAccessible::Table, QStringLiteral("Cuaderno"))->tableInterface();
    QTest::keyClick(&ventana(), Qt::Key_H);
    EXPECT_EQ(tabla->rowCount(), 11);
    EXPECT_EQ(tabla->columnCount(), 20);
    EXPECT_EQ(tabla->cellAt(12, 24), nullptr);
}

TEST_F(Accesible, ElAvisoDeMensaYLaAyuda) {
    QTest::keyClick(&ventana(), Qt::Key_C);
    QTest::keyClick(&ventana(), Qt::Key_Escape);
    QAccessibleInterface* aviso = hijo(QAccessible::AlertMessage, QStringLiteral("BORRAR"));
    ASSERT_NE(aviso, nullptr);
    EXPECT_FALSE(aviso->state().invisible);
    QTest::keyClick(&ventana(), Qt::Key_Left);
    EXPECT_TRUE(aviso->state().invisible);
    QTest::keyClick(&ventana(), Qt::Key_F5);
    QAccessibleInterface* ayuda = hijo(QAccessible::List, QStringLiteral("Ayuda"));
    ASSERT_NE(ayuda, nullptr);
    EXPECT_EQ(ayuda->childCount(), static_cast<int>(Form1::lineasAyuda().size()));
    EXPECT_EQ(ayuda->child(0)->text(QAccessible::Name),
              QStringLiteral("Esc, Borrar la tabla del Renglero."));
    QTest::keyClick(&ventana(), Qt::Key_Down);
    EXPECT_TRUE(ayuda->child(1)->state().focused);
    EXPECT_EQ(raiz()->focusChild(), ayuda);
}

TEST_F(Accesible, ElZoomAgrandaLaVentanaYLaDejaEnLaPantalla) {
    const QSize normal = ventana().size();
    QTest::keyClick(&ventana(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&ventana(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form().zoom, 3);
    EXPECT_NEAR(ventana().width(), normal.width() * 1.5, 2);
    EXPECT_NEAR(ventana().height(), normal.height() * 1.5, 2);
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(pantalla.contains(ventana().geometry()))
        << pantalla.width() << "x" << pantalla.height() << " " << ventana().geometry().x() << ","
        << ventana().geometry().y() << " " << ventana().width() << "x" << ventana().height();
    QTest::keyClick(&ventana(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form().zoom, 2);
}

TEST_F(Accesible, ElCursorSeVeEnLosDosEsquemas) {
    for (int esquema = 0; esquema < 2; ++esquema) {
        const QImage imagen = ventana().grab().toImage();
        const QRect celda = ventana().rectCelda(form().tabla.Row(), form().tabla.Col());
        const QColor borde = imagen.pixelColor(celda.left() + 3, celda.center().y());
        const QColor fondo = imagen.pixelColor(celda.center());
        const Color b = rgb(borde.red(), borde.green(), borde.blue());
        const Color f = rgb(fondo.red(), fondo.green(), fondo.blue());
        EXPECT_GE(contraste(b, f), kContrasteCursor) << "esquema " << esquema;
        QTest::keyClick(&ventana(), Qt::Key_F8);
    }
}

} // namespace
