#include "entorno.h"

#include "contrato/tablas.h"
#include "contrato/texto.h"

namespace renglero::prueba {

namespace {

std::optional<LibreOfficePrivado> compartido;

class EntornoLibreOffice : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(compartido.emplace().arrancar()) << "LibreOffice did not start";
    }
    void TearDown() override { compartido.reset(); }
};

} // namespace

LibreOfficePrivado& libreOffice() {
    return *compartido;
}

} // namespace renglero::prueba

// The word processor's contract on Writer, each test on a new document of
// the program's LibreOffice.
namespace renglero::contrato {
INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTexto, prueba::DocumentoWriter);
INSTANTIATE_TYPED_TEST_SUITE_P(Writer, ContratoTablas, prueba::DocumentoWriter);
} // namespace renglero::contrato

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new renglero::prueba::EntornoLibreOffice);
    return RUN_ALL_TESTS();
}
