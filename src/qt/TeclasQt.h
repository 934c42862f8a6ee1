#pragma once
// Qt key events as the notebook's window receives them: Windows virtual-key
// codes, shift state (1 Shift, 2 Ctrl, 4 Alt) and Windows-1252 characters.
#include <QtGlobal>
#include <map>
#include <vector>

#include "platform/Teclas.h"

class QKeyEvent;

namespace renglero {

// Turns presses and releases into key downs and ups. A release is matched to
// its press by the native scan code, so it reports the code the press gave
// even when the modifiers changed in between (Shift let go before the key).
class TraductorTeclas {
  public:
    std::vector<AccionTecla> pulsar(const QKeyEvent& evento);
    std::vector<AccionTecla> soltar(const QKeyEvent& evento);
    // True while AltGr is held: it stands for Ctrl+Alt.
    bool altGrAbajo() const { return altGr_; }

  private:
    std::map<quint32, int> pulsadas_; // scan code -> code given at press time
    bool altGr_ = false;
};

} // namespace renglero
