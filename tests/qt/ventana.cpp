// Real key and mouse events in; the form's state, the widgets and the painted image out.
#include <QKeyEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QToolButton>
#include <cmath>

#include "ConCuaderno.h"
#include "propio/DocumentoPropio.h"

using namespace renglero;

namespace {

class EnLaVentana : public prueba::ConCuaderno {};

// Slow over a block, as Writer is: timers fall due while F9 still sends, the pointer busy.
class DocumentoLento : public DocumentoPropio {
  public:
    bool ocupado = false;
    void insertarBloque(const std::string& texto, const std::string& fuente,
                        const std::vector<FormatoCaracter>& formatos) override {
        ocupado = QApplication::overrideCursor() != nullptr;
        QThread::msleep(160);
        DocumentoPropio::insertarBloque(texto, fuente, formatos);
    }
};

} // namespace

TEST_F(EnLaVentana, AbreArribaDeTodoEnLaEsquinaYSigueAlFormulario) {
    VentanaQt& v = ventana();
    EXPECT_TRUE(v.windowFlags() & Qt::WindowStaysOnTopHint);
    // Sizes from twips at 96 DPI: 15 twips a pixel; the height less the title bar.
    const auto aPx = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    EXPECT_EQ(QRect(v.pos(), v.size()), QRect(aPx(form().Left), aPx(form().Top), aPx(form().Width),
                                              aPx(form().Height - form().margenVentana)));
    // The timers run as the first activation armed them, and follow the form.
    EXPECT_EQ(v.timer1().isActive() ? v.timer1().interval() : 0, 1000);
    EXPECT_EQ(v.timer2().isActive() ? v.timer2().interval() : 0, 100);
    form().Timer1.Interval = 0;
    form().Timer2.Interval = 250;
    v.sincronizar();
    EXPECT_FALSE(v.timer1().isActive());
    EXPECT_EQ(v.timer2().isActive() ? v.timer2().interval() : 0, 250);
    // Tab changes the direction rather than moving the focus.
    tecla(Qt::Key_Tab);
    EXPECT_EQ(form().sentido, "i");
    EXPECT_TRUE(v.hasFocus());
    // Texto mode: a wider window, another title.
    tecla(Qt::Key_Ccedilla);
    ASSERT_EQ(form().modoTexto, 1);
    EXPECT_EQ(v.width(), aPx(form().Width));
    EXPECT_EQ(v.windowTitle().toStdString(), form().Caption);
    // Ink in a written cell, none in the cursor's blank one.
    const auto tinta = [this](int f, int c) {
        return pixeles(comoEsAhora(), ventana().rectCelda(f, c).adjusted(4, 4, -4, -4));
    };
    const int fila = form().tabla.Row(), col = form().tabla.Col();
    EXPECT_EQ(tinta(fila, col), 0);
    tecla(Qt::Key_7);
    EXPECT_GT(tinta(fila, col), 5);
    EXPECT_EQ(tinta(form().tabla.Row(), form().tabla.Col()), 0);
}

// Help hides the buttons, prints nothing without a printer; status-line clicks fold, unfold.
TEST_F(EnLaVentana, BotonesAyudaYClicEnLaLineaDeEstado) {
    QToolButton* mas = ventana().botonOperar(0);
    EXPECT_TRUE(mas->isVisible());
    tecla(Qt::Key_F5);
    EXPECT_FALSE(mas->isVisible());
    if (QPrinterInfo::defaultPrinter().isNull()) {
        aOkCancel = Respuesta::OK; // the pupil says the printer is ready
        tecla(Qt::Key_I);
        EXPECT_EQ(mensajes, (std::vector<std::string>{
                                "Prepara la Impresora y selecciona Aceptar.",
                                "No hay ninguna impresora instalada. No se ha impreso la Ayuda."}));
        EXPECT_EQ(cuaderno.plataforma().impresiones(), 0);
    }
    tecla(Qt::Key_Escape);
    EXPECT_TRUE(mas->isVisible());
    const int alto = ventana().height();
    const QPoint estado = ventana().rectControl(form().Label2).center();
    QTest::mouseClick(&ventana(), Qt::LeftButton, Qt::NoModifier, estado);
    EXPECT_LT(ventana().height(), alto);
    QTest::mouseClick(&ventana(), Qt::LeftButton, Qt::NoModifier, estado);
    EXPECT_EQ(ventana().height(), alto);
}

