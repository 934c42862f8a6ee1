// What the pupil sees on screen follows the form at once: a label changed by
// a long command, by a tick or by the word processor's event is painted
// without waiting for the next key.
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

#include "ConCuaderno.h"
#include "propio/DocumentoPropio.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

// A word processor that takes its time over a block, as Writer does: the
// notebook's timers fall due while F9 is still sending.
class DocumentoLento : public DocumentoPropio {
  public:
    void insertarBloque(const std::string& texto, const std::string& fuente,
                        const std::vector<FormatoCaracter>& formatos) override {
        QThread::msleep(160);
        DocumentoPropio::insertarBloque(texto, fuente, formatos);
    }
};

class Pintado : public prueba::ConCuaderno {
  protected:
    // What the window last put on the screen (not a fresh rendering).
    QImage enPantalla() {
        return QGuiApplication::primaryScreen()
            ->grabWindow(ventana().winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // The window painted afresh from the form as it stands.
    QImage comoEsAhora() {
        return ventana().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

TEST_F(Pintado, EnviandoNoQuedaEnPantallaTrasEnviar) {
    DocumentoLento lento;
    lento.nuevoDocumento();
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    ASSERT_EQ(form().modoTexto, 1);
    form().word = &lento;
    QTest::keyClick(&ventana(), Qt::Key_A);
    QTest::keyClick(&ventana(), Qt::Key_B);
    const QRect etiqueta = ventana().rectControl(form().Label5);
    // F9 held: its release, which comes in the middle of a slow send, is
    // no repaint to count on.
    QTest::keyPress(&ventana(), Qt::Key_F9);
    form().word = &cuaderno.documento();
    bool enviado = false;
    for (const ParrafoLeido& p : lento.leer().parrafos)
        enviado = enviado || p.texto == "ab";
    ASSERT_TRUE(enviado);
    ASSERT_FALSE(form().Label5.Visible);
    correrBucle(60);
    EXPECT_EQ(enPantalla().copy(etiqueta), comoEsAhora().copy(etiqueta))
        << "\"Enviando...\" sigue en pantalla";
    QTest::keyRelease(&ventana(), Qt::Key_F9);
}

TEST_F(Pintado, UnCambioQueLlegaPorElBucleSePintaSinTecla) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    correrBucle(30);
    const QRect columnas = ventana().rectControl(form().Label12);
    // As the word processor's events come: queued on the loop from elsewhere.
    QMetaObject::invokeMethod(
        qApp, [this] { form().Label12.Caption = "Columnas = 40 / 62"; }, Qt::QueuedConnection);
    correrBucle(30);
    EXPECT_EQ(enPantalla().copy(columnas), comoEsAhora().copy(columnas));
}

TEST_F(Pintado, UnaPasadaDeEventosPintaLaEtiquetaPuesta) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla);
    correrBucle(30);
    const QRect etiqueta = ventana().rectControl(form().Label5);
    const QImage antes = enPantalla().copy(etiqueta);
    form().Label5.Caption = "Enviando...";
    form().Label5.Visible = true;
    // A long command lets pending events run: the label it put up is shown.
    cuaderno.plataforma().procesarEventos();
    QApplication::processEvents();
    EXPECT_NE(enPantalla().copy(etiqueta), antes);
    EXPECT_EQ(enPantalla().copy(etiqueta), comoEsAhora().copy(etiqueta));
}

TEST_F(Pintado, LaFlechaNoTapaLaLineaDeEstado) {
    // In both grid sizes the status line, as painted, ends before the
    // direction arrow begins: it is not cut off at the arrow's edge.
    for (int tamano = 0; tamano < 2; ++tamano) {
        if (tamano == 1) QTest::keyClick(&ventana(), Qt::Key_H);
        const QImage imagen = comoEsAhora();
        const QRect flecha = ventana().rectControl(form().Label1);
        const QRgb fondo = imagen.pixel(1, flecha.top());
        int fin = -1;
        for (int x = 0; x < flecha.left(); ++x)
            for (int y = flecha.top(); y <= flecha.bottom(); ++y)
                if (imagen.pixel(x, y) != fondo) fin = x;
        EXPECT_GT(fin, 0) << "tamaño " << tamano;
        EXPECT_LT(fin, flecha.left() - 2) << "tamaño " << tamano;
    }
}
