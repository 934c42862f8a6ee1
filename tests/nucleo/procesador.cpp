// The word processor joined or started away from the window: until it
// answers, F9 and the table manager say that it is still starting and the
// notebook goes on; then the notebook works with it, or with the embedded
// document where none answered. And the cell mark never stays behind.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

const char* const kArrancando =
    "LibreOffice Writer todavía se está iniciando. Inténtalo de nuevo dentro de un momento.";
const char* const kNoInstalado = "No se encuentra la aplicación soffice. Posiblemente el programa "
                                 "LibreOffice Writer no está instalado.";

// The notebook on the embedded document, its output read line by line.
struct Cuaderno {
    DocumentoConducido documento = documentoPropio();
    std::ostringstream salida;
    Conductor conductor{salida, documento};
    std::size_t leido = 0;

    Form1& form() { return conductor.form(); }
    // The texts of the message boxes shown since the last call.
    std::vector<std::string> mensajes() {
        std::vector<std::string> textos;
        std::istringstream lineas(salida.str().substr(leido));
        leido = salida.str().size();
        std::string l;
        while (std::getline(lineas, l)) {
            const auto j = nlohmann::json::parse(l, nullptr, false);
            if (j.is_object() && j.contains("msgbox")) textos.push_back(j["msgbox"]["text"]);
        }
        return textos;
    }
    std::vector<std::string> parrafos() {
        std::vector<std::string> p;
        for (const ParrafoLeido& x : documento.word->leer().parrafos)
            p.push_back(x.texto);
        return p;
    }
};

using Mensajes = std::vector<std::string>;

} // namespace

TEST(ProcesadorArrancando, F9DiceQueTodaviaSeInicia) {
    Cuaderno c;
    c.form().esperarProcesador();
    c.mensajes();
    c.conductor.linea("keys 1 2 5 {F9}");
    EXPECT_EQ(c.mensajes(), Mensajes{kArrancando});
    // Texto mode: "Enviando..." does not stay.
    c.conductor.linea("keys {Esc} {Esc} ç a b {F9}");
    EXPECT_EQ(c.mensajes(), Mensajes{kArrancando});
    EXPECT_EQ(c.form().Label5.Caption, "Fracciones");
    EXPECT_FALSE(c.form().Label5.Visible);
    EXPECT_FALSE(c.form().finalizado());
    EXPECT_EQ(c.parrafos(), std::vector<std::string>{""});
}

TEST(ProcesadorArrancando, LasTeclasDeTablasDicenQueTodaviaSeInicia) {
    Cuaderno c;
    c.form().esperarProcesador();
    c.mensajes();
    c.conductor.linea("keys T 2 3 {Enter}");
    EXPECT_EQ(c.mensajes(), Mensajes{kArrancando});
    c.conductor.linea("keys F");
    EXPECT_EQ(c.mensajes(), Mensajes{kArrancando});
    c.conductor.linea("keys E");
    EXPECT_EQ(c.mensajes(), Mensajes{kArrancando});
    c.conductor.linea("keys {Down} {PgDn} C");
    EXPECT_EQ(c.mensajes(), (Mensajes{kArrancando, kArrancando, kArrancando}));
    // The panel's own keys still work, and its grid-line indicator is not
    // switched for a table that was not touched.
    EXPECT_EQ(c.form().Label4.Caption, "Cuadrícula: Sí");
    c.conductor.linea("keys 4 5");
    EXPECT_EQ(c.form().Teta.Caption, "45");
    EXPECT_EQ(c.form().Timer2.Interval, 100);
    EXPECT_TRUE(c.documento.word->leer().tablas.empty());
}

