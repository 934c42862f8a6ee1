#pragma once
// Bringing another program's window to the front by its id or its title,
// through the X11 window manager; a quiet no-op where there is no X11.
#include <string>

namespace renglero {

// Activates the first top-level window whose title contains `parte`; false
// when there is none or no X11 window manager to ask.
bool activarVentanaPorTitulo(const std::string& parte);

// Activates the X11 window `idVentana`; false when it is no window of this
// display or there is no X11 window manager to ask.
bool activarVentanaX11(unsigned long idVentana);

} // namespace renglero
