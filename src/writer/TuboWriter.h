#pragma once
// The pipe on which the pupil's Writer listens. LibreOffice makes its socket
// /tmp/OSL_PIPE_<uid>_<name>, in a folder that every local user can write
// into: the name is random, kept in a folder of this user's alone so that a
// second notebook joins the same Writer, and a socket is trusted only when
// it is this user's own.
#include <string>

namespace renglero::tubo {

// The notebook's private folder: $XDG_RUNTIME_DIR/renglero, else
// $XDG_CACHE_HOME (or ~/.cache)/renglero; made with mode 0700 and used only
// when it is this user's and no link. "" when there is none.
std::string carpetaPrivada();

// The pipe's name kept in `carpeta`, or a new random one written there. A
// name whose socket is not this user's is replaced by a new one.
std::string nombreGuardado(const std::string& carpeta);
// A new random name that nobody can guess.
std::string nombreNuevo();
// Forgets the name kept in `carpeta` when it is `nombre`.
void olvidar(const std::string& carpeta, const std::string& nombre);

// Where LibreOffice puts the socket of pipe `nombre`.
std::string rutaSocket(const std::string& nombre);
enum class Socket {
    ninguno, // nothing there
    propio,  // a socket of this user's
    ajeno    // anything else: another user's, a link, not a socket
};
Socket socket(const std::string& nombre);
// A socket of this user's that nobody listens on any more.
bool socketMuerto(const std::string& nombre);
// Removes the socket of `nombre` when it is this user's and dead.
void quitarSocketMuerto(const std::string& nombre);

} // namespace renglero::tubo
