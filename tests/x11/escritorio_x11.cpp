// The X11 door on a real X server with a window manager: F11 taken from the
// whole desktop, so that the window with the focus never sees it, and each
// quick tap seen; a window brought to the front by its id, also through a
// child window of it.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "qt/ActivacionX11.h"
#include "qt/TeclaGlobal.h"

using namespace renglero;

namespace {

// Asks the window manager for the window, as the notebook does: with the
// instant of an action, and followed until it is granted.
bool activarVentana(unsigned long id, std::uint32_t instante = 0) {
    static ActivadorX11 activador;
    return activador.activar(ventanaGestionadaX11(id), instante);
}

// Lets events run until the condition holds or the time is up.
bool hasta(const std::function<bool()>& condicion, int ms = 10000) {
    QElapsedTimer reloj;
    reloj.start();
    while (!condicion()) {
        if (reloj.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class VentanaQueCuenta : public QWidget {
  public:
    int f11 = 0;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_F11) ++f11;
    }
};

// Shown and made the active window, asked again until the window manager
// has given it the focus.
void mostrarActiva(QWidget& w) {
    w.show();
    QElapsedTimer pedido;
    pedido.start();
    w.activateWindow();
    ASSERT_TRUE(hasta([&] {
        if (pedido.elapsed() > 500) {
            activarVentana(w.winId());
            pedido.restart();
        }
        return QApplication::activeWindow() == &w;
    }));
}

} // namespace

TEST(EscritorioX11, F11EsDelCuadernoYCadaToqueSeVe) {
    EstadoF11 estado;
    ASSERT_TRUE(estado.global());
    VentanaQueCuenta enfrente;
    enfrente.resize(200, 100);
    mostrarActiva(enfrente);
    for (int toque = 1; toque <= 3; ++toque) {
        // A tap as xdotool types it: press and release at once.
        ASSERT_EQ(std::system("xdotool key F11"), 0);
        int leido = 0;
        EXPECT_TRUE(hasta([&] { return (leido = estado.leer()) == 0x8001; })) << "toque " << toque;
        EXPECT_EQ(estado.leer(), 0);
    }
    // The window with the focus never received it.
    EXPECT_EQ(enfrente.f11, 0);
    // Once let go, the key reaches the window again.
    std::system("xdotool key --delay 0 F12");
}

TEST(EscritorioX11, SoltarF11LaDevuelveALaVentana) {
    VentanaQueCuenta enfrente;
    enfrente.resize(200, 100);
    mostrarActiva(enfrente);
    {
        EstadoF11 estado;
        ASSERT_TRUE(estado.global());
    }
    ASSERT_EQ(std::system("xdotool key F11"), 0);
    EXPECT_TRUE(hasta([&] { return enfrente.f11 == 1; }));
}

TEST(EscritorioX11, ActivarPorIdTraeLaVentana) {
    QWidget una, otra;
    una.setWindowTitle(QStringLiteral("una"));
    otra.setWindowTitle(QStringLiteral("otra"));
    una.resize(200, 100);
    otra.resize(200, 100);
    mostrarActiva(una);
    mostrarActiva(otra);
    ASSERT_TRUE(activarVentana(una.winId()));
    EXPECT_TRUE(hasta([&] { return QApplication::activeWindow() == &una; }));
}

TEST(EscritorioX11, ActivarPorUnaVentanaHijaTraeLaSuya) {
    QWidget una, otra;
    una.resize(200, 100);
    otra.resize(200, 100);
    // A document area with an X11 window of its own inside its frame.
    auto* hija = new QWidget(&una);
    hija->setGeometry(10, 10, 50, 50);
    hija->setAttribute(Qt::WA_NativeWindow);
    mostrarActiva(una);
    mostrarActiva(otra);
    ASSERT_NE(hija->winId(), una.winId());
    ASSERT_TRUE(activarVentana(hija->winId()));
    EXPECT_TRUE(hasta([&] { return QApplication::activeWindow() == &una; }));
}

// A request with an instant older than the pupil's last key is refused by a
// window manager that prevents focus stealing; the next way is then tried,
// and the window ends active all the same, as the desktop itself says.
TEST(EscritorioX11, UnInstanteViejoNoDejaSinActivar) {
    QWidget una, otra;
    una.resize(200, 100);
    otra.resize(200, 100);
    mostrarActiva(una);
    const std::uint32_t viejo = instanteX11();
    mostrarActiva(otra);
    ASSERT_EQ(std::system("xdotool key --delay 0 a"), 0);
    ASSERT_TRUE(activarVentana(una.winId(), viejo));
    EXPECT_TRUE(hasta([&] {
        return ventanaActivaX11() == ventanaGestionadaX11(una.winId()) &&
               QApplication::activeWindow() == &una;
    }));
}

TEST(EscritorioX11, UnaVentanaQueNoEstaNoSeActiva) {
    EXPECT_FALSE(activarVentana(0));
    unsigned long id = 0;
    {
        QWidget ida;
        ida.show();
        id = ida.winId();
        hasta([] { return false; }, 100);
    }
    EXPECT_FALSE(activarVentana(id));
}
