// The notebook's own message boxes and dialogs are not another program in
// front: while one is shown the notebook stays open at its full size. The
// embedded document's dialogs belong to the document.
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

#include "ConCuaderno.h"
#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

// The boxes here are the real ones, answered by the tests.
class Dialogos : public prueba::ConCuaderno {
  protected:
    void contestar() override {}
};

} // namespace

TEST_F(Dialogos, UnMensajeDelCuadernoNoLoRecoge) {
    // A laid-out sum and keypad + again: the notebook says why not, with a
    // real message box (nobody answers for the pupil here).
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_5, Qt::Key_Return, Qt::Key_3, Qt::Key_7})
        QTest::keyClick(&ventana(), k);
    QTest::keyClick(&ventana(), Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_EQ(form().operacion, "+");
    const int alto = ventana().height();
    const int altoForm = form().Height;

    QString texto;
    Ventana activa = Ventana::other;
    int altoDurante = 0, altoFormDurante = 0;
    QTimer::singleShot(400, [&] {
        // Timer2 has ticked a few times under the box by now.
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (caja == nullptr) return;
        texto = caja->text();
        activa = cuaderno.plataforma().ventanaActiva();
        altoDurante = ventana().height();
        altoFormDurante = form().Height;
        caja->button(QMessageBox::Ok) != nullptr ? caja->button(QMessageBox::Ok)->click()
                                                 : caja->buttons().first()->click();
    });
    QTest::keyClick(&ventana(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(texto.toStdString(), "Para hacer una nueva operación hay que borrar la tabla.");
    EXPECT_EQ(activa, Ventana::notebook);
    EXPECT_EQ(altoFormDurante, altoForm);
    EXPECT_EQ(altoDurante, alto);
    // Nor did the notebook think it was left and came back.
    EXPECT_EQ(form().ventanaActual, Ventana::notebook);
}

TEST_F(Dialogos, ElDialogoDeArchivosDelDocumentoEsDelDocumento) {
    QFileDialog dialogo(&cuaderno.ventanaDocumento(), QStringLiteral("Guardar el documento"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.show();
    dialogo.activateWindow();
    correrBucle(50);
    ASSERT_EQ(QApplication::activeWindow(), &dialogo);
    EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), Ventana::word);
    dialogo.close();
}

TEST_F(Dialogos, UnaVentanaAjenaSigueSiendoOtra) {
    QWidget ajena;
    ajena.show();
    ajena.activateWindow();
    correrBucle(50);
    ASSERT_EQ(QApplication::activeWindow(), &ajena);
    EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), Ventana::other);
}

TEST_F(Dialogos, CancelarAlGuardarElDocumentoNoTerminaElCuaderno) {
    // Unsaved changes in the document; the notebook ends from Pausa, Pausa
    // and from its close box, and the pupil answers Cancelar each time: the
    // notebook goes on as it was, prompt gone, grid written and focused.
    cuaderno.ventanaDocumento().show();
    cuaderno.documento().escribir("deberes");
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2})
        QTest::keyClick(&ventana(), k);
    int preguntas = 0;
    auto cancelar = [&] {
        QTimer::singleShot(100, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (caja == nullptr) return;
            ++preguntas;
            for (QAbstractButton* b : caja->buttons())
                if (b->text() == QStringLiteral("Cancelar")) b->click();
        });
    };
    cancelar();
    QTest::keyClick(&ventana(), Qt::Key_Pause);
    QTest::keyClick(&ventana(), Qt::Key_Pause);
    cancelar();
    EXPECT_FALSE(ventana().close());
    EXPECT_EQ(preguntas, 2);
    EXPECT_FALSE(form().finalizado());
    EXPECT_TRUE(ventana().isVisible());
    EXPECT_TRUE(cuaderno.ventanaDocumento().isVisible());
    EXPECT_EQ(form().Mensa.Caption, "");
    EXPECT_FALSE(form().Frame1.Visible);
    EXPECT_EQ(form().foco, Foco::tabla);
    EXPECT_TRUE(form().tabla.TabStop);
    EXPECT_EQ(form().tabla.TextMatrix(1, 3) + form().tabla.TextMatrix(1, 4), "12");
    EXPECT_EQ(cuaderno.documento().leer().parrafos.at(0).texto, "deberes");
    // The notebook takes keys again.
    QTest::keyClick(&ventana(), Qt::Key_3);
    EXPECT_EQ(form().tabla.TextMatrix(1, 5), "3");
}

TEST_F(Dialogos, SoloLaPreguntaDelAnchoDeLineaLlevaIcono) {
    // The table manager's questions show no icon; the question about the
    // document's new line width shows the question icon.
    struct Caja {
        QString titulo;
        QMessageBox::Icon icono;
    };
    std::vector<Caja> cajas;
    auto contestarNo = [&] {
        QTimer::singleShot(100, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (caja == nullptr) return;
            cajas.push_back({caja->windowTitle(), caja->icon()});
            for (QAbstractButton* b : caja->buttons())
                if (b->text() == QStringLiteral("No")) b->click();
        });
    };
    for (Qt::Key k : {Qt::Key_T, Qt::Key_2, Qt::Key_3, Qt::Key_Return})
        QTest::keyClick(&ventana(), k);
    for (Qt::Key k : {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_B}) {
        contestarNo();
        QTest::keyClick(&ventana(), k);
    }
    QTest::keyClick(&ventana(), Qt::Key_Escape);
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    cuaderno.documento().fijarPagina(595.3F, 100, 100);
    contestarNo();
    form().comprobarancho();
    ASSERT_EQ(cajas.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cajas[i].icono, QMessageBox::NoIcon) << cajas[i].titulo.toStdString();
    EXPECT_EQ(cajas[4].titulo.toStdString(), "¡Atención!");
    EXPECT_EQ(cajas[4].icono, QMessageBox::Question);
}
