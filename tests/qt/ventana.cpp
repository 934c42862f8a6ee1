// The real window on the offscreen platform: real key and mouse events in,
// the form's state and the painted image out.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ConCuaderno.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

int aPx(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

class VentanaReal : public prueba::ConCuaderno {
  protected:
    void SetUp() override {
        ConCuaderno::SetUp();
        // What start-up said (no word processor here) is not under test.
        mensajes.clear();
    }

    void contestar() override {
        cuaderno.plataforma().contestarCon(
            [this](const std::string& texto, const std::string&, Botones b) {
                mensajes.push_back(texto);
                return b == Botones::YesNo ? Respuesta::No
                       : b == Botones::OK  ? Respuesta::OK
                                           : Respuesta::Cancel;
            });
    }

    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(&ventana(), k, m);
    }

    // Dark pixels inside a cell, away from its lines and the cursor's mark.
    int oscurosEnCelda(const QImage& imagen, int fila, int columna) {
        const QRect r = ventana().rectCelda(fila, columna).adjusted(4, 4, -4, -4);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(imagen.pixel(x, y)) < 100) ++n;
        return n;
    }

    std::vector<std::string> mensajes;
};

} // namespace

TEST_F(VentanaReal, AbreArribaDeTodoEnLaEsquinaInferiorDerecha) {
    VentanaQt& v = ventana();
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(v.windowTitle().toStdString(),
              "Renglero  -  Confirmar: No  -  [F11] = Alternar Word/Renglero");
    EXPECT_TRUE(v.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form().tabla.Rows(), 13);
    EXPECT_EQ(form().tabla.Cols(), 25);
    EXPECT_EQ(form().modoTexto, 0);
    // Sizes from twips at 96 DPI: 15 twips a pixel; the height less the title bar.
    EXPECT_EQ(v.width(), aPx(form().Width));
    EXPECT_EQ(v.height(), aPx(form().Height - form().margenVentana));
    const QRect pantalla = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(v.x(), aPx(form().Left));
    EXPECT_EQ(v.y(), aPx(form().Top));
    EXPECT_EQ(form().Left, aPx(0) + pantalla.width() * 15 - form().Width - 150);
    EXPECT_EQ(form().Top, pantalla.height() * 15 - form().Height - 500);
    // The cell of the cursor lies inside the window.
    const QRect celda = v.rectCelda(1, 3);
    EXPECT_FALSE(celda.isEmpty());
    EXPECT_TRUE(v.rect().contains(celda));
    // The timers run as the first activation armed them.
    EXPECT_TRUE(v.timer1().isActive());
    EXPECT_EQ(v.timer1().interval(), 1000);
    EXPECT_TRUE(v.timer2().isActive());
    EXPECT_EQ(v.timer2().interval(), 100);
}

TEST_F(VentanaReal, UnDigitoTecleadoSeEscribeYSePinta) {
    const QImage antes = ventana().grab().toImage();
    EXPECT_EQ(oscurosEnCelda(antes, 1, 3), 0);
    tecla(Qt::Key_1);
    EXPECT_EQ(form().tabla.TextMatrix(1, 3), "1");
    EXPECT_EQ(form().tabla.Col(), 4);
    const QImage despues = ventana().grab().toImage();
    EXPECT_GT(oscurosEnCelda(despues, 1, 3), 5);
    // The cell the cursor left to is still blank.
    EXPECT_EQ(oscurosEnCelda(despues, 1, 4), 0);
}

TEST_F(VentanaReal, MasDelTecladoNumericoEsUnaOperacion) {
    tecla(Qt::Key_1);
    tecla(Qt::Key_2);
    tecla(Qt::Key_Return);
    tecla(Qt::Key_3);
    // The main keyboard's + is no operation key.
    tecla(Qt::Key_Plus);
    EXPECT_EQ(form().operacion, "");
    tecla(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form().operacion, "+");
}

TEST_F(VentanaReal, TabCambiaElSentidoEnLugarDeMoverElFoco) {
    ASSERT_EQ(form().sentido, "d");
    tecla(Qt::Key_Tab);
    EXPECT_EQ(form().sentido, "i");
    EXPECT_EQ(form().Label1.Caption, "<---");
    EXPECT_TRUE(ventana().hasFocus());
}

TEST_F(VentanaReal, CedillaPasaAModoTextoYLaVentanaCrece) {
    const int anchoAntes = ventana().width();
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla, Qt::NoModifier);
    EXPECT_EQ(form().modoTexto, 1);
    EXPECT_EQ(form().tabla.Rows(), 50);
    EXPECT_GT(ventana().width(), anchoAntes);
    EXPECT_EQ(ventana().width(), aPx(form().Width));
    EXPECT_EQ(ventana().windowTitle().toStdString(), "Renglero  -  [F11] = Alternar Word/Renglero");
}

TEST_F(VentanaReal, ControlSoloMuestraLaLeyendaDeFormatoEnModoTexto) {
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla, Qt::NoModifier);
    ASSERT_EQ(form().modoTexto, 1);
    ASSERT_FALSE(form().Label6.Visible);
    QTest::keyPress(&ventana(), Qt::Key_Control);
    QTest::keyRelease(&ventana(), Qt::Key_Control);
    EXPECT_TRUE(form().Label6.Visible);
}

