#pragma once
// Bringing another program's window to the front, by its title or by its
// window id, through the X11 window manager; a quiet no-op where there is no
// X11.
#include <string>

namespace renglero {

// Activates the first top-level window whose title contains `parte`; false
// when there is none or no X11 window manager to ask.
bool activarVentanaPorTitulo(const std::string& parte);

// Activates the given X11 window, or the top-level window that holds it (a
// program's document window may be a child of what the window manager
// frames); false when it is gone or there is no X11 window manager to ask.
bool activarVentanaX11(unsigned long idVentana);

} // namespace renglero
