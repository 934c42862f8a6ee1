#include "qt/TeclaGlobal.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTime>
#include <cmath>

#include "programa/Registro.h"

#if __has_include(<X11/Xlib.h>) && __has_include(<xcb/xcb.h>)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#define RENGLERO_X11 1
#endif

namespace renglero {

namespace {

constexpr double kSegundosDia = 24 * 3600.0;
// A press is never seen this late: a longer delay means a clock jumped.
constexpr double kRetrasoMaximo = 60;

#ifdef RENGLERO_X11
QNativeInterface::QX11Application* x11() {
    return qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                              : nullptr;
}

// The grab is made for each state of the lock keys, which X counts as
// modifiers: NumLock (Mod2) and CapsLock (Lock).
constexpr std::uint16_t kBloqueos[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                       XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};
#endif

} // namespace

EstadoF11::EstadoF11() {
    tomar();
}

EstadoF11::~EstadoF11() {
    soltarTecla();
}

void EstadoF11::tomar() {
#ifdef RENGLERO_X11
    auto* nativa = x11();
    Display* pantalla = nativa != nullptr ? nativa->display() : nullptr;
    xcb_connection_t* c = nativa != nullptr ? nativa->connection() : nullptr;
    if (pantalla == nullptr || c == nullptr) return;
    codigo_ = XKeysymToKeycode(pantalla, XK_F11);
    if (codigo_ == 0) return;
    raiz_ = static_cast<std::uint32_t>(DefaultRootWindow(pantalla));
    // Another program holding F11 already (another copy of the notebook)
    // leaves this one with the presses its own windows see.
    bool tomada = true;
    for (std::uint16_t bloqueo : kBloqueos) {
        const xcb_void_cookie_t galleta =
            xcb_grab_key_checked(c, 0, raiz_, bloqueo, static_cast<xcb_keycode_t>(codigo_),
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(c, galleta)) {
            free(error);
            tomada = false;
        }
    }
    if (!tomada) {
        qCDebug(registroX11) << "F11 ya lo tiene otro programa: solo dentro de la ventana";
        soltarTecla();
        return;
    }
    unsigned int retardo = 0, intervalo = 0;
    if (XkbGetAutoRepeatRate(pantalla, XkbUseCoreKbd, &retardo, &intervalo))
        retardoRepeticion_ = retardo + intervalo + 100;
    QCoreApplication::instance()->installNativeEventFilter(this);
    global_ = true;
    qCDebug(registroX11) << "F11 se lee del teclado de X11, también fuera de la ventana";
#endif
}

void EstadoF11::soltarTecla() {
#ifdef RENGLERO_X11
    if (codigo_ == 0 || raiz_ == 0) return;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    auto* nativa = x11();
    xcb_connection_t* c = nativa != nullptr ? nativa->connection() : nullptr;
    if (c != nullptr) {
        for (std::uint16_t bloqueo : kBloqueos)
            xcb_ungrab_key(c, static_cast<xcb_keycode_t>(codigo_), raiz_, bloqueo);
        xcb_flush(c);
    }
    global_ = false;
    raiz_ = 0;
#endif
}

bool EstadoF11::nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr*) {
#ifdef RENGLERO_X11
    if (!global_ || tipo != QByteArrayLiteral("xcb_generic_event_t")) return false;
    const auto* evento = static_cast<const xcb_generic_event_t*>(mensaje);
    const int clase = evento->response_type & ~0x80;
    if (clase != XCB_KEY_PRESS && clase != XCB_KEY_RELEASE) return false;
    // Press and release share one layout.
    const auto* tecla = static_cast<const xcb_key_press_event_t*>(mensaje);
    if (tecla->detail != codigo_ || tecla->event != raiz_) return false;
    if (clase == XCB_KEY_PRESS) {
        const double vista = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        qCDebug(registroX11) << "F11 pulsada en el instante" << tecla->time << "vista a las"
                             << vista;
        pulsada(tecla->time, vista);
    } else
        soltada(tecla->time);
    return true;
#else
    (void)tipo;
    (void)mensaje;
    return false;
#endif
}

void EstadoF11::pulsada(std::uint32_t instante, double horaVista) {
    // While held, the keyboard repeats the press; a press long after the
    // last one is new, even if its release was lost on the way. Some
    // desktops (GNOME's X11 on Wayland) send each repeat as a release and a
    // press at one instant: the key never went up.
    const bool repeticion = abajo_ ? instante - ultimoEvento_ < retardoRepeticion_
                                   : soltadaVista_ && instante == ultimoEvento_;
    if (!repeticion) {
        pulsadaDesdeLectura_ = true;
        instantePulsacion_ = instante;
        // The press seen soonest gives the two clocks' difference best; a
        // clock that jumped (midnight, the server's wrap) starts it afresh.
        const double retraso = horaVista - instante / 1000.0;
        if (!conDesfase_ || retraso < desfase_ || retraso - desfase_ > kRetrasoMaximo) {
            desfase_ = retraso;
            conDesfase_ = true;
        }
        horaPulsacion_ = std::fmod(instante / 1000.0 + desfase_, kSegundosDia);
        if (horaPulsacion_ < 0) horaPulsacion_ += kSegundosDia;
    }
    abajo_ = true;
    ultimoEvento_ = instante;
}

bool EstadoF11::abajoEnElServidor() const {
#ifdef RENGLERO_X11
    auto* nativa = x11();
    xcb_connection_t* c = nativa != nullptr ? nativa->connection() : nullptr;
    if (c == nullptr) return true;
    xcb_query_keymap_reply_t* mapa = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
    if (mapa == nullptr) return true;
    const bool abajo = (mapa->keys[codigo_ / 8] & (1U << (codigo_ % 8))) != 0;
    free(mapa);
    return abajo;
#else
    return true;
#endif
}

void EstadoF11::soltada(std::uint32_t instante) {
    abajo_ = false;
    soltadaVista_ = true;
    ultimoEvento_ = instante;
}

int EstadoF11::leer() {
    // A release can go astray while the desktop moves the keyboard to the
    // window F11 just asked for (GNOME on Wayland's X11): the key would seem
    // held, and the pupil's next press soon after taken for its repeat. The
    // server knows whether it is down.
    if (abajo_ && global_ && !abajoEnElServidor()) {
        qCDebug(registroX11) << "F11 ya no está pulsada: su soltada no llegó";
        abajo_ = false;
    }
    const int estado = pulsadaDesdeLectura_ ? 0x8001 : (abajo_ ? 0x8000 : 0);
    pulsadaDesdeLectura_ = false;
    return estado;
}

} // namespace renglero
