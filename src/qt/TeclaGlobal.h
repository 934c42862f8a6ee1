#pragma once
// F11 belongs to the notebook on the whole desktop. On X11 the key is
// grabbed on the root window (in every state of NumLock and CapsLock), so
// no other program receives it, and every press is recorded from the grab's
// own events: a tap shorter than Timer2's period is still seen at its next
// poll. Elsewhere only the presses that reach the notebook's windows count.
#include <QAbstractNativeEventFilter>
#include <cstdint>

namespace renglero {

class EstadoF11 : public QAbstractNativeEventFilter {
  public:
    // Grabs F11 where the desktop is X11; ungrabs it when destroyed.
    EstadoF11();
    ~EstadoF11() override;
    EstadoF11(const EstadoF11&) = delete;
    EstadoF11& operator=(const EstadoF11&) = delete;

    // A press or a release, with its time in milliseconds (the X server's
    // clock, or any clock that only goes forward), seen at `horaVista`, the
    // time of day in seconds.
    void pulsada(std::uint32_t instante, double horaVista);
    void soltada(std::uint32_t instante);
    // 0x8001 once after a fresh press, 0x8000 while held, 0 otherwise.
    int leer();
    // The last fresh press: its instant on the press's clock, and its time
    // of day, reckoned from that instant (the press's own moment, however
    // late it was seen).
    std::uint32_t instantePulsacion() const { return instantePulsacion_; }
    double horaPulsacion() const { return horaPulsacion_; }
    // Whether F11 is taken from the whole desktop.
    bool global() const { return global_; }
    // A press that comes while the key is held, sooner than this after the
    // previous one, is the keyboard's repeat and not a new press.
    void fijarRetardoRepeticion(std::uint32_t ms) { retardoRepeticion_ = ms; }

    bool nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr* resultado) override;

  private:
    void tomar();
    void soltarTecla();
    // Whether the X server holds F11 down now.
    bool abajoEnElServidor() const;

    bool global_ = false;
    unsigned int codigo_ = 0; // F11's keycode on the X server
    std::uint32_t raiz_ = 0;  // the root window holding the grab
    bool pulsadaDesdeLectura_ = false;
    bool abajo_ = false;
    // A release has come: while the key is up, ultimoEvento_ is its instant.
    bool soltadaVista_ = false;
    std::uint32_t ultimoEvento_ = 0;
    std::uint32_t retardoRepeticion_ = 700;
    std::uint32_t instantePulsacion_ = 0;
    double horaPulsacion_ = 0;
    // Time of day less the press's clock, in seconds, from the press that
    // was seen soonest after it was made.
    double desfase_ = 0;
    bool conDesfase_ = false;
};

} // namespace renglero
