// The word processor's contract on the embedded document.
#include "contrato/suite.h"
#include "propio/DocumentoPropio.h"

namespace renglero::contrato {

namespace {

struct DocumentoPropioDePrueba {
    DocumentoPropio documento;
    Word& word() { return documento; }
    ManejoDocumento& manejo() { return documento; }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Propio, Contrato, DocumentoPropioDePrueba);

} // namespace renglero::contrato
