// The word processor's contract on the embedded document.
#include "contrato/tablas.h"
#include "contrato/texto.h"
#include "propio/DocumentoPropio.h"

namespace renglero::contrato {

namespace {

struct DocumentoPropioDePrueba {
    DocumentoPropio documento;
    Word& word() { return documento; }
    ManejoDocumento& manejo() { return documento; }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Propio, ContratoTexto, DocumentoPropioDePrueba);
INSTANTIATE_TYPED_TEST_SUITE_P(Propio, ContratoTablas, DocumentoPropioDePrueba);

} // namespace renglero::contrato
