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

namespace {
// How often a request is looked after, and how many looks before the next way.
constexpr int kMiradaMs = 50;
constexpr int kMiradasPorPaso = 8;
} // namespace

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

std::vector<unsigned long> ventanasDe(const std::string& datos) {
    std::vector<unsigned long> ventanas;
    for (std::size_t i = 0; i + sizeof(long) <= datos.size(); i += sizeof(long)) {
        long id = 0;
        std::memcpy(&id, datos.data() + i, sizeof(long));
        ventanas.push_back(static_cast<unsigned long>(id));
    }
    return ventanas;
}

Display* pantallaX11() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->display() : nullptr;
}

std::vector<unsigned long> ventanasGestionadas(Display* d) {
    const Atom lista = XInternAtom(d, "_NET_CLIENT_LIST", True);
    if (lista == None) return {};
    return ventanasDe(propiedad(d, DefaultRootWindow(d), lista, XA_WINDOW));
}

// A connection of its own that only asks the server for its time: the
// answer is an event, which Qt's connection would take for itself.
struct Reloj {
    Display* d = nullptr;
    Window w = None;
    Atom marca = None;
    ~Reloj() {
        if (d != nullptr) XCloseDisplay(d);
    }
};

// The pager's request: every window manager obeys one made with the time of
// the pupil's action (focus-stealing prevention looks at that time).
void pedirComoPaginador(Display* d, Window w, std::uint32_t instante) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;
    e.xclient.data.l[1] = static_cast<long>(instante);
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
    XFlush(d);
}

// The window raised and given the keyboard by the X server itself, for a
// window manager that heeds no request.
void darFoco(Display* d, Window w, std::uint32_t instante) {
    XRaiseWindow(d, w);
    XSetInputFocus(d, w, RevertToParent, instante);
    XFlush(d);
}

} // namespace

std::optional<unsigned long> ventanaActivaX11() {
    Display* d = pantallaX11();
    if (d == nullptr) return std::nullopt;
    const Atom activa = XInternAtom(d, "_NET_ACTIVE_WINDOW", True);
    if (activa == None) return std::nullopt;
    const std::string datos = propiedad(d, DefaultRootWindow(d), activa, XA_WINDOW);
    // A window manager that does not keep the property says nothing.
    if (datos.empty()) return std::nullopt;
    return ventanasDe(datos).front();
}

unsigned long ventanaGestionadaX11(unsigned long idVentana) {
    Display* d = pantallaX11();
    if (d == nullptr || idVentana == 0) return 0;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const std::vector<unsigned long> gestionadas = ventanasGestionadas(d);
    // Up from the window to the one the window manager lists; through xcb,
    // so that a window already gone is an answer and not an X error.
    auto w = static_cast<xcb_window_t>(idVentana);
    for (int nivel = 0; nivel < 16 && w != XCB_WINDOW_NONE; ++nivel) {
        // Asked first: the manager's list may still name a window just gone.
        xcb_query_tree_reply_t* arbol = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (arbol == nullptr) return 0;
        const xcb_window_t padre = arbol->parent;
        const bool esRaiz = padre == arbol->root || padre == XCB_WINDOW_NONE;
        free(arbol);
        if (std::find(gestionadas.begin(), gestionadas.end(), w) != gestionadas.end()) return w;
        if (esRaiz) break;
        w = padre;
    }
    return 0;
}

unsigned long ventanaPorTituloX11(const std::string& parte) {
    Display* d = pantallaX11();
    if (d == nullptr) return 0;
    const Atom nombre = XInternAtom(d, "_NET_WM_NAME", True);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", True);
    for (const unsigned long w : ventanasGestionadas(d)) {
        std::string titulo = nombre != None ? propiedad(d, w, nombre, utf8) : "";
        if (titulo.empty()) titulo = propiedad(d, w, XA_WM_NAME, XA_STRING);
        if (titulo.find(parte) != std::string::npos) return w;
    }
    qCDebug(registroX11) << "ninguna ventana con" << parte.c_str() << "en el título";
    return 0;
}

std::string claseVentanaX11(unsigned long id) {
    Display* d = pantallaX11();
    if (d == nullptr || id == 0) return {};
    const std::string clase = propiedad(d, id, XA_WM_CLASS, XA_STRING);
    const std::size_t fin = clase.find('\0');
    return fin == std::string::npos ? std::string() : std::string(clase.c_str() + fin + 1);
}

