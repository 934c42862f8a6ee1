// The embedded document as the headless driver's word processor.
#include "headless/Conductor.h"
#include "word/propio/DocumentoPropio.h"

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

} // namespace renglero
