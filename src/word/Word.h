#pragma once
// The word processor as the notebook sees it: the operations of the
// automation component. Every call can fail; the error tells "no document
// open" apart from every other failure.
#include <stdexcept>
#include <string>

namespace renglero {

class ErrorWord : public std::runtime_error {
  public:
    enum class Tipo { sinDocumento, otro };
    ErrorWord(Tipo tipo, const std::string& que) : std::runtime_error(que), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

  private:
    Tipo tipo_;
};

// Page metrics of the active document, in points.
struct Pagina {
    float ancho = 0;
    float margenIzquierdo = 0;
    float margenDerecho = 0;
};

class Word {
  public:
    virtual ~Word() = default;
    virtual Pagina pagina() = 0;
};

} // namespace renglero
