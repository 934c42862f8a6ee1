// The embedded document's tables beyond the word processor's contract: how
// Qt's table keeps the line and the shading.
#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>

#include "propio/DocumentoPropio.h"
#include "propio/OdtPropio.h"

using namespace renglero;

TEST(Tablas, LaTablaOcupaLaLinea) {
    DocumentoPropio doc;
    doc.agregarTabla(2, 3);
    const QTextTableFormat f = doc.seleccion().currentTable()->format();
    EXPECT_EQ(f.width().type(), QTextLength::PercentageLength);
    EXPECT_EQ(f.width().rawValue(), 100);
}

TEST(Tablas, ElSombreadoSeGuardaEnLaCelda) {
    DocumentoPropio doc;
    doc.agregarTabla(2, 2);
    doc.moverCeldas(2);
    doc.sombrearPrimeraCelda(200);
    // Readable back from the cell's own format, as grey at 20 %.
    const QTextTableCell celda = doc.seleccion().currentTable()->cellAt(1, 0);
    EXPECT_EQ(celda.format().intProperty(kPropiedadTextura), 200);
    EXPECT_EQ(celda.format().background().color(), QColor(204, 204, 204));
}

TEST(Tablas, ElSombreadoNoPasaAlTextoEscrito) {
    DocumentoPropio doc;
    doc.agregarTabla(1, 1);
    doc.sombrearPrimeraCelda(200);
    doc.escribir("x");
    doc.sombrearPrimeraCelda(0);
    EXPECT_EQ(doc.leer().tablas.at(0).texto[0][0], "x");
    // The format of the character just before the cursor: the "x".
    const QTextCharFormat f = doc.seleccion().charFormat();
    EXPECT_EQ(f.background().style(), Qt::NoBrush);
    EXPECT_FALSE(f.hasProperty(kPropiedadTextura));
}