TEST(ProcesadorArrancando, AlResponderSeTrabajaConEl) {
    Cuaderno c;
    c.form().esperarProcesador();
    // The event sink waits for it too.
    c.conductor.linea("wait 3000");
    EXPECT_GT(c.form().Timer1.Interval, 0);
    c.form().procesadorListo(*c.documento.word);
    EXPECT_FALSE(c.form().procesadorArrancando());
    c.mensajes();
    c.conductor.linea("keys 1 2 5 {F9}");
    EXPECT_TRUE(c.mensajes().empty());
    EXPECT_EQ(c.parrafos(), (std::vector<std::string>{"", "125", ""}));
    c.conductor.linea("wait 1000");
    EXPECT_EQ(c.form().Timer1.Interval, 0);
}

TEST(ProcesadorArrancando, SinInstalarLoDiceYSigueConElSustituto) {
    Cuaderno c;
    c.form().esperarProcesador();
    c.mensajes();
    c.form().procesadorAusente(*c.documento.word, true);
    EXPECT_EQ(c.mensajes(), Mensajes{kNoInstalado});
    c.conductor.linea("keys 7 {F9}");
    EXPECT_TRUE(c.mensajes().empty());
    EXPECT_EQ(c.parrafos(), (std::vector<std::string>{"", "7", ""}));
}

TEST(ProcesadorArrancando, SinRespuestaSigueCallado) {
    Cuaderno c;
    c.form().esperarProcesador();
    c.mensajes();
    c.form().procesadorAusente(*c.documento.word, false);
    EXPECT_TRUE(c.mensajes().empty());
}

TEST(ProcesadorArrancando, ElMensajeDeNoInstaladoHablaDeWriter) {
    Cuaderno c;
    // A word processor that cannot be shown.
    c.documento.manejo->salir();
    c.mensajes();
    c.form().procesadorListo(*c.documento.word);
    EXPECT_EQ(c.mensajes(), Mensajes{kNoInstalado});
}

// The mark leaves the cell that carries it when the notebook ends, wherever
// the document's selection went meanwhile.
TEST(MarcaDeCelda, NoQuedaAlTerminar) {
    for (const char* fin : {"keys {Pause} {Pause}", ""}) {
        Cuaderno c;
        c.conductor.linea("wait 1000");
        c.conductor.linea("keys T 2 2 {Enter} {Esc}");
        ASSERT_EQ(c.documento.word->leer().tablas.at(0).sombreadas,
                  (std::vector<std::pair<int, int>>{{1, 1}}));
        c.documento.manejo->moverCursor(1);
        if (fin[0] != '\0')
            c.conductor.linea(fin);
        else
            c.form().cerrarVentana();
        EXPECT_TRUE(c.form().finalizado());
        EXPECT_TRUE(c.documento.word->leer().tablas.at(0).sombreadas.empty()) << fin;
    }
}

// Another document in front: the mark leaves the cell of the one it was on.
TEST(MarcaDeCelda, NoQuedaAlCambiarDeDocumento) {
    Cuaderno c;
    c.conductor.linea("wait 1000");
    c.conductor.linea("keys T 2 2 {Enter} {Esc}");
    ASSERT_FALSE(c.documento.word->leer().tablas.at(0).sombreadas.empty());
    c.documento.manejo->moverCursor(2);
    c.form().eventoWord(Form1::EventoWord::cambioDeDocumento);
    EXPECT_TRUE(c.documento.word->leer().tablas.at(0).sombreadas.empty());
}

// The document brought in front by F11 loses the mark even where its word
// processor tells nothing of its window's activation (a window that has
// not had the keyboard yet, on some desktops).
TEST(MarcaDeCelda, NoQuedaConElDocumentoDelanteSinSuEvento) {
    DocumentoConducido documento = documentoPropio();
    documento.avisarActivacion = nullptr;
    std::ostringstream salida;
    Conductor conductor{salida, documento};
    conductor.linea("wait 1000");
    conductor.linea("keys T 2 2 {Enter} {Esc}");
    ASSERT_FALSE(documento.word->leer().tablas.at(0).sombreadas.empty());
    conductor.linea("keys {F11}");
    conductor.linea("wait 200");
    ASSERT_EQ(conductor.form().ventanaActual, Ventana::word);
    EXPECT_TRUE(documento.word->leer().tablas.at(0).sombreadas.empty());
}
