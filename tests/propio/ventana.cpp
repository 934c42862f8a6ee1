// The document's window: the document on its page, one cursor, the title, saving, closing.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

#include "contrato/contrato.h"
#include "propio/DocumentoPropio.h"
#include "propio/OdtPropio.h"
#include "propio/VentanaDocumento.h"

using namespace renglero;

namespace {

class Ventana : public ::testing::Test {
  protected:
    Ventana() {
        const auto c = [this](const char* n) { return [this, n] { ++eventos[n]; }; };
        doc.suscribir({{}, {}, {}, c("salir"), c("activada"), c("desactivada"), c("seleccion")});
    }
    QTextEdit* editor() { return v.editor(); }
    static std::pair<int, int> extremos(const QTextCursor& c) { return {c.anchor(), c.position()}; }

    // Answers the next message box with the button `boton`; keeps what the box said.
    void contestarLaProxima(const QString& boton) {
        QTimer::singleShot(0, [this, boton] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            pregunta = caja->text();
            for (QAbstractButton* b : caja->buttons()) {
                botones << b->text();
                if (b->text() == boton) b->click();
            }
        });
    }

    DocumentoPropio doc;
    VentanaDocumento v{doc};
    std::map<std::string, int> eventos;
    QString pregunta;
    QStringList botones;
};

} // namespace

// From when the word processor is shown until it quits.
TEST_F(Ventana, MuestraElDocumentoMismo) {
    EXPECT_EQ(editor()->document(), doc.documento());
    EXPECT_EQ(editor()->lineWrapColumnOrWidth(), static_cast<int>(595.3 * 96 / 72));
    doc.fijarPagina(612, 72, 72);
    EXPECT_EQ(editor()->lineWrapColumnOrWidth(), 816);
    EXPECT_FALSE(v.isVisible());
    doc.mostrarAplicacion();
    EXPECT_TRUE(v.isVisible());
    // Showing the editor does not replace the document's own font.
    doc.escribir("x");
    EXPECT_EQ(doc.leer().parrafos[0].tramos.at(0).fuente, "Times New Roman");
    doc.cerrarDocumento();
    EXPECT_TRUE(editor()->isReadOnly());
    doc.nuevoDocumento();
    EXPECT_FALSE(editor()->isReadOnly());
    doc.escribir("sin guardar");
    doc.salir(); // the word processor quits: nothing to ask
    EXPECT_FALSE(v.isVisible());
}

TEST_F(Ventana, ElAlumnoYElCuadernoCompartenElCursor) {
    v.show();
    doc.insertarTexto("\rABCD\r");
    EXPECT_EQ(extremos(editor()->textCursor()), extremos(doc.seleccion()));
    doc.contraerSeleccion(false);
    EXPECT_EQ(extremos(editor()->textCursor()), std::pair(6, 6));
    doc.entregarEventos();
    const int antes = eventos["seleccion"];
    editor()->moveCursor(QTextCursor::Start);
    EXPECT_EQ(doc.seleccion().position(), 0);
    editor()->moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
    EXPECT_EQ(extremos(doc.seleccion()), std::pair(0, 6));
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
    QApplication::processEvents();
    EXPECT_EQ(eventos["seleccion"], antes + 1);
    doc.nuevoDocumento();
    editor()->setFocus();
    QTest::keyClicks(editor(), "Hola\rmundo"); // "\r" is the Return key
    QTest::keyClick(editor(), Qt::Key_Left);
    doc.insertarTexto("X");
    EXPECT_EQ(contrato::describir(doc.leer()), "Hola|mundXo @1");
    EXPECT_TRUE(doc.documento()->isModified());
}

// Typed by the pupil or written by the notebook.
TEST_F(Ventana, LoEscritoEnUnaCeldaMarcadaNoQuedaSombreado) {
    v.show();
    doc.agregarTabla(1, 2);
    doc.sombrearPrimeraCelda(200);
    editor()->setFocus();
    QTest::keyClicks(editor(), "ab");
    doc.escribir("c");
    doc.sombrearPrimeraCelda(0);
    EXPECT_EQ(doc.leer().tablas.at(0).texto[0][0], "abc");
    for (int hasta : {2, 3}) {
        QTextCursor c = doc.seleccion();
        c.setPosition(c.block().position() + hasta);
        EXPECT_EQ(c.charFormat().background().style(), Qt::NoBrush) << hasta;
        EXPECT_FALSE(c.charFormat().hasProperty(kPropiedadTextura)) << hasta;
    }
}

// Cancelar leaves it open; its activation is the word processor's.
TEST_F(Ventana, CerrarEsSalirTrasPreguntarPorLosCambios) {
    QWidget otra;
    v.show();
    otra.show();
    v.activateWindow();
    if (QTest::qWaitForWindowActive(&v)) {
        otra.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
        QApplication::processEvents();
        EXPECT_GE(eventos["activada"], 1);
        EXPECT_GE(eventos["desactivada"], 1);
    }
    doc.escribir("trabajo");
    contestarLaProxima("Cancelar");
    EXPECT_FALSE(v.close());
    EXPECT_EQ(pregunta, QString::fromUtf8("¿Quieres guardar los cambios del documento?"));
    botones.sort(); // their order is the platform's
    EXPECT_EQ(botones, (QStringList{"Cancelar", "No", QString::fromUtf8("Sí")}));
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(doc.leer().parrafos[0].texto, "trabajo");
    QApplication::processEvents();
    EXPECT_EQ(eventos["salir"], 0);
    contestarLaProxima("No");
    EXPECT_TRUE(v.close());
    EXPECT_FALSE(doc.enMarcha());
    QApplication::processEvents();
    EXPECT_EQ(eventos["salir"], 1);
    // Without changes, nothing to ask.
    DocumentoPropio otro;
    VentanaDocumento suya(otro);
    suya.show();
    contestarLaProxima("Cancelar");
    EXPECT_TRUE(suya.close());
    EXPECT_FALSE(otro.enMarcha());
}

// Unsaved changes marked (the page is none); asks a name for a file read without some parts.
TEST_F(Ventana, ElTituloYGuardarEnElMismoArchivo) {
    QTemporaryDir dir;
    doc.fijarPagina(612, 72, 72);
    EXPECT_EQ(v.windowTitle(), "Documento1 - Renglero");
    doc.escribir("x");
    EXPECT_EQ(v.windowTitle(), "Documento1* - Renglero");
    const QString ruta = dir.filePath("deberes.odt");
    ASSERT_TRUE(doc.guardar(QFile::encodeName(ruta).toStdString()));
    EXPECT_EQ(v.windowTitle(), "deberes.odt - Renglero");
    doc.escribir("y");
    EXPECT_EQ(v.windowTitle(), "deberes.odt* - Renglero");
    EXPECT_TRUE(v.guardar());
    EXPECT_EQ(v.windowTitle(), "deberes.odt - Renglero");
    DocumentoPropio leido;
    ASSERT_TRUE(leido.abrir(ruta).hecho);
    EXPECT_EQ(leido.leer().parrafos.at(0).texto, "xy");
    ASSERT_TRUE(doc.abrir(QStringLiteral(RENGLERO_DATOS "/escrito_en_writer.odt")).hecho);
    EXPECT_EQ(v.windowTitle(), "escrito_en_writer.odt - Renglero");
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    EXPECT_FALSE(v.guardar()); // the dialog for another name, cancelled
    doc.nuevoDocumento();
    EXPECT_EQ(v.windowTitle(), "Documento1 - Renglero");
}