long long pidVentanaX11(unsigned long id) {
    Display* d = pantallaX11();
    if (d == nullptr || id == 0) return 0;
    const Atom pid = XInternAtom(d, "_NET_WM_PID", True);
    if (pid == None) return 0;
    const std::vector<unsigned long> valor = ventanasDe(propiedad(d, id, pid, XA_CARDINAL));
    return valor.empty() ? 0 : static_cast<long long>(valor.front());
}

std::uint32_t instanteX11() {
    Display* qt = pantallaX11();
    if (qt == nullptr) return 0;
    static Reloj reloj;
    if (reloj.d == nullptr) {
        reloj.d = XOpenDisplay(DisplayString(qt));
        if (reloj.d == nullptr) return 0;
        XSetWindowAttributes a{};
        a.event_mask = PropertyChangeMask;
        reloj.w = XCreateWindow(reloj.d, DefaultRootWindow(reloj.d), -1, -1, 1, 1, 0,
                                CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &a);
        reloj.marca = XInternAtom(reloj.d, "_RENGLERO_RELOJ", False);
    }
    // An empty append changes nothing but still tells the time.
    XChangeProperty(reloj.d, reloj.w, reloj.marca, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent e;
    XWindowEvent(reloj.d, reloj.w, PropertyChangeMask, &e);
    return static_cast<std::uint32_t>(e.xproperty.time);
}

ActivadorX11::ActivadorX11() {
    reloj_.setInterval(kMiradaMs);
    connect(&reloj_, &QTimer::timeout, this, [this] { comprobar(); });
}

bool ActivadorX11::activar(unsigned long id, std::uint32_t instante) {
    Display* d = pantallaX11();
    if (d == nullptr || id == 0 || XInternAtom(d, "_NET_ACTIVE_WINDOW", True) == None) return false;
    pedida_ = id;
    instante_ = instante;
    paso_ = 0;
    pedir();
    return true;
}

void ActivadorX11::pedir() {
    Display* d = pantallaX11();
    if (d == nullptr) return;
    miradas_ = 0;
    switch (paso_) {
    case 0:
        // The instant of the key that asked, or now where no key did.
        pedirComoPaginador(d, pedida_, instante_ != 0 ? instante_ : instanteX11());
        qCDebug(registroX11) << "activando la ventana" << Qt::hex << pedida_ << "como paginador";
        break;
    case 1:
        pedirComoPaginador(d, pedida_, instanteX11());
        qCDebug(registroX11) << "activando" << Qt::hex << pedida_
                             << "como paginador, con la hora de ahora";
        break;
    default:
        darFoco(d, pedida_, instanteX11());
        qCDebug(registroX11) << "dando el foco a" << Qt::hex << pedida_ << "directamente";
        break;
    }
    reloj_.start();
}

void ActivadorX11::comprobar() {
    const std::optional<unsigned long> activa = ventanaActivaX11();
    if (activa && *activa == pedida_) {
        reloj_.stop();
        qCDebug(registroX11) << "el escritorio ha activado" << Qt::hex << pedida_;
        pedida_ = 0;
        return;
    }
    if (++miradas_ < kMiradasPorPaso) return;
    reloj_.stop();
    if (paso_ < 2) {
        qCWarning(registroX11) << "el escritorio no activa la ventana" << Qt::hex << pedida_
                               << "(activa:" << (activa ? *activa : 0UL)
                               << "); se pide de otra manera";
        ++paso_;
        pedir();
        return;
    }
    qCWarning(registroX11) << "el escritorio no activa la ventana" << Qt::hex << pedida_
                           << "de ninguna manera; la activa es" << (activa ? *activa : 0UL);
    pedida_ = 0;
}

#else

std::optional<unsigned long> ventanaActivaX11() {
    return std::nullopt;
}
unsigned long ventanaGestionadaX11(unsigned long) {
    return 0;
}
unsigned long ventanaPorTituloX11(const std::string&) {
    return 0;
}
std::string claseVentanaX11(unsigned long) {
    return {};
}
long long pidVentanaX11(unsigned long) {
    return 0;
}
std::uint32_t instanteX11() {
    return 0;
}
ActivadorX11::ActivadorX11() = default;
bool ActivadorX11::activar(unsigned long, std::uint32_t) {
    return false;
}
void ActivadorX11::pedir() {}
void ActivadorX11::comprobar() {}

#endif

} // namespace renglero
