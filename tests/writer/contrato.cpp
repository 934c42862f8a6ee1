// The word processor's contract on Writer, each test on a new document of
// the program's LibreOffice.
#include "contrato/tablas.h"
#include "contrato/texto.h"
#include "entorno.h"

namespace renglero::contrato {

INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTexto, prueba::DocumentoWriter);
INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTablas, prueba::DocumentoWriter);

} // namespace renglero::contrato
