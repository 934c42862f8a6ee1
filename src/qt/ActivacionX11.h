#pragma once
// Bringing a window to the front through the X11 window manager, and what
// the desktop says is the active window. Every window manager grants a
// request made as a pager makes it (_NET_ACTIVE_WINDOW, source 2) with the
// time of the pupil's key; where one refuses it all the same, the next way is
// tried, and the refusal is logged. A quiet no-op where there is no X11.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>

namespace renglero {

// The top-level window that the desktop says is active (_NET_ACTIVE_WINDOW),
// 0 for none; nothing where it does not say (no X11, no EWMH window manager).
std::optional<unsigned long> ventanaActivaX11();

// The top-level window that the window manager lists for `id`: the window
// itself or the one that holds it (a program's document window may be a
// child of what the window manager frames); 0 when it is gone.
unsigned long ventanaGestionadaX11(unsigned long id);

// The first top-level window whose title contains `parte`; 0 when none.
unsigned long ventanaPorTituloX11(const std::string& parte);

// The X11 class of a top-level window (WM_CLASS's second string), empty when
// it has none.
std::string claseVentanaX11(unsigned long id);

// The process that shows a top-level window (_NET_WM_PID); 0 when unknown.
long long pidVentanaX11(unsigned long id);

// The X server's time now, in milliseconds (one round trip); 0 without X11.
std::uint32_t instanteX11();

// Brings windows to the front one request at a time. A request is made with
// the instant of the pupil's action and followed until the desktop says the
// window is active; each refusal goes on to the next way, and so does
// leaving the keyboard where it was.
class ActivadorX11 : public QObject {
  public:
    ActivadorX11();
    // Asks for the top-level window `id` (as ventanaGestionadaX11 gives it)
    // with the X server time of the action that asked for it (0: now);
    // false where there is no X11 window manager to ask.
    bool activar(unsigned long id, std::uint32_t instante);
    // The window asked for last, while its request is followed.
    unsigned long pedida() const { return pedida_; }

  private:
    void pedir();
    void comprobar();

    QTimer reloj_;
    unsigned long pedida_ = 0;
    std::uint32_t instante_ = 0;
    int paso_ = 0;
    int miradas_ = 0;
};

} // namespace renglero
