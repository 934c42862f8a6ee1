// Real message boxes and dialogs, answered by the tests: the notebook's own are no other
// program in front; the embedded document's belong to the document; Qt's words are Spanish.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "ConCuaderno.h"
#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"

using namespace renglero;

namespace {

class Dialogos : public prueba::ConCuaderno {
  protected:
    void contestar() override {}

    struct Caja {
        QString titulo, texto;
        QMessageBox::Icon icono;
    };
    // The next message box, once shown: what it says is kept; the button `boton` answers it.
    // With `vaiven`, the keyboard comes to the notebook and goes as the box closes, before it
    // is gone (as a tick of Timer2 may look then, or the desktop move it).
    void contestarLaProxima(const QString& boton, int ms = 100, bool vaiven = false) {
        QTimer::singleShot(ms, [this, boton, vaiven] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (caja == nullptr) return;
            cajas.push_back({caja->windowTitle(), caja->text(), caja->icon()});
            activaDurante = cuaderno.plataforma().ventanaActiva();
            altoDurante = ventana().height();
            for (QAbstractButton* b : caja->buttons())
                if (b->text() == boton) b->click();
            if (!vaiven) return;
            QApplication::setActiveWindow(&ventana());
            QApplication::setActiveWindow(nullptr);
        });
    }
    std::vector<Caja> cajas;
    Ventana activaDurante = Ventana::other;
    int altoDurante = 0;
};

} // namespace

TEST_F(Dialogos, UnMensajeDelCuadernoNoLoRecoge) {
    teclear("125\n37+");
    ASSERT_EQ(form().operacion, "+");
    const int alto = ventana().height();
    // Timer2 ticks a few times under the box.
    contestarLaProxima(QStringLiteral("Aceptar"), 400, true);
    tecla(Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_EQ(cajas.size(), 1u);
    EXPECT_EQ(cajas[0].texto.toStdString(),
              "Para hacer una nueva operación hay que borrar la tabla.");
    EXPECT_EQ(activaDurante, Ventana::notebook);
    EXPECT_EQ(altoDurante, alto);
    // Nor was it left, even while the desktop has yet to give the keyboard back.
    EXPECT_EQ(form().ventanaActual, Ventana::notebook);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), Ventana::notebook);
}

TEST_F(Dialogos, ElDialogoDelDocumentoEsDelDocumentoYUnaVentanaAjenaOtra) {
    QFileDialog dialogo(&cuaderno.ventanaDocumento(), QStringLiteral("Guardar el documento"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    QWidget ajena;
    for (auto [ventana, esperada] :
         {std::pair<QWidget*, Ventana>{&dialogo, Ventana::word}, {&ajena, Ventana::other}}) {
        ventana->show();
        ventana->activateWindow();
        correrBucle(50);
        ASSERT_EQ(QApplication::activeWindow(), ventana);
        EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), esperada);
        ventana->close();
    }
}

TEST_F(Dialogos, CancelarAlGuardarElDocumentoNoTerminaElCuaderno) {
    // Ended from Pausa, Pausa and from its close box: it goes on as it was, prompt gone.
    cuaderno.ventanaDocumento().show();
    cuaderno.documento().escribir("deberes");
    teclear("12");
    contestarLaProxima(QStringLiteral("Cancelar"));
    tecla(Qt::Key_Pause);
    tecla(Qt::Key_Pause);
    contestarLaProxima(QStringLiteral("Cancelar"));
    EXPECT_FALSE(ventana().close());
    EXPECT_EQ(cajas.size(), 2u);
    EXPECT_FALSE(form().finalizado());
    EXPECT_TRUE(ventana().isVisible());
    EXPECT_TRUE(cuaderno.ventanaDocumento().isVisible());
    EXPECT_EQ(form().Mensa.Caption, "");
    EXPECT_FALSE(form().Frame1.Visible);
    EXPECT_EQ(form().foco, Foco::tabla);
    EXPECT_EQ(cuaderno.documento().leer().parrafos.at(0).texto, "deberes");
    tecla(Qt::Key_3);
    const Cuadricula& g = form().tabla;
    EXPECT_EQ(g.TextMatrix(1, 3) + g.TextMatrix(1, 4) + g.TextMatrix(1, 5), "123");
}

TEST_F(Dialogos, SoloLaPreguntaDelAnchoDeLineaLlevaIcono) {
    // A table manager's question shows none (as all the others); the line width's, a question.
    teclear("t23\n");
    contestarLaProxima(QStringLiteral("No"));
    teclear("q^~");
    cuaderno.documento().fijarPagina(595.3F, 100, 100);
    contestarLaProxima(QStringLiteral("No"));
    form().comprobarancho();
    ASSERT_EQ(cajas.size(), 2u);
    EXPECT_EQ(cajas[0].icono, QMessageBox::NoIcon);
    EXPECT_EQ(cajas[1].titulo.toStdString(), "¡Atención!");
    EXPECT_EQ(cajas[1].icono, QMessageBox::Question);
}

// The documents folder as xdg-user-dirs names it.
TEST_F(Dialogos, GuardarElDocumentoEmpiezaEnLaCarpetaDeDocumentosYEnEspanol) {
    QTemporaryDir configuracion;
    const QString documentos = configuracion.filePath(QStringLiteral("Mis documentos"));
    ASSERT_TRUE(QDir().mkpath(documentos));
    std::ofstream(configuracion.filePath("user-dirs.dirs").toStdString())
        << "XDG_DOCUMENTS_DIR=\"" << documentos.toStdString() << "\"\n";
    const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configuracion.path().toLocal8Bit());
    QString visto;
    QTimer mirar;
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialogo == nullptr) return;
        mirar.stop();
        visto = dialogo->directory().absolutePath() + "|" + dialogo->selectedFiles().value(0);
        for (const QPushButton* b : dialogo->findChildren<QPushButton*>())
            visto += "|" + b->text();
        dialogo->reject();
    });
    mirar.start(10);
    EXPECT_FALSE(cuaderno.ventanaDocumento().guardarComo());
    qputenv("XDG_CONFIG_HOME", antes); // an empty one is as none
    EXPECT_TRUE(visto.startsWith(documentos + "|" + documentos + "/Documento1.odt|"))
        << visto.toStdString();
    EXPECT_TRUE(visto.contains("|Cancelar") && visto.contains("|&Guardar")) << visto.toStdString();
}
