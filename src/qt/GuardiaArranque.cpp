#include "qt/GuardiaArranque.h"

#include "programa/Registro.h"
#include "qt/PlataformaQt.h"

namespace renglero {

namespace {
// While the word processor starts, however long it takes...
constexpr qint64 kMientrasArrancaMs = 60000;
// ...and this long after it answered (its window comes up after that).
constexpr qint64 kTrasResponderMs = 10000;
constexpr int kMiradaMs = 100;
} // namespace

GuardiaArranque::GuardiaArranque(PlataformaQt& plataforma, std::function<void()> recuperar)
    : plataforma_(plataforma), recuperar_(std::move(recuperar)), finMs_(kMientrasArrancaMs) {
    desde_.start();
    connect(&reloj_, &QTimer::timeout, this, [this] { mirar(); });
    reloj_.start(kMiradaMs);
}

void GuardiaArranque::procesadorListo() {
    finMs_ = desde_.elapsed() + kTrasResponderMs;
}

void GuardiaArranque::mirar() {
    // The pupil's first F11 is the pupil's own choice of window.
    if (plataforma_.instanteAccion() != 0 || desde_.elapsed() > finMs_) {
        reloj_.stop();
        return;
    }
    if (plataforma_.ventanaActiva() != Ventana::word || plataforma_.activador().pedida() != 0)
        return;
    qCDebug(registroX11)
        << "Writer se ha puesto delante al arrancar: el cuaderno recupera el teclado";
    recuperar_();
}

} // namespace renglero
