// The document's window: one cursor shared with the document, the pupil's
// typing, and closing as the word processor quitting.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"

using namespace renglero;

namespace {

struct Eventos {
    int salir = 0, seleccion = 0, activada = 0, desactivada = 0;
    EventosWord eventos() {
        EventosWord e;
        e.salir = [this] { ++salir; };
        e.cambioDeSeleccion = [this] { ++seleccion; };
        e.ventanaActivada = [this] { ++activada; };
        e.ventanaDesactivada = [this] { ++desactivada; };
        return e;
    }
};

// Answers the next message box with the button that reads `texto`; keeps
// what the box said.
struct Respuesta {
    QString pregunta;
    QStringList botones;
    explicit Respuesta(const QString& texto) {
        QTimer::singleShot(0, [this, texto] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            pregunta = caja->text();
            for (QAbstractButton* b : caja->buttons()) {
                botones << b->text();
                if (b->text() == texto) b->click();
            }
        });
    }
};

} // namespace

TEST(Ventana, TituloYDocumentoCompartido) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    EXPECT_EQ(v.windowTitle(), "Documento1 - Renglero");
    EXPECT_EQ(v.editor()->document(), doc.documento());
    v.show();
    // Showing the editor does not replace the document's own font.
    doc.escribir("x");
    EXPECT_EQ(doc.leer().parrafos[0].tramos.at(0).fuente, "Times New Roman");
}

TEST(Ventana, ElCursorDelEditorEsLaSeleccion) {
    DocumentoPropio doc;
    Eventos ev;
    doc.suscribir(ev.eventos());
    VentanaDocumento v(doc);
    v.show();
    // The notebook inserts: the editor shows the same selection.
    doc.insertarTexto("\rABCD\r");
    EXPECT_EQ(v.editor()->textCursor().anchor(), doc.seleccion().anchor());
    EXPECT_EQ(v.editor()->textCursor().position(), doc.seleccion().position());
    doc.contraerSeleccion(false);
    EXPECT_EQ(v.editor()->textCursor().position(), 6);
    EXPECT_FALSE(v.editor()->textCursor().hasSelection());
    doc.entregarEventos();
    const int antes = ev.seleccion;
    // The pupil moves in the editor: the document's selection follows.
    v.editor()->moveCursor(QTextCursor::Start);
    EXPECT_EQ(doc.seleccion().position(), 0);
    v.editor()->moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
    EXPECT_EQ(doc.seleccion().anchor(), 0);
    EXPECT_EQ(doc.seleccion().position(), 6);
    EXPECT_EQ(doc.textoPrimerParrafo(), "\r");
    QApplication::processEvents();
    EXPECT_EQ(ev.seleccion, antes + 1);
}

TEST(Ventana, ElAlumnoEscribeEnElEditor) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    v.show();
    v.editor()->setFocus();
    QTest::keyClicks(v.editor(), "Hola");
    QTest::keyClick(v.editor(), Qt::Key_Return);
    QTest::keyClicks(v.editor(), "mundo");
    QTest::keyClick(v.editor(), Qt::Key_Left);
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.parrafos.size(), 2u);
    EXPECT_EQ(d.parrafos[0].texto, "Hola");
    EXPECT_EQ(d.parrafos[1].texto, "mundo");
    EXPECT_EQ(doc.seleccion().position(), 9);
    // The notebook then writes where the pupil left the cursor.
    doc.insertarTexto("X");
    EXPECT_EQ(doc.leer().parrafos[1].texto, "mundXo");
    EXPECT_TRUE(doc.documento()->isModified());
}

TEST(Ventana, SinDocumentoNoSeEscribe) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    v.show();
    doc.cerrarDocumento();
    EXPECT_TRUE(v.editor()->isReadOnly());
    doc.nuevoDocumento();
    EXPECT_FALSE(v.editor()->isReadOnly());
}

