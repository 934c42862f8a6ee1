#pragma once
// The Qt platform for the desktop session, chosen before the application
// object exists.
#include <functional>
#include <string>

namespace renglero {

// The platform to force, or "" to leave Qt's choice. In a Wayland session
// with XWayland the notebook runs on X11 (xcb): keeping the window on top,
// reading F11 while the word processor is in front and activating another
// program's window all need X11. The user's own choice (QT_QPA_PLATFORM, or
// -platform given) is kept. `variable` reads the environment: "" when unset.
std::string plataformaForzada(const std::function<std::string(const char*)>& variable,
                              bool conPlataforma);

// Sets QT_QPA_PLATFORM for this process where plataformaForzada says so.
void elegirPlataforma(bool conPlataforma);

} // namespace renglero
