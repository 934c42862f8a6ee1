// Tables of the embedded document, as the table manager works them.
#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>
#include <numeric>

#include "propio/DocumentoPropio.h"
#include "propio/OdtPropio.h"

using namespace renglero;

namespace {

constexpr double kLinea = 595.3 - 2 * 70.87;

double suma(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

// A document with a paragraph "antes", then the cursor in an empty
// paragraph where a filas x columnas table goes, each cell holding "rc".
struct ConTabla {
    DocumentoPropio doc;
    ConTabla(int filas, int columnas) {
        doc.escribir("antes\n");
        doc.agregarTabla(filas, columnas);
        for (int i = 0; i < filas * columnas; ++i) {
            doc.escribir(std::to_string(i / columnas + 1) + std::to_string(i % columnas + 1));
            if (i + 1 < filas * columnas) doc.moverCeldas(1);
        }
        doc.moverCeldas(-1000);
    }
    const TablaLeida tabla() { return doc.leer().tablas.at(0); }
};

} // namespace

TEST(Tablas, AgregarTablaEnElCursor) {
    DocumentoPropio doc;
    doc.escribir("antes\n");
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
    doc.agregarTabla(2, 3);
    EXPECT_TRUE(doc.enTabla());
    EXPECT_EQ(doc.filasTabla(), 2);
    EXPECT_EQ(doc.columnasTabla(), 3);
    EXPECT_EQ(doc.filaCelda(), 1);
    EXPECT_EQ(doc.columnaCelda(), 1);
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.tablas.size(), 1u);
    const TablaLeida& t = d.tablas[0];
    // The table follows the paragraph the cursor was in; one follows it.
    EXPECT_EQ(t.despuesDe, 1);
    EXPECT_EQ(d.parrafos.size(), 3u);
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.columnas, 3);
    EXPECT_TRUE(t.cuadricula);
    ASSERT_EQ(t.anchos.size(), 3u);
    for (double a : t.anchos)
        EXPECT_NEAR(a, kLinea / 3, 0.01);
    EXPECT_TRUE(t.sombreadas.empty());
    EXPECT_EQ(t.texto, std::vector<std::vector<std::string>>(2, std::vector<std::string>(3)));
    EXPECT_EQ(d.parrafoCursor, -1);
    EXPECT_EQ(d.tablaCursor, (std::vector<int>{0, 1, 1}));
    // The table takes the whole line.
    const QTextTableFormat f = doc.seleccion().currentTable()->format();
    EXPECT_EQ(f.width().type(), QTextLength::PercentageLength);
    EXPECT_EQ(f.width().rawValue(), 100);
}

TEST(Tablas, TamanosNoValidosFallan) {
    DocumentoPropio doc;
    EXPECT_THROW(doc.agregarTabla(0, 3), ErrorWord);
    EXPECT_THROW(doc.agregarTabla(2, 0), ErrorWord);
    EXPECT_TRUE(doc.leer().tablas.empty());
}

TEST(Tablas, CuadriculaSiYNo) {
    ConTabla c(2, 2);
    EXPECT_TRUE(c.doc.bordeVisible(-1));
    EXPECT_TRUE(c.doc.bordeVisible(-5));
    c.doc.formatoTabla(false);
    EXPECT_FALSE(c.doc.bordeVisible(-1));
    EXPECT_FALSE(c.doc.bordeVisible(-5));
    EXPECT_FALSE(c.tabla().cuadricula);
    c.doc.formatoTabla(true);
    EXPECT_TRUE(c.doc.bordeVisible(-5));
    EXPECT_TRUE(c.tabla().cuadricula);
    EXPECT_THROW(c.doc.bordeVisible(3), ErrorWord);
}