TEST_F(VentanaReal, CambiarDeModoConLaTablaEscritaAvisa) {
    tecla(Qt::Key_7);
    QTest::keyClick(&ventana(), Qt::Key_Ccedilla, Qt::NoModifier);
    EXPECT_EQ(form().modoTexto, 0);
    ASSERT_EQ(mensajes.size(), 1U);
    EXPECT_NE(mensajes[0].find("tiene que estar vacía"), std::string::npos);
}

TEST_F(VentanaReal, BotonDeOperacionYClicEnLaLineaDeEstado) {
    QToolButton* mas = ventana().botonOperar(0);
    ASSERT_NE(mas, nullptr);
    EXPECT_TRUE(mas->isVisible());
    EXPECT_EQ(mas->text(), "+");
    EXPECT_EQ(mas->toolTip(), " Sumar ");
    EXPECT_EQ(ventana().botonOperar(3)->toolTip(), " Dividir ");

    const int alto = ventana().height();
    const QRect estado = ventana().rectControl(form().Label2);
    QTest::mouseClick(&ventana(), Qt::LeftButton, Qt::NoModifier, estado.center());
    EXPECT_EQ(form().ventanaRecogida, 1);
    EXPECT_LT(ventana().height(), alto);
    QTest::mouseClick(&ventana(), Qt::LeftButton, Qt::NoModifier, estado.center());
    EXPECT_EQ(form().ventanaRecogida, 0);
    EXPECT_EQ(ventana().height(), alto);
}

TEST_F(VentanaReal, LaAyudaSeAbreYSeCierraConTeclas) {
    tecla(Qt::Key_F5);
    EXPECT_TRUE(form().Ayuda.Visible);
    EXPECT_EQ(form().foco, Foco::Ta);
    // The operation buttons do not show through the help.
    EXPECT_FALSE(ventana().botonOperar(0)->isVisible());
    tecla(Qt::Key_Down);
    EXPECT_TRUE(form().Ayuda.Visible);
    tecla(Qt::Key_Escape);
    EXPECT_FALSE(form().Ayuda.Visible);
    EXPECT_EQ(form().foco, Foco::tabla);
    EXPECT_TRUE(ventana().botonOperar(0)->isVisible());
}

TEST_F(VentanaReal, SinImpresoraLaAyudaLoDiceYNoImprime) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "hay una impresora";
    tecla(Qt::Key_F5);
    // The pupil says the printer is ready (OK), but there is none.
    cuaderno.plataforma().contestarCon(
        [this](const std::string& texto, const std::string&, Botones) {
            mensajes.push_back(texto);
            return Respuesta::OK;
        });
    tecla(Qt::Key_I);
    ASSERT_EQ(mensajes.size(), 2U);
    EXPECT_EQ(mensajes[0], "Prepara la Impresora y selecciona Aceptar.");
    EXPECT_EQ(mensajes[1], "No hay ninguna impresora instalada. No se ha impreso la Ayuda.");
    EXPECT_EQ(cuaderno.plataforma().impresiones(), 0);
    EXPECT_TRUE(form().Ayuda.Visible);
}

TEST_F(VentanaReal, AcercaDeSeCierraConUnaTecla) {
    tecla(Qt::Key_F3);
    ASSERT_TRUE(form().Form2.Visible);
    AcercaDeQt* acerca = ventana().acercaDe();
    ASSERT_NE(acerca, nullptr);
    EXPECT_TRUE(acerca->isVisible());
    EXPECT_EQ(acerca->windowTitle().toStdString(), "Acerca de Renglero");
    EXPECT_TRUE(acerca->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* boton = acerca->findChild<QPushButton*>("Command1");
    ASSERT_NE(boton, nullptr);
    EXPECT_EQ(boton->text().toStdString(), "Aceptar");
    QTest::keyClick(boton, Qt::Key_X);
    EXPECT_FALSE(form().Form2.Visible);
    EXPECT_EQ(ventana().acercaDe(), nullptr);
}

TEST_F(VentanaReal, LosTemporizadoresSiguenAlFormulario) {
    form().Timer1.Interval = 0;
    form().Timer2.Interval = 250;
    ventana().sincronizar();
    EXPECT_FALSE(ventana().timer1().isActive());
    EXPECT_TRUE(ventana().timer2().isActive());
    EXPECT_EQ(ventana().timer2().interval(), 250);
    form().Timer1.Interval = 1000;
    ventana().sincronizar();
    EXPECT_TRUE(ventana().timer1().isActive());
}

TEST_F(VentanaReal, AcercaDeSeCierraAlActivarElCuaderno) {
    EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), renglero::Ventana::notebook);
    tecla(Qt::Key_F3);
    ASSERT_NE(ventana().acercaDe(), nullptr);
    QApplication::processEvents();
    EXPECT_EQ(cuaderno.plataforma().ventanaActiva(), renglero::Ventana::about);
    EXPECT_EQ(form().ventanaActual, renglero::Ventana::about);
    // The pupil clicks the notebook: the about box loses activation and closes.
    ventana().activateWindow();
    QApplication::processEvents();
    EXPECT_FALSE(form().Form2.Visible);
    EXPECT_EQ(ventana().acercaDe(), nullptr);
    EXPECT_EQ(form().ventanaActual, renglero::Ventana::notebook);
}
