#pragma once
// `renglero --headless`: reads a key script, writes JSON lines.
#include <iosfwd>
#include <string>

#include "headless/PlataformaGuionada.h"
#include "shell/Form1.h"

namespace renglero {

class Conductor {
  public:
    explicit Conductor(std::ostream& salida);
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

    std::ostream& salida_;
    PlataformaGuionada plataforma_;
    Form1 form_;
    long proximoTimer1_ = -1; // clock time of the next tick; -1 while stopped
    long proximoTimer2_ = -1;
    int anidamiento_ = 0;
};

int ejecutarSinPantalla(std::istream& entrada, std::ostream& salida);

} // namespace renglero