TEST(Tablas, MoverCeldasEnOrdenDeLectura) {
    ConTabla c(2, 3);
    auto celda = [&] { return std::pair(c.doc.filaCelda(), c.doc.columnaCelda()); };
    EXPECT_EQ(celda(), std::pair(1, 1));
    c.doc.moverCeldas(1);
    EXPECT_EQ(celda(), std::pair(1, 2));
    c.doc.moverCeldas(3); // down one row: as many cells as columns
    EXPECT_EQ(celda(), std::pair(2, 2));
    c.doc.moverCeldas(-2);
    EXPECT_EQ(celda(), std::pair(1, 3));
    c.doc.moverCeldas(100);
    EXPECT_EQ(celda(), std::pair(2, 3));
    EXPECT_TRUE(c.doc.enTabla());
    c.doc.moverCeldas(-100);
    EXPECT_EQ(celda(), std::pair(1, 1));
    c.doc.moverCeldas(4);
    EXPECT_EQ(c.doc.leer().tablaCursor, (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(c.tabla().texto[1][1], "22");
}

TEST(Tablas, FilasYColumnasAlFinal) {
    ConTabla c(2, 2);
    c.doc.agregarFila();
    EXPECT_EQ(c.doc.filasTabla(), 3);
    EXPECT_EQ(c.tabla().texto[2], (std::vector<std::string>{"", ""}));
    EXPECT_EQ(c.tabla().texto[0], (std::vector<std::string>{"11", "12"}));
    c.doc.fijarAnchoColumna(100);
    c.doc.agregarColumna();
    EXPECT_EQ(c.doc.columnasTabla(), 3);
    TablaLeida t = c.tabla();
    EXPECT_EQ(t.texto[0], (std::vector<std::string>{"11", "12", ""}));
    ASSERT_EQ(t.anchos.size(), 3u);
    EXPECT_NEAR(t.anchos[0], 100, 0.01);
    EXPECT_NEAR(t.anchos[2], t.anchos[1], 0.01); // as wide as the last one
    // Fitted to the window: the line, in the same proportions.
    const double proporcion = t.anchos[0] / t.anchos[1];
    c.doc.ajustarAVentana();
    t = c.tabla();
    EXPECT_NEAR(suma(t.anchos), kLinea, 0.05);
    EXPECT_NEAR(t.anchos[0] / t.anchos[1], proporcion, 1e-6);
    // The cursor stayed in its cell.
    EXPECT_EQ(c.doc.filaCelda(), 1);
    EXPECT_EQ(c.doc.columnaCelda(), 1);
}

TEST(Tablas, AnchoDeColumnaEnPuntos) {
    ConTabla c(2, 3);
    c.doc.moverCeldas(1);
    EXPECT_NEAR(c.doc.anchoColumna(), kLinea / 3, 0.01);
    c.doc.fijarAnchoColumna(c.doc.anchoColumna() + 15);
    EXPECT_NEAR(c.doc.anchoColumna(), kLinea / 3 + 15, 0.01);
    EXPECT_NEAR(c.tabla().anchos[1], kLinea / 3 + 15, 0.01);
    EXPECT_NEAR(c.tabla().anchos[0], kLinea / 3, 0.01);
    c.doc.fijarAnchoColumna(1);
    EXPECT_NEAR(c.doc.anchoColumna(), 1, 0.01);
    EXPECT_THROW(c.doc.fijarAnchoColumna(0), ErrorWord);
    EXPECT_THROW(c.doc.fijarAnchoColumna(-5), ErrorWord);
}

TEST(Tablas, IgualarColumnasConservaElAncho) {
    ConTabla c(1, 3);
    c.doc.fijarAnchoColumna(40);
    const double total = suma(c.tabla().anchos);
    c.doc.igualarColumnas();
    const TablaLeida t = c.tabla();
    for (double a : t.anchos)
        EXPECT_NEAR(a, total / 3, 0.01);
}

TEST(Tablas, EliminarColumna) {
    ConTabla c(2, 3);
    c.doc.moverCeldas(1);
    c.doc.expandir(Unidad::columna);
    c.doc.borrarCeldasSeleccionadas();
    const TablaLeida t = c.tabla();
    EXPECT_EQ(t.columnas, 2);
    EXPECT_EQ(t.anchos.size(), 2u);
    EXPECT_EQ(t.texto[0], (std::vector<std::string>{"11", "13"}));
    EXPECT_EQ(t.texto[1], (std::vector<std::string>{"21", "23"}));
    EXPECT_TRUE(c.doc.enTabla());
    EXPECT_FALSE(c.doc.seleccion().hasSelection());
}

TEST(Tablas, EliminarFila) {
    ConTabla c(3, 2);
    c.doc.moverCeldas(3); // row 2, column 2
    c.doc.expandir(Unidad::fila);
    c.doc.borrarCeldasSeleccionadas();
    const TablaLeida t = c.tabla();
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.texto[0], (std::vector<std::string>{"11", "12"}));
    EXPECT_EQ(t.texto[1], (std::vector<std::string>{"31", "32"}));
    EXPECT_EQ(c.doc.filaCelda(), 2);
}

TEST(Tablas, EliminarLaUltimaFilaDejaElCursorEnLaTabla) {
    ConTabla c(2, 2);
    c.doc.moverCeldas(3);
    c.doc.expandir(Unidad::fila);
    c.doc.borrarCeldasSeleccionadas();
    EXPECT_EQ(c.doc.filasTabla(), 1);
    EXPECT_EQ(c.doc.filaCelda(), 1);
}

TEST(Tablas, ColumnaDeUnaTablaDeUnaFila) {
    // The column is a single cell: the expansion, not the selection, tells.
    ConTabla c(1, 3);
    c.doc.moverCeldas(2);
    c.doc.expandir(Unidad::columna);
    c.doc.borrarCeldasSeleccionadas();
    EXPECT_EQ(c.tabla().texto[0], (std::vector<std::string>{"11", "12"}));
}

TEST(Tablas, EliminarLaTabla) {
    ConTabla c(2, 2);
    c.doc.moverCeldas(3);
    c.doc.expandir(Unidad::tabla);
    c.doc.borrarCeldasSeleccionadas();
    const DocumentoLeido d = c.doc.leer();
    EXPECT_TRUE(d.tablas.empty());
    EXPECT_FALSE(c.doc.enTabla());
    ASSERT_GE(d.parrafos.size(), 1u);
    EXPECT_EQ(d.parrafos[0].texto, "antes");
    for (size_t i = 1; i < d.parrafos.size(); ++i)
        EXPECT_EQ(d.parrafos[i].texto, "");
    EXPECT_GE(d.parrafoCursor, 0);
}

TEST(Tablas, UnMovimientoDeshaceLaExpansion) {
    ConTabla c(2, 2);
    c.doc.expandir(Unidad::columna);
    c.doc.moverCeldas(1); // the pupil's selection is one cell again
    c.doc.borrarCeldasSeleccionadas();
    const TablaLeida t = c.tabla();
    EXPECT_EQ(t.filas, 2);
    EXPECT_EQ(t.columnas, 2);
    EXPECT_EQ(t.texto[0][1], "");
    EXPECT_EQ(t.texto[0][0], "11");
}

TEST(Tablas, VaciarPrimeraCelda) {
    ConTabla c(2, 2);
    c.doc.moverCeldas(1);
    c.doc.escribir("\nsegunda línea");
    c.doc.vaciarPrimeraCelda();
    const TablaLeida t = c.tabla();
    EXPECT_EQ(t.texto[0][1], "");
    EXPECT_EQ(t.texto[0][0], "11");
    EXPECT_EQ(t.texto[1][1], "22");
}

TEST(Tablas, SombreadoDeLaPrimeraCelda) {
    ConTabla c(2, 2);
    c.doc.moverCeldas(2);
    c.doc.sombrearPrimeraCelda(200);
    EXPECT_EQ(c.tabla().sombreadas, (std::vector<std::pair<int, int>>{{2, 1}}));
    // Readable back from the cell's own format, as grey at 20 %.
    const QTextTableCell celda = c.doc.seleccion().currentTable()->cellAt(1, 0);
    EXPECT_EQ(celda.format().intProperty(kPropiedadTextura), 200);
    EXPECT_EQ(celda.format().background().color(), QColor(204, 204, 204));
    c.doc.moverCeldas(1);
    c.doc.sombrearPrimeraCelda(200);
    c.doc.moverCeldas(-1);
    c.doc.sombrearPrimeraCelda(0);
    EXPECT_EQ(c.tabla().sombreadas, (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_THROW(c.doc.sombrearPrimeraCelda(-3), ErrorWord);
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

TEST(Tablas, EscribirEnLaTablaNoLaDeja) {
    ConTabla c(1, 2);
    c.doc.escribir("a\nb");
    EXPECT_TRUE(c.doc.enTabla());
    EXPECT_EQ(c.tabla().texto[0][0], "a\nb11");
    EXPECT_EQ(c.doc.textoPrimerParrafo(), "b11\r");
}

TEST(Tablas, DespuesDeLaTablaSigueElTexto) {
    ConTabla c(1, 1);
    c.doc.moverCursor(100);
    EXPECT_FALSE(c.doc.enTabla());
    c.doc.escribir("después");
    const DocumentoLeido d = c.doc.leer();
    EXPECT_EQ(d.parrafos.back().texto, "después");
    EXPECT_EQ(d.tablas[0].despuesDe, static_cast<int>(d.parrafos.size()) - 2);
    EXPECT_EQ(d.parrafoCursor, static_cast<int>(d.parrafos.size()) - 1);
}

TEST(Tablas, AutoajusteYLineasNoCambianLaTabla) {
    ConTabla c(2, 2);
    const TablaLeida antes = c.tabla();
    c.doc.permitirAutoajuste();
    c.doc.mostrarLineasDeTabla();
    const TablaLeida despues = c.tabla();
    EXPECT_EQ(antes.anchos, despues.anchos);
    EXPECT_EQ(antes.cuadricula, despues.cuadricula);
}
