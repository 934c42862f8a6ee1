#pragma once
// The road to a LibreOffice that listens on a named pipe: connecting to it,
// starting it when none answers, and noticing when it goes away. No UNO
// types here, so that the doors can include it without LibreOffice's SDK.
#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace renglero {

class ConexionWriter {
  public:
    // "renglero-" and the user's name: one LibreOffice per pupil.
    static std::string tuboPorDefecto();
    // The soffice program, or "" when LibreOffice is not installed.
    static std::string programaSoffice();
    static bool instalado() { return !programaSoffice().empty(); }

    explicit ConexionWriter(std::string tubo = tuboPorDefecto());
    ~ConexionWriter();
    ConexionWriter(const ConexionWriter&) = delete;
    ConexionWriter& operator=(const ConexionWriter&) = delete;

    const std::string& tubo() const { return tubo_; }

    // Joins a LibreOffice that listens on the pipe; false when none answers.
    bool conectar();
    enum class Resultado { conectado, noInstalado, sinRespuesta };
    // Joins one, or starts LibreOffice Writer listening on the pipe,
    // minimized and without taking the focus, and waits until it answers.
    Resultado conectarOArrancar(std::chrono::milliseconds espera = std::chrono::seconds(20));
    bool conectado() const;
    void desconectar();
    // A call found the connection dead: as when it dies by itself (alCaer).
    void darPorCaida();
    // Called on a UNO thread when the connection dies under us (LibreOffice
    // quit or crashed); never for desconectar().
    void alCaer(std::function<void()> aviso);

    // The UNO handles, for the backend's own files (writer/uno.h).
    struct Uno;
    Uno& uno() { return *uno_; }

  private:
    std::string tubo_;
    std::unique_ptr<Uno> uno_;
};

} // namespace renglero
