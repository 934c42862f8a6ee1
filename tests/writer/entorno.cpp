// The program's LibreOffice, started before the tests and stopped after them;
// the word processor's contract on Writer, each test on a new document of it.
#include "entorno.h"

#include "contrato/suite.h"

namespace renglero::prueba {

namespace {

std::optional<LibreOfficePrivado> compartido;

class EntornoLibreOffice : public ::testing::Environment {
    void SetUp() override {
        ASSERT_TRUE(compartido.emplace().arrancar()) << "LibreOffice did not start";
    }
    void TearDown() override { compartido.reset(); }
};
[[maybe_unused]] ::testing::Environment* const entorno =
    ::testing::AddGlobalTestEnvironment(new EntornoLibreOffice);

} // namespace

LibreOfficePrivado& libreOffice() {
    return *compartido;
}

} // namespace renglero::prueba

namespace renglero::contrato {
INSTANTIATE_TYPED_TEST_SUITE_P(Writer, Contrato, prueba::DocumentoWriter);
} // namespace renglero::contrato
