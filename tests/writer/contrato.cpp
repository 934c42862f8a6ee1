// The word processor's contract on Writer, each test on a new document of
// the program's LibreOffice.
#include "contrato/tablas.h"
#include "contrato/texto.h"
#include "entorno.h"

namespace renglero::contrato {

namespace {

struct WriterDePrueba {
    prueba::ColaEventos cola;
    std::unique_ptr<Writer> writer =
        std::make_unique<Writer>(prueba::libreOffice().tubo(), cola.poster(), false);

    WriterDePrueba() { writer->nuevoDocumento(); }
    ~WriterDePrueba() {
        try {
            writer->cerrarDocumento();
        } catch (const ErrorWord&) {
            // Already gone: nothing to close.
        }
        writer.reset();
        cola.drenar();
    }
    Word& word() { return *writer; }
    ManejoDocumento& manejo() { return *writer; }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTexto, WriterDePrueba);
INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTablas, WriterDePrueba);

} // namespace renglero::contrato
