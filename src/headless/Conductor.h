#pragma once
// `renglero --headless`: reads a key script, writes JSON lines.
#include <chrono>
#include <iosfwd>
#include <string>

#include <memory>
#include <optional>

#include "headless/PlataformaGuionada.h"
#include "programa/Opciones.h"
#include "shell/Form1.h"
#include "word/Word.h"

namespace renglero {

// The document the notebook works with: the word processor's operations, what
// the pupil does in it, and the delivery of its pending events.
struct DocumentoConducido {
    Word* word = nullptr;
    ManejoDocumento* manejo = nullptr;
    std::function<void()> entregarEventos;
    std::function<void(bool)> avisarActivacion;
    std::shared_ptr<void> dueno; // keeps the backend alive
};

// The embedded document, the default of the driver.
DocumentoConducido documentoPropio();
// LibreOffice Writer on a private headless LibreOffice of the driver's own,
// each call waiting for it no longer than `plazo` (the backend's own deadline
// when not given); nothing where Writer is not built or does not start.
std::optional<DocumentoConducido>
documentoWriter(std::optional<std::chrono::milliseconds> plazo = std::nullopt);

class Conductor {
  public:
    explicit Conductor(std::ostream& salida, DocumentoConducido documento = documentoPropio());
    // Runs a script to its end, or until the notebook ends. False when the
    // input could not be read.
    bool ejecutar(std::istream& guion);
    // Runs one line of a script.
    void linea(const std::string& texto);
    bool terminado() const { return form_.finalizado(); }
    Form1& form() { return form_; }

  private:
    void escribir(const std::string& json);
    void error(const std::string& que);
    void esperar(long ms);
    void programarTemporizadores();
    void clic(const std::string& nombre);
    // Runs a script's lines in turn; an endless line ends it.
    void correr(std::istream& guion);
    void ordenDocumento(const std::vector<std::string>& args, const std::string& linea);
    void entregarEventosDocumento();

    std::ostream& salida_;
    DocumentoConducido documento_;
    PlataformaGuionada plataforma_;
    Form1 form_;
    long proximoTimer1_ = -1; // clock time of the next tick; -1 while stopped
    long proximoTimer2_ = -1;
    int anidamiento_ = 0;
};

// `renglero --headless [--documento propio|writer]`: the embedded document
// unless Writer is asked for.
int ejecutarSinPantalla(const Opciones& opciones, std::istream& entrada, std::ostream& salida);

} // namespace renglero
