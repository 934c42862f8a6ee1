#pragma once
// The recovery copy of a running notebook: the notebook's state and the
// embedded document, written a few seconds after a change (and at SIGTERM,
// SIGHUP and the session's end) into the notebook's own slot, off the
// window's thread. After an end that the pupil did not choose, the next
// notebook offers it back once; after the pupil's own end it goes.
#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "qt/Ranura.h"

class QSocketNotifier;
class QTimer;

namespace renglero {

class Form1;
class DocumentoPropio;

class Recuperacion : public QObject {
  public:
    // documento gives the embedded document, or null while there is none
    // (Writer is the document, or it is still being started).
    Recuperacion(Form1& form, std::function<DocumentoPropio*()> documento,
                 const std::string& carpeta = carpetaRecuperacion());
    // Waits for the copy being written; the slot and its copy stay.
    ~Recuperacion() override;

    // Offers the copy that a notebook which ended without the pupil's choice
    // left, once, and takes it back on Sí. True when it was taken back.
    bool ofrecer();
    // Writes a copy when something changed since the last one and the
    // notebook is between two events; the timer calls it.
    void revisar();
    // Writes a copy now and waits until it is on the disk.
    void guardarYa();
    // The notebook ends: the pupil chose it (the copy goes) or not (a last
    // copy stays to be offered).
    void terminar(bool elegido);
    // SIGTERM and SIGHUP write the copy and end the notebook; a session that
    // ends writes it too, and nothing after that counts as the pupil's end.
    void atenderFinales();
    bool sesionTerminando() const { return sesionTerminando_; }

    // Every how many milliseconds it looks for changes.
    static constexpr int kIntervalo = 2000;
    const Ranura& ranura() const { return ranura_; }

  private:
    struct Huella {
        unsigned long cuaderno = 0;
        int revision = -1, ancla = -1, posicion = -1;
        bool operator==(const Huella&) const = default;
    };
    Huella huella() const;
    // The copy's bytes, composed on the window's thread.
    std::string componer() const;
    void encargar(std::string datos);
    void escribir();

    Form1& form_;
    std::function<DocumentoPropio*()> documento_;
    std::string carpeta_;
    Ranura ranura_;
    QTimer* temporizador_;
    std::optional<Huella> ultima_;
    bool sesionTerminando_ = false;
    bool terminado_ = false;

    // The writer's thread: it writes the latest copy handed to it.
    std::mutex mutex_;
    std::condition_variable aviso_;
    std::optional<std::string> pendiente_;
    bool escribiendo_ = false;
    bool fin_ = false;
    std::thread hilo_;
};

// What a recovery copy holds, read back.
struct CopiaLeida {
    std::string cuaderno;
    bool trabajo = false;
    long long fecha = 0; // seconds since the epoch
    bool conDocumento = false;
    std::string contenido, estilos, archivo;
    bool incompleto = false, modificado = false;
    int ancla = 0, posicion = 0;
};
std::optional<CopiaLeida> leerCopia(const std::string& datos);

} // namespace renglero
