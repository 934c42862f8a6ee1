// Keys typed and clicks made while a handler lets pending events run: they
// come in through the door in the middle of that handler, and must still be
// handled after it, in the order made, each once.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>
#include <vector>

#include "headless/Conductor.h"
#include "platform/Teclas.h"

using namespace renglero;

namespace {

// A key the pupil types: down, its character (none when negative) and up.
struct Tecla {
    int codigo;
    int caracter;
};

// The notebook on the embedded document; the keys in `deprisa` arrive the
// first time a handler lets pending events run, as keys typed faster than
// the notebook works arrive from the window system.
struct Cuaderno {
    DocumentoConducido documento = documentoPropio();
    std::ostringstream salida;
    Conductor conductor{salida, documento};
    std::vector<Tecla> deprisa;
    std::function<void()> clic; // made, like `deprisa`, at the first pass

    Cuaderno() {
        auto& plataforma = dynamic_cast<PlataformaGuionada&>(form().plataforma);
        auto antes = plataforma.alProcesarEventos;
        plataforma.alProcesarEventos = [this, antes] {
            if (antes) antes();
            const std::vector<Tecla> teclas = std::move(deprisa);
            deprisa.clear();
            for (const Tecla& t : teclas)
                teclear(t);
            if (auto c = std::exchange(clic, nullptr)) c();
        };
    }
    Form1& form() { return conductor.form(); }
    void teclear(const Tecla& t) {
        form().pulsarTecla(t.codigo, 0, t.caracter);
        form().soltarTecla(t.codigo, 0);
    }
    std::vector<std::string> mensajes() const {
        std::vector<std::string> textos;
        std::istringstream lineas(salida.str());
        std::string l;
        while (std::getline(lineas, l)) {
            const auto j = nlohmann::json::parse(l, nullptr, false);
            if (j.is_object() && j.contains("msgbox")) textos.push_back(j["msgbox"]["text"]);
        }
        return textos;
    }
};

} // namespace

TEST(TeclasDeprisa, ElGestorDeTablasRecibeLasCifrasEnOrden) {
    Cuaderno c;
    c.conductor.linea("keys T");
    ASSERT_EQ(c.form().foco, Foco::Teta);
    // 3 and Enter come in while the handlers of 2 let events run.
    c.deprisa = {{'3', '3'}, {kIntro, 13}};
    c.teclear({'2', '2'});
    EXPECT_TRUE(c.mensajes().empty());
    EXPECT_EQ(c.form().filasTablaNueva, "2");
    EXPECT_EQ(c.form().columnasTablaNueva, "3");
    const auto tablas = c.documento.word->leer().tablas;
    ASSERT_EQ(tablas.size(), 1U);
    EXPECT_EQ(tablas[0].filas, 2);
    EXPECT_EQ(tablas[0].columnas, 3);
}

TEST(TeclasDeprisa, UnaCifraTecleadaMientrasSeEnviaEsperaAlEnvio) {
    Cuaderno c;
    c.conductor.linea("keys 1 2 5");
    // 7 comes in while F9 lets events run before sending: it is typed after
    // the sending, so the document gets only what was written before F9.
    c.deprisa = {{'7', '7'}};
    c.teclear({kF9, -1});
    std::string enviado;
    for (const ParrafoLeido& p : c.documento.word->leer().parrafos)
        enviado += p.texto + "|";
    EXPECT_EQ(enviado, "|125||");
    EXPECT_EQ(c.form().tabla.TextMatrix(1, 6), "7");
}

std::string enviado(Cuaderno& c) {
    std::string texto;
    for (const ParrafoLeido& p : c.documento.word->leer().parrafos)
        texto += p.texto + "|";
    return texto;
}

std::string fila(Form1& f, int r) {
    std::string texto;
    for (int col = 0; col < f.tabla.Cols(); ++col)
        texto += f.tabla.TextMatrix(r, col);
    return texto;
}

TEST(TeclasDeprisa, UnClicMientrasSeEnviaEsperaAlEnvio) {
    Cuaderno sinClic;
    sinClic.conductor.linea("keys 1 2 5 {Enter} 3 7 {F9}");
    Cuaderno c;
    c.conductor.linea("keys 1 2 5 {Enter} 3 7");
    // The + button clicked while F9 lets events run before sending: the sum
    // is laid out after the sending, not sent half made.
    c.clic = [&c] { c.form().clicOperar(0); };
    c.teclear({kF9, -1});
    EXPECT_EQ(enviado(c), enviado(sinClic));
    EXPECT_EQ(c.form().operacion, "+");
}

TEST(TeclasDeprisa, UnaTeclaYUnClicSeAtiendenEnElOrdenEnQueLlegan) {
    Cuaderno c;
    c.conductor.linea("keys 1 2 5 {Enter} 3");
    // While F9 sends, 7 is typed and then the + button clicked: the 7 is
    // written first, so the sum is 125 + 37.
    c.deprisa = {{'7', '7'}};
    c.clic = [&c] { c.form().clicOperar(0); };
    c.teclear({kF9, -1});
    EXPECT_EQ(c.form().operacion, "+");
    EXPECT_NE(fila(c.form(), 1).find("125"), std::string::npos) << fila(c.form(), 1);
    EXPECT_NE(fila(c.form(), 2).find("+  37"), std::string::npos) << fila(c.form(), 2);
}
