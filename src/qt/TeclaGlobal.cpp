#include "qt/TeclaGlobal.h"

#include <QGuiApplication>

#include "programa/Registro.h"

#if __has_include(<X11/Xlib.h>)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#define RENGLERO_X11 1
#endif

namespace renglero {

namespace {

#ifdef RENGLERO_X11
Display* pantallaX11() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->display() : nullptr;
}
#endif

// Whether F11 is down on the desktop's keyboard; nullopt where it cannot be read.
int leerF11Global() {
#ifdef RENGLERO_X11
    Display* d = pantallaX11();
    if (d == nullptr) return -1;
    const KeyCode codigo = XKeysymToKeycode(d, XK_F11);
    if (codigo == 0) return -1;
    char teclas[32] = {};
    XQueryKeymap(d, teclas);
    return (teclas[codigo / 8] >> (codigo % 8)) & 1;
#else
    return -1;
#endif
}

} // namespace

EstadoF11::EstadoF11() {
    global_ = leerF11Global() >= 0;
    qCDebug(registroX11) << (global_ ? "F11 se lee del teclado de X11, también fuera de la ventana"
                                     : "F11 solo dentro de la ventana: no hay X11");
    if (global_) {
        // A tap is shorter than Timer2's period: sample it more often.
        muestreo_.setInterval(20);
        QObject::connect(&muestreo_, &QTimer::timeout, [this] { muestrear(); });
        muestreo_.start();
    }
}

void EstadoF11::muestrear() {
    const int abajo = leerF11Global();
    if (abajo < 0) return;
    if (abajo == 1 && !abajoGlobal_) pulsadaDesdeLectura_ = true;
    abajoGlobal_ = abajo == 1;
}

void EstadoF11::pulsada() {
    pulsadaDesdeLectura_ = true;
    abajo_ = true;
}

void EstadoF11::soltada() {
    abajo_ = false;
}

int EstadoF11::leer() {
    if (global_) muestrear();
    const bool abajo = abajo_ || abajoGlobal_;
    const int estado = pulsadaDesdeLectura_ ? 0x8001 : (abajo ? 0x8000 : 0);
    pulsadaDesdeLectura_ = false;
    return estado;
}

} // namespace renglero