TEST_F(EnLaVentana, ElAcercaDeSeCierraAlVolverAlCuadernoOConUnaTecla) {
    for (bool conTecla : {false, true}) {
        tecla(Qt::Key_F3);
        AcercaDeQt* acerca = ventana().acercaDe();
        ASSERT_NE(acerca, nullptr);
        QApplication::processEvents();
        EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), Ventana::about);
        EXPECT_TRUE(acerca->isVisible() && acerca->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(acerca->windowTitle().toStdString(), "Acerca de Renglero");
        auto* boton = acerca->findChild<QPushButton*>("Command1");
        EXPECT_EQ(boton->text().toStdString(), "Aceptar");
        if (conTecla)
            QTest::keyClick(boton, Qt::Key_X);
        else
            ventana().activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(ventana().acercaDe(), nullptr);
        EXPECT_EQ(form().ventanaActual, Ventana::notebook);
    }
}

TEST_F(EnLaVentana, LaPrimeraTeclaAlVolverCuentaAunqueElEscritorioNoLoHayaDicho) {
    const Cuadricula& g = form().tabla;
    const int fila = g.Row(), columna = g.Col();
    form().activar(Ventana::other);
    teclear("5");
    EXPECT_EQ(form().ventanaActual, Ventana::notebook);
    EXPECT_EQ(g.TextMatrix(fila, columna), "5");
}

// A click on the bars scrolls the view, not the cursor; the keys stay with the notebook.
TEST_F(EnLaVentana, EnTextoLasBarrasSiguenALaVista) {
    QScrollBar* v = ventana().barraVertical();
    QScrollBar* h = ventana().barraHorizontal();
    EXPECT_FALSE(v->isVisible() || h->isVisible()); // none in Cuentas
    tecla(Qt::Key_Ccedilla);
    ASSERT_TRUE(v->isVisible() && h->isVisible());
    const Cuadricula& g = form().tabla;
    const QRect rejilla = ventana().rectEn(g.Left, g.Top, g.Width, g.Height);
    EXPECT_TRUE(ventana().rect().contains(v->geometry() | h->geometry()));
    EXPECT_NEAR(v->geometry().right(), rejilla.right(), 1);
    EXPECT_NEAR(h->geometry().bottom(), rejilla.bottom(), 1);
    EXPECT_FALSE(v->geometry().intersects(h->geometry()));
    EXPECT_EQ(std::make_tuple(v->maximum(), v->pageStep(), h->maximum()),
              std::make_tuple(g.filaArribaMaxima(), g.filasVisibles(), g.colIzquierdaMaxima()));
    tecla(Qt::Key_A);
    // The groove below the slider: one page down; the right arrow: a column.
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier,
                      QPoint(v->width() / 2, v->height() - v->width() * 2));
    QTest::mouseClick(h, Qt::LeftButton, Qt::NoModifier,
                      QPoint(h->width() - h->height() / 2, h->height() / 2));
    EXPECT_EQ(std::make_tuple(g.TopRow(), v->value(), g.LeftCol()),
              std::make_tuple(g.filasVisibles(), g.filasVisibles(), 1));
    EXPECT_EQ(std::make_pair(g.Row(), g.Col()), std::make_pair(2, 2));
    EXPECT_TRUE(ventana().hasFocus());
    tecla(Qt::Key_B);
    EXPECT_EQ(g.TextMatrix(2, 2), "b");
    // The cursor going down and to the end scrolls the view, and the bars.
    teclear(std::string(12 + g.filasVisibles(), '_'));
    tecla(Qt::Key_End);
    ASSERT_GT(g.TopRow(), g.filasVisibles());
    ASSERT_GT(g.LeftCol(), 1);
    EXPECT_EQ(std::make_pair(v->value(), h->value()), std::make_pair(g.TopRow(), g.LeftCol()));
    EXPECT_FALSE(ventana().rectCelda(g.TopRow(), g.Cols() - 1).intersects(v->geometry()));
    tecla(Qt::Key_F5);
    EXPECT_FALSE(h->isVisible());
    EXPECT_FALSE(v->isVisible() && ventana().rectControl(form().Ayuda).intersects(v->geometry()));
    tecla(Qt::Key_Escape);
    EXPECT_TRUE(v->isVisible() && h->isVisible());
}

