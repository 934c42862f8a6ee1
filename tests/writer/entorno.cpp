#include "entorno.h"

#include <cstdio>

namespace renglero::prueba {

namespace {

LibreOfficePrivado* compartido = nullptr;

class EntornoLibreOffice : public ::testing::Environment {
  public:
    void SetUp() override {
        compartido = new LibreOfficePrivado();
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(compartido->arrancar()) << "LibreOffice did not start";
        std::printf("LibreOffice %d up in %.1f s on pipe %s\n", compartido->pid(),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(),
                    compartido->tubo().c_str());
    }
    void TearDown() override {
        delete compartido;
        compartido = nullptr;
    }
};

} // namespace

LibreOfficePrivado& libreOffice() {
    return *compartido;
}

DocumentoWriter::DocumentoWriter()
    : w(std::make_unique<Writer>(libreOffice().tubo(), cola.poster(), false)) {
    w->nuevoDocumento();
}

DocumentoWriter::~DocumentoWriter() {
    try {
        w->cerrarDocumento();
    } catch (const ErrorWord&) {
        // Already gone: nothing to close.
    }
    w.reset();
    cola.drenar();
}

} // namespace renglero::prueba

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new renglero::prueba::EntornoLibreOffice);
    return RUN_ALL_TESTS();
}
