#pragma once
// The pupil starts in the notebook. The word processor that it starts comes
// up seconds later, and some window managers give its window the keyboard
// (none heeds "minimized"): until the pupil first presses F11, and for a
// while after the word processor answered, the notebook takes the keyboard
// back each time the document's window takes it.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace renglero {

class PlataformaQt;

class GuardiaArranque : public QObject {
  public:
    // `recuperar` brings the notebook to the front.
    GuardiaArranque(PlataformaQt& plataforma, std::function<void()> recuperar);
    // The word processor answered: the guard lasts a while more, while its
    // window comes up.
    void procesadorListo();
    bool activa() const { return reloj_.isActive(); }

  private:
    void mirar();

    PlataformaQt& plataforma_;
    std::function<void()> recuperar_;
    QTimer reloj_;
    QElapsedTimer desde_;
    qint64 finMs_;
};

} // namespace renglero