TEST_F(EnLaVentana, ElGestorDeTablasLlevaSuTituloYDejaVerLaLineaDeEstado) {
    tecla(Qt::Key_T);
    const QImage imagen = comoEsAhora();
    const QRect marco = ventana().rectControl(form().Frame2);
    const QRect estado = ventana().rectControl(form().Label2);
    // The caption strip at the frame's top, with its text.
    const QRect tira(marco.left() + 2, marco.top() + 2, marco.width() - 4,
                     ventana().aPixeles(kAltoTituloMarco) - 3);
    const QColor resalte = ventana().palette().color(QPalette::Highlight);
    const QColor letra = ventana().palette().color(QPalette::HighlightedText);
    EXPECT_GT(pixeles(imagen, tira, &resalte), tira.width());
    EXPECT_GT(pixeles(imagen, tira, &letra), 20);
    // The status line shows its text, not the frame.
    EXPECT_GT(pixeles(imagen, estado), 100);
    EXPECT_EQ(pixeles(imagen, estado, &resalte), 0);
    EXPECT_FALSE(ventana().botonOperar(0)->geometry().intersects(marco));
    // Its handlers let events run: quick keys arrive mid-handling and keep their order.
    ASSERT_EQ(form().foco, Foco::Teta);
    for (const auto& [k, texto] : {std::pair{Qt::Key_3, "3"}, std::pair{Qt::Key_Return, "\r"}})
        for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(&ventana(), new QKeyEvent(tipo, k, Qt::NoModifier, texto));
    tecla(Qt::Key_2);
    QApplication::processEvents();
    EXPECT_EQ(mensajes, std::vector<std::string>{});
    EXPECT_EQ(form().filasTablaNueva + form().columnasTablaNueva, "23");
}

TEST_F(EnLaVentana, LaFlechaNoTapaLaLineaDeEstado) {
    for (int tamano = 0; tamano < 2; ++tamano) {
        if (tamano == 1) tecla(Qt::Key_H);
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

// A label changed by a long command, a word processor's event or F9's slow send is painted.
TEST_F(EnLaVentana, LoQueCambiaSinTeclaSePintaEnseguida) {
    tecla(Qt::Key_Ccedilla);
    correrBucle(30);
    const QRect columnas = ventana().rectControl(form().Label12);
    QMetaObject::invokeMethod(
        qApp, [this] { form().Label12.Caption = "Columnas = 40 / 62"; }, Qt::QueuedConnection);
    correrBucle(30);
    EXPECT_EQ(enPantalla().copy(columnas), comoEsAhora().copy(columnas));
    const QRect enviando = ventana().rectControl(form().Label5);
    const QImage antes = enPantalla().copy(enviando);
    form().Label5.Caption = "Enviando...";
    form().Label5.Visible = true;
    cuaderno.plataforma().procesarEventos();
    QApplication::processEvents();
    EXPECT_NE(enPantalla().copy(enviando), antes);
    EXPECT_EQ(enPantalla().copy(enviando), comoEsAhora().copy(enviando));
    form().Label5.Visible = false;
    DocumentoLento lento;
    lento.nuevoDocumento();
    form().word = &lento;
    teclear("ab");
    // F9 held: its release, in the middle of a slow send, is no repaint to count on.
    QTest::keyPress(&ventana(), Qt::Key_F9);
    form().word = &cuaderno.documento();
    ASSERT_NE(lento.leer().parrafos.at(1).texto.find("ab"), std::string::npos);
    ASSERT_FALSE(form().Label5.Visible);
    EXPECT_TRUE(lento.ocupado && QApplication::overrideCursor() == nullptr);
    correrBucle(60);
    EXPECT_EQ(enPantalla().copy(enviando), comoEsAhora().copy(enviando))
        << "\"Enviando...\" sigue en pantalla";
    QTest::keyRelease(&ventana(), Qt::Key_F9);
}

// No command leaves the grid's drawing held back.
class PantallaAlDia : public prueba::ConCuaderno,
                      public ::testing::WithParamInterface<const char*> {};

TEST_P(PantallaAlDia, TrasLasTeclas) {
    teclear(GetParam());
    correrBucle(30);
    EXPECT_TRUE(enPantalla() == comoEsAhora());
}

// The memory line stored, and brought back; a square root's side sum.
INSTANTIATE_TEST_SUITE_P(Ventana, PantallaAlDia,
                         ::testing::Values("12{{", "~ab{{", "~ab{{_}}", "225r1\n<1\n25\n>>25\n"));
