// Keys and clicks that come in through the door while a handler lets pending events
// run are handled after it, in their order, each once (the table manager: qt/ventana.cpp).
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <utility>

#include "headless/Conductor.h"
#include "platform/Teclas.h"

using namespace renglero;

namespace {

// What `deprisa` does arrives the first time a handler lets pending events run.
struct Cuaderno {
    DocumentoConducido documento = documentoPropio();
    std::ostringstream salida;
    Conductor conductor{salida, documento};
    std::function<void()> deprisa;

    explicit Cuaderno(const std::string& teclas) {
        auto& plataforma = dynamic_cast<PlataformaGuionada&>(form().plataforma);
        auto antes = plataforma.alProcesarEventos;
        plataforma.alProcesarEventos = [this, antes] {
            if (antes) antes();
            if (auto d = std::exchange(deprisa, nullptr)) d();
        };
        conductor.linea(teclas);
    }
    Form1& form() { return conductor.form(); }
    // Down, its character (none when negative) and up.
    void teclear(int codigo, int caracter) {
        form().pulsarTecla(codigo, 0, caracter);
        form().soltarTecla(codigo, 0);
    }
    std::string enviado() {
        std::string texto;
        for (const ParrafoLeido& p : documento.word->leer().parrafos)
            texto += p.texto + "|";
        return texto;
    }
    std::string fila(int r) {
        std::string texto;
        for (int col = 0; col < form().tabla.Cols(); ++col)
            texto += form().tabla.TextMatrix(r, col);
        return texto;
    }
};

} // namespace

TEST(TeclasDeprisa, UnaTeclaYUnClicMientrasSeEnviaEsperanAlEnvioEnSuOrden) {
    // 7 and the + button while F9 lets events run: sent after, in their order.
    Cuaderno sinNada("keys 1 2 5 {Enter} 3 {F9}");
    Cuaderno c("keys 1 2 5 {Enter} 3");
    c.deprisa = [&c] {
        c.teclear('7', '7');
        c.form().clicOperar(0);
    };
    c.teclear(kF9, -1);
    EXPECT_EQ(c.enviado(), sinNada.enviado());
    EXPECT_EQ(c.form().operacion, "+");
    EXPECT_NE(c.fila(1).find("125"), std::string::npos) << c.fila(1);
    EXPECT_NE(c.fila(2).find("+  37"), std::string::npos) << c.fila(2);
}