TEST(Ventana, CerrarSinCambiosEsSalir) {
    DocumentoPropio doc;
    Eventos ev;
    doc.suscribir(ev.eventos());
    VentanaDocumento v(doc);
    v.show();
    EXPECT_TRUE(v.close());
    EXPECT_FALSE(doc.enMarcha());
    QApplication::processEvents();
    EXPECT_EQ(ev.salir, 1);
}

TEST(Ventana, CerrarConCambiosPreguntaYCancelarLaDejaAbierta) {
    DocumentoPropio doc;
    Eventos ev;
    doc.suscribir(ev.eventos());
    VentanaDocumento v(doc);
    v.show();
    doc.escribir("trabajo");
    Respuesta cancelar("Cancelar");
    EXPECT_FALSE(v.close());
    EXPECT_EQ(cancelar.pregunta, QString::fromUtf8("¿Quieres guardar los cambios del documento?"));
    cancelar.botones.sort(); // their order is the platform's
    EXPECT_EQ(cancelar.botones, (QStringList{"Cancelar", "No", QString::fromUtf8("Sí")}));
    EXPECT_TRUE(v.isVisible());
    EXPECT_TRUE(doc.enMarcha());
    EXPECT_EQ(doc.leer().parrafos[0].texto, "trabajo");
    QApplication::processEvents();
    EXPECT_EQ(ev.salir, 0);

    Respuesta no("No");
    EXPECT_TRUE(v.close());
    EXPECT_FALSE(doc.enMarcha());
    QApplication::processEvents();
    EXPECT_EQ(ev.salir, 1);
}

TEST(Ventana, SalirCierraLaVentana) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    v.show();
    doc.escribir("sin guardar");
    doc.salir(); // the word processor quits: nothing to ask
    EXPECT_FALSE(v.isVisible());
}

TEST(Ventana, MostrarAplicacionLaEnsena) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    EXPECT_FALSE(v.isVisible());
    doc.mostrarAplicacion();
    EXPECT_TRUE(v.isVisible());
}

TEST(Ventana, LaLineaEsLaDeLaPagina) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    EXPECT_EQ(v.editor()->lineWrapColumnOrWidth(), static_cast<int>(595.3 * 96 / 72));
    doc.fijarPagina(612, 72, 72);
    EXPECT_EQ(v.editor()->lineWrapColumnOrWidth(), 816);
}

TEST(Ventana, ActivarYDesactivar) {
    DocumentoPropio doc;
    Eventos ev;
    doc.suscribir(ev.eventos());
    VentanaDocumento v(doc);
    QWidget otra;
    v.show();
    otra.show();
    v.activateWindow();
    if (!QTest::qWaitForWindowActive(&v)) GTEST_SKIP() << "this platform does not activate windows";
    otra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
    QApplication::processEvents();
    EXPECT_GE(ev.activada, 1);
    EXPECT_GE(ev.desactivada, 1);
}

TEST(Ventana, LoEscritoEnUnaCeldaMarcadaNoQuedaSombreado) {
    DocumentoPropio doc;
    VentanaDocumento v(doc);
    v.show();
    doc.agregarTabla(1, 2);
    doc.sombrearPrimeraCelda(200); // the notebook's cell mark
    v.editor()->setFocus();
    QTest::keyClicks(v.editor(), "ab");
    doc.sombrearPrimeraCelda(0);
    EXPECT_EQ(doc.leer().tablas.at(0).texto[0][0], "ab");
    const QTextCharFormat f = doc.seleccion().charFormat(); // the "b"
    EXPECT_EQ(f.background().style(), Qt::NoBrush);
}

// The title names the file and marks unsaved changes; Ctrl+S saves to the
// same file once it has one, and asks for a name where it was opened
// without what the document cannot show.
TEST(Ventana, ElTituloYGuardarEnElMismoArchivo) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    VentanaDocumento v(doc);
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
    // Saving asks for another name: the dialog is cancelled.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    EXPECT_FALSE(v.guardar());
    doc.nuevoDocumento();
    EXPECT_EQ(v.windowTitle(), "Documento1 - Renglero");
}
