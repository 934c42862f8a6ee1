// The word processors of the headless driver: the embedded document, and
// LibreOffice Writer where it is built.
#include <deque>
#include <mutex>

#include "headless/Conductor.h"
#include "propio/DocumentoPropio.h"

#ifdef RENGLERO_CON_WRITER
#include "writer/LibreOfficePrivado.h"
#include "writer/Writer.h"
#endif

namespace renglero {

DocumentoConducido documentoPropio() {
    auto documento = std::make_shared<DocumentoPropio>();
    DocumentoPropio* p = documento.get();
    DocumentoConducido d;
    d.word = p;
    d.manejo = p;
    d.entregarEventos = [p] { p->entregarEventos(); };
    d.avisarActivacion = [p](bool activa) { p->avisarActivacion(activa); };
    d.dueno = std::move(documento);
    return d;
}

#ifdef RENGLERO_CON_WRITER

namespace {

// Writer's events come from UNO's threads; they wait here until the driver
// lets pending events run, on its own thread.
class ColaDeEventos {
  public:
    void poner(std::function<void()> f) {
        std::lock_guard<std::mutex> cierre(mutex_);
        cola_.push_back(std::move(f));
    }
    void entregar() {
        std::deque<std::function<void()>> lote;
        {
            std::lock_guard<std::mutex> cierre(mutex_);
            lote.swap(cola_);
        }
        for (auto& f : lote)
            f();
    }

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> cola_;
};

// A private headless LibreOffice, the Writer that drives it and the queue of
// its events, kept together for as long as the driver runs.
struct WriterConducido {
    LibreOfficePrivado libreOffice;
    ColaDeEventos cola;
    std::unique_ptr<Writer> writer;

    // A LibreOffice that hangs would hold the driver's end: this one is the
    // driver's own, so it may go.
    ~WriterConducido() { terminarWriter(writer, libreOffice); }
    WriterConducido() = default;
    WriterConducido(const WriterConducido&) = delete;
    WriterConducido& operator=(const WriterConducido&) = delete;
};

} // namespace

std::optional<DocumentoConducido> documentoWriter(std::optional<std::chrono::milliseconds> plazo) {
    auto todo = std::make_shared<WriterConducido>();
    if (!todo->libreOffice.arrancar()) return std::nullopt;
    ColaDeEventos* cola = &todo->cola;
    todo->writer = std::make_unique<Writer>(
        todo->libreOffice.tubo(), [cola](std::function<void()> f) { cola->poner(std::move(f)); },
        false, plazo.value_or(Writer::kPlazoPorDefecto));
    try {
        todo->writer->nuevoDocumento();
    } catch (const ErrorWord&) {
        return std::nullopt;
    }
    DocumentoConducido d;
    d.word = todo->writer.get();
    d.manejo = todo->writer.get();
    d.entregarEventos = [cola] { cola->entregar(); };
    d.dueno = std::move(todo);
    return d;
}

#else

std::optional<DocumentoConducido> documentoWriter(std::optional<std::chrono::milliseconds>) {
    return std::nullopt;
}

#endif

} // namespace renglero
