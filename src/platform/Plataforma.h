#pragma once
// What the notebook asks of the desktop it runs on. The Qt window and the
// headless driver each give one; the core never reaches the desktop otherwise.
#include <string>
#include <vector>

#include "platform/Colores.h"

namespace renglero {

enum class Botones { OK, OKCancel, YesNo };
// A message box shows no icon unless it is a question that asks for one.
enum class Icono { ninguno, pregunta };
enum class Respuesta { OK, Cancel, Yes, No };

// The windows the notebook tells apart when it asks which one is active.
enum class Ventana { notebook, word, about, other };

class Plataforma {
  public:
    virtual ~Plataforma() = default;

    // A modal message box; an empty title shows the program's title.
    virtual Respuesta mensaje(const std::string& texto, const std::string& titulo, Botones botones,
                              Icono icono) = 0;
    virtual void pitar() = 0;
    // One pass of the desktop's own event loop (repaint, timers, input).
    virtual void procesarEventos() = 0;

    // Screen size in twips.
    virtual int anchoPantalla() const = 0;
    virtual int altoPantalla() const = 0;

    // Height of the window's title bar and frame, in twips.
    virtual int margenVentana() const = 0;

    // Seconds since midnight.
    virtual double horaDelDia() const = 0;
    // The asynchronous state of F11 as a 16-bit value (0x8001: down and
    // pressed since the previous poll); reading it clears "pressed since".
    virtual int estadoF11() = 0;
    // The time of day at which F11 was last pressed, as estadoF11 last saw
    // it: the key's own instant, not the poll's.
    virtual double horaPulsacionF11() const { return horaDelDia(); }

    virtual Ventana ventanaActiva() const = 0;
    // Brings the window whose title is `titulo` to the front, if there is one.
    virtual void activarVentana(const std::string& titulo) = 0;
    // A synthetic keystroke to whatever application is in front.
    virtual void enviarTeclaAlFrente(int caracter) = 0;

    virtual bool otraCopiaEnMarcha() const = 0;
    virtual void lanzarOtraCopia() = 0;

    // Prints lines of text on the default printer; false when there is none.
    virtual bool imprimir(const std::string& fuente, int tamano,
                          const std::vector<std::string>& lineas) = 0;

    virtual void punteroOcupado(bool ocupado) = 0;
    virtual Color colorFondoSistema() const = 0;
    virtual Color colorTituloSistema() const = 0;

    // The about box was shown; the desktop makes it the active window.
    virtual void mostrarAcercaDe() = 0;
    // The program ends, once its other windows have closed: the embedded
    // document may first ask whether to save its changes. False, and
    // nothing ends, when the pupil kept one of them open.
    virtual bool terminar() = 0;
    // Tells a screen reader what just happened (a short Spanish sentence).
    virtual void anunciar(const std::string& /*texto*/) {}
};

} // namespace renglero
