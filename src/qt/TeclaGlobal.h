#pragma once
// F11 read from the whole desktop's keyboard, so that it works while the
// document or another program has the focus. On X11 the key state is
// sampled often and a press latched until it is read; elsewhere only the
// presses that reach the notebook's own windows count.
#include <QTimer>

namespace renglero {

class EstadoF11 {
  public:
    EstadoF11();
    // Presses and releases seen by the notebook's own windows.
    void pulsada();
    void soltada();
    // 0x8001 once after a press, 0x8000 while held, 0 otherwise.
    int leer();
    bool global() const { return global_; }

  private:
    void muestrear();

    QTimer muestreo_;
    bool global_ = false;
    bool pulsadaDesdeLectura_ = false;
    bool abajo_ = false;
    bool abajoGlobal_ = false;
};

} // namespace renglero
