#pragma once
// The road to a LibreOffice that listens on a named pipe: connecting to it,
// starting it when none answers, and noticing when it goes away. No UNO
// types here, so that the doors can include it without LibreOffice's SDK.
#include <atomic>
#include <chrono>
#include <memory>
#include <string>

namespace renglero {

class ConexionWriter {
  public:
    // The pupil's pipe: one LibreOffice per pupil, on a name that no other
    // local user can guess or take (writer/TuboWriter.h).
    static std::string tuboPorDefecto();
    // Whether LibreOffice, started by the notebook, must run on X11 (through
    // XWayland): in a Wayland session, so that its window can be brought to
    // the front and F11 is seen while it is in front.
    static bool arrancarEnX11(const char* waylandDisplay, const char* display);
    // At the notebook's end: the process's bridge to the pipe closes and,
    // where no LibreOffice listens on it any more, its dead socket and the
    // kept name go.
    static void despedir(const std::string& tubo);
    // Only the bridge: a process that ends must close it first, or UNO's
    // threads still use it while the process is torn down.
    static void cerrarPuente(const std::string& tubo);
    // The soffice program, or "" when LibreOffice is not installed.
    static std::string programaSoffice();
    static bool instalado() { return !programaSoffice().empty(); }

    explicit ConexionWriter(std::string tubo = tuboPorDefecto());
    ~ConexionWriter();
    ConexionWriter(const ConexionWriter&) = delete;
    ConexionWriter& operator=(const ConexionWriter&) = delete;

    const std::string& tubo() const { return tubo_; }

    // Joins a LibreOffice that listens on the pipe; false when none answers
    // or the pipe's socket is not this user's own.
    bool conectar();
    enum class Resultado { conectado, noInstalado, sinRespuesta };
    // Joins one, or starts LibreOffice listening on the pipe, minimized and
    // without taking the focus, with its document recovery on, and waits
    // until it answers (or until *cancelado). A socket that is not this
    // user's is never used.
    Resultado conectarOArrancar(std::chrono::milliseconds espera = std::chrono::seconds(20),
                                const std::atomic<bool>* cancelado = nullptr);
    bool conectado() const;
    // The bridge to LibreOffice stays for the process's other and later
    // connections to the pipe; it closes when LibreOffice goes, when a call
    // finds it dead (darPorCaida) or at despedir().
    void desconectar();
    // A call found the connection dead: the bridge is closed for all.
    void darPorCaida();

    // The UNO handles, for the backend's own files (writer/uno.h).
    struct Uno;
    Uno& uno() { return *uno_; }

  private:
    std::string tubo_;
    std::unique_ptr<Uno> uno_;
};

} // namespace renglero
