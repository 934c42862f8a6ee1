#include "qt/ActivacionX11.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "programa/Registro.h"

#if __has_include(<X11/Xlib.h>) && __has_include(<xcb/xcb.h>)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#define RENGLERO_X11 1
#endif

namespace renglero {

#ifdef RENGLERO_X11

namespace {

// A window property as bytes (format 8) or as 32-bit items (format 32).
std::string propiedad(Display* d, Window w, Atom nombre, Atom tipo) {
    Atom real = None;
    int formato = 0;
    unsigned long n = 0, resto = 0;
    unsigned char* datos = nullptr;
    std::string valor;
    if (XGetWindowProperty(d, w, nombre, 0, 1 << 16, False, tipo, &real, &formato, &n, &resto,
                           &datos) == Success &&
        datos != nullptr) {
        const std::size_t bytes = formato == 32 ? n * sizeof(long) : n * (formato / 8);
        valor.assign(reinterpret_cast<const char*>(datos), bytes);
    }
    if (datos != nullptr) XFree(datos);
    return valor;
}

Display* pantallaX11() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->display() : nullptr;
}

std::vector<Window> ventanasGestionadas(Display* d) {
    std::vector<Window> ventanas;
    const Atom lista = XInternAtom(d, "_NET_CLIENT_LIST", True);
    if (lista == None) return ventanas;
    const std::string datos = propiedad(d, DefaultRootWindow(d), lista, XA_WINDOW);
    for (std::size_t i = 0; i + sizeof(long) <= datos.size(); i += sizeof(long)) {
        long id = 0;
        std::memcpy(&id, datos.data() + i, sizeof(long));
        ventanas.push_back(static_cast<Window>(id));
    }
    return ventanas;
}

// Asked as a pager would ask (source 2), so the window manager obeys.
bool pedirActivacion(Display* d, Window w) {
    const Atom activa = XInternAtom(d, "_NET_ACTIVE_WINDOW", True);
    if (activa == None) return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = activa;
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
    XFlush(d);
    qCDebug(registroX11) << "activando la ventana" << Qt::hex << w;
    return true;
}

} // namespace

bool activarVentanaX11(unsigned long idVentana) {
    Display* d = pantallaX11();
    if (d == nullptr || idVentana == 0) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const std::vector<Window> gestionadas = ventanasGestionadas(d);
    // Up from the window to the one the window manager lists; through xcb,
    // so that a window already gone is an answer and not an X error.
    auto w = static_cast<xcb_window_t>(idVentana);
    for (int nivel = 0; nivel < 16 && w != XCB_WINDOW_NONE; ++nivel) {
        // Asked first: the manager's list may still name a window just gone.
        xcb_query_tree_reply_t* arbol = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (arbol == nullptr) return false;
        const xcb_window_t padre = arbol->parent;
        const bool esRaiz = padre == arbol->root || padre == XCB_WINDOW_NONE;
        free(arbol);
        if (std::find(gestionadas.begin(), gestionadas.end(), w) != gestionadas.end())
            return pedirActivacion(d, w);
        if (esRaiz) break;
        w = padre;
    }
    return false;
}

bool activarVentanaPorTitulo(const std::string& parte) {
    Display* d = pantallaX11();
    if (d == nullptr) return false;
    const Atom nombre = XInternAtom(d, "_NET_WM_NAME", True);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", True);
    for (const Window w : ventanasGestionadas(d)) {
        std::string titulo = nombre != None ? propiedad(d, w, nombre, utf8) : "";
        if (titulo.empty()) titulo = propiedad(d, w, XA_WM_NAME, XA_STRING);
        if (titulo.find(parte) != std::string::npos) return pedirActivacion(d, w);
    }
    qCDebug(registroX11) << "ninguna ventana con" << parte.c_str() << "en el título";
    return false;
}

#else

bool activarVentanaPorTitulo(const std::string&) {
    return false;
}

bool activarVentanaX11(unsigned long) {
    return false;
}

#endif

} // namespace renglero
