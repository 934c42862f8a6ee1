// The word processor starting, absent, not answering or gone; the cell mark never stays.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <utility>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

const char* const kArrancando =
    "LibreOffice Writer todavía se está iniciando. Inténtalo de nuevo dentro de un momento.";
const char* const kNoInstalado = "No se encuentra la aplicación soffice. Posiblemente el programa "
                                 "LibreOffice Writer no está instalado.";

// The notebook on the embedded document, which may not tell its activation.
struct Cuaderno {
    DocumentoConducido documento;
    std::ostringstream salida;
    Conductor conductor{salida, documento};
    std::size_t leido = 0;

    explicit Cuaderno(bool avisaActivacion = true) : documento(propio(avisaActivacion)) {}
    static DocumentoConducido propio(bool avisaActivacion) {
        DocumentoConducido d = documentoPropio();
        if (!avisaActivacion) d.avisarActivacion = nullptr;
        return d;
    }
    Form1& form() { return conductor.form(); }
    // The texts of the message boxes shown since the last call.
    std::vector<std::string> mensajes() {
        std::vector<std::string> textos;
        std::istringstream lineas(salida.str().substr(leido));
        leido = salida.str().size();
        for (std::string l; std::getline(lineas, l);) {
            const auto j = nlohmann::json::parse(l, nullptr, false);
            if (j.is_object() && j.contains("msgbox")) textos.push_back(j["msgbox"]["text"]);
        }
        return textos;
    }
    // Runs a script line: the texts of the message boxes it showed.
    std::vector<std::string> tras(const std::string& linea) {
        conductor.linea(linea);
        return mensajes();
    }
    std::vector<std::string> parrafos() {
        std::vector<std::string> p;
        for (const ParrafoLeido& x : documento.word->leer().parrafos)
            p.push_back(x.texto);
        return p;
    }
};

using Mensajes = std::vector<std::string>;

// The table manager's keys still work meanwhile, its grid-line indicator
// untouched; Texto's "Enviando..." does not stay.
TEST(ProcesadorArrancando, CadaOrdenDiceQueTodaviaSeIniciaHastaQueResponde) {
    Cuaderno c;
    c.form().esperarProcesador();
    // The event sink waits for it too.
    c.conductor.linea("wait 3000");
    EXPECT_GT(c.form().Timer1.Interval, 0);
    c.mensajes();
    const std::pair<const char*, int> ordenes[] = {
        {"1 2 5 {F9}", 1}, {"T 2 3 {Enter}", 1}, {"F", 1}, {"E", 1}, {"{Down} {PgDn} C", 3}};
    for (const auto& [teclas, veces] : ordenes)
        EXPECT_EQ(c.tras(std::string("keys ") + teclas), Mensajes(veces, kArrancando)) << teclas;
    EXPECT_EQ(c.form().Label4.Caption, "Cuadrícula: Sí");
    c.conductor.linea("keys 4 5");
    EXPECT_EQ(c.form().Teta.Caption, "45");
    EXPECT_EQ(c.form().Timer2.Interval, 100);
    EXPECT_EQ(c.tras("keys {Esc} {Esc} {Esc} ç a b {F9}"), Mensajes{kArrancando});
    EXPECT_EQ(c.form().Label5.Caption, "Fracciones");
    EXPECT_FALSE(c.form().Label5.Visible);
    EXPECT_EQ(c.parrafos(), std::vector<std::string>{""});
    EXPECT_TRUE(c.documento.word->leer().tablas.empty());
    c.form().procesadorListo(*c.documento.word);
    EXPECT_TRUE(c.tras("keys {Esc} {Esc} ç 1 2 5 {F9}").empty());
    EXPECT_EQ(c.parrafos(), (std::vector<std::string>{"", "125", ""}));
    c.conductor.linea("wait 1000");
    EXPECT_EQ(c.form().Timer1.Interval, 0);
}

// None answered: said only where none is installed.
TEST(ProcesadorArrancando, SinElSigueConElSustituto) {
    for (const bool noInstalado : {true, false}) {
        Cuaderno c;
        c.form().esperarProcesador();
        c.mensajes();
        c.form().procesadorAusente(*c.documento.word, noInstalado);
        EXPECT_EQ(c.mensajes(), noInstalado ? Mensajes{kNoInstalado} : Mensajes{});
        EXPECT_TRUE(c.tras("keys 7 {F9}").empty());
        EXPECT_EQ(c.parrafos(), (std::vector<std::string>{"", "7", ""}));
    }
    // A word processor that cannot be shown is one not installed.
    Cuaderno c;
    c.documento.manejo->salir();
    c.mensajes();
    c.form().procesadorListo(*c.documento.word);
    EXPECT_EQ(c.mensajes(), Mensajes{kNoInstalado});
}

// Also with F11 bringing the document in front untold; the notebook then collapses.
TEST(MarcaDeCelda, NoQuedaAlTerminarNiConOtroDocumentoDelante) {
    const std::function<void(Cuaderno&)> salidas[] = {
        [](Cuaderno& c) { c.conductor.linea("keys {Pause} {Pause}"); },
        [](Cuaderno& c) { c.form().cerrarVentana(); },
        [](Cuaderno& c) { c.form().eventoWord(Form1::EventoWord::cambioDeDocumento); },
        [](Cuaderno& c) {
            c.conductor.linea("keys {F11}");
            c.conductor.linea("wait 100"); // the tick that reads F11 takes the mark away
            EXPECT_EQ(c.form().ventanaActual, Ventana::word);
        },
    };
    for (int i = 0; i < 4; ++i) {
        Cuaderno c(i < 3);
        c.conductor.linea("wait 1000");
        c.conductor.linea("keys T 2 2 {Enter} {Esc}");
        c.conductor.linea("wait 300"); // the mark stays while the notebook is in front
        ASSERT_EQ(c.documento.word->leer().tablas.at(0).sombreadas,
                  (std::vector<std::pair<int, int>>{{1, 1}}));
        c.documento.manejo->moverCursor(i == 3 ? 0 : i + 1);
        salidas[i](c);
        EXPECT_EQ(c.form().finalizado(), i < 2) << i;
        EXPECT_TRUE(c.documento.word->leer().tablas.at(0).sombreadas.empty()) << i;
        // The document in front, the notebook is its strip.
        c.conductor.linea("wait 300");
        EXPECT_EQ(c.form().ventanaRecogida, i >= 2 ? 1 : 0) << i;
    }
}

const char* const kNoResponde = "LibreOffice Writer no responde.";
const char* const kCerrado = "LibreOffice Writer se ha cerrado.";

// While `falla` is set, every call fails with that kind.
class WordQueFalla : public Word {
  public:
    explicit WordQueFalla(Word& dentro) : d_(dentro) {}
    std::optional<ErrorWord::Tipo> falla;
    int mostradas = 0;
    // Runs once as a call fails: what comes in meanwhile.
    std::function<void()> alFallar;

    void mostrarAplicacion() override {
        ++mostradas;
        f();
        d_.mostrarAplicacion();
    }
#define DELEGA(tipo, nombre, parametros, argumentos)                                               \
    tipo nombre parametros override {                                                              \
        f();                                                                                       \
        return d_.nombre argumentos;                                                               \
    }
    DELEGA(void, suscribir, (EventosWord e), (std::move(e)))
    DELEGA(std::string, textoPrimerParrafo, (), ())
    DELEGA(void, insertarTexto, (const std::string& t), (t))
    DELEGA(void, fuenteSeleccion, (const std::string& n), (n))
    DELEGA(void, formatear, (int a, int b, Atributo c, Color e), (a, b, c, e))
    DELEGA(void, contraerSeleccion, (bool a), (a))
    DELEGA(void, finIgualAInicio, (), ())
    DELEGA(void, insertarBloque,
           (const std::string& t, const std::string& n, const std::vector<FormatoCaracter>& fs),
           (t, n, fs))
    DELEGA(bool, enTabla, (), ())
    DELEGA(void, agregarTabla, (int a, int b), (a, b))
    DELEGA(void, formatoTabla, (bool a), (a))
    DELEGA(void, permitirAutoajuste, (), ())
    DELEGA(void, mostrarLineasDeTabla, (), ())
    DELEGA(int, filasTabla, (), ())
    DELEGA(int, columnasTabla, (), ())
    DELEGA(void, agregarFila, (), ())
    DELEGA(void, agregarColumna, (), ())
    DELEGA(void, igualarColumnas, (), ())
    DELEGA(bool, bordeVisible, (int a), (a))
    DELEGA(int, filaCelda, (), ())
    DELEGA(int, columnaCelda, (), ())
    DELEGA(void, moverCeldas, (int a), (a))
    DELEGA(void, expandir, (Unidad u), (u))
    DELEGA(void, borrarCeldasSeleccionadas, (), ())
    DELEGA(void, vaciarPrimeraCelda, (), ())
    DELEGA(void, sombrearPrimeraCelda, (int a), (a))
    DELEGA(void, marcarCelda, (), ())
    DELEGA(void, desmarcarCelda, (), ())
    DELEGA(float, anchoColumna, (), ())
    DELEGA(void, fijarAnchoColumna, (float a), (a))
    DELEGA(void, ajustarAVentana, (), ())
    DELEGA(Pagina, pagina, (), ())
    DELEGA(DocumentoLeido, leer, (), ())
#undef DELEGA

  private:
    void f() {
        if (!falla) return;
        if (alFallar) std::exchange(alFallar, nullptr)();
        throw ErrorWord(*falla, "falla");
    }
    Word& d_;
};

// The notebook working with such a word processor, a sum in its grid.
struct CuadernoConFallos : Cuaderno {
    WordQueFalla word{*documento.word};
    CuadernoConFallos() {
        form().procesadorListo(word);
        mensajes();
        conductor.linea("keys 1 2 5 {Enter} 3 7 {KP+} 2 6 1");
    }
};

} // namespace

// Keys typed while the window waited for it are not run (Esc Esc would clear the grid unseen).
TEST(ProcesadorInalcanzable, NoRespondeLoDiceCadaOrdenYLaCuadriculaQueda) {
    CuadernoConFallos c;
    c.word.falla = ErrorWord::Tipo::noResponde;
    c.word.alFallar = [&] {
        for (int i = 0; i < 2; ++i)
            c.form().pulsarTecla(27, 0, 27);
    };
    for (const char* tecla : {"{F9}", "T 2 3 {Enter}", "{Down}", "{PgUp}", "I", "A", "F", "L"})
        EXPECT_EQ(c.tras(std::string("keys ") + tecla), Mensajes{kNoResponde}) << tecla;
    c.conductor.linea("answer Yes");
    EXPECT_EQ(c.tras("keys E"), (Mensajes{"¿Quieres Eliminar la Tabla de Word?", kNoResponde}));
    c.conductor.linea("keys {Esc}");
    EXPECT_FALSE(c.form().finalizado());
    EXPECT_EQ(c.form().tabla.TextMatrix(4, 21) + c.form().tabla.TextMatrix(4, 22), "62");
    // It answers again: F9 sends the sum; what is typed runs as ever.
    c.word.falla.reset();
    EXPECT_TRUE(c.tras("keys {F9}").empty());
    EXPECT_EQ(c.parrafos().at(4), "  162 ");
    c.conductor.linea("keys {Esc} {Esc}");
    EXPECT_EQ(c.form().tabla.TextMatrix(4, 22), " ");
}

TEST(ProcesadorInalcanzable, CerradoLoDiceYLaOrdenSiguienteLoArranca) {
    CuadernoConFallos c;
    c.word.falla = ErrorWord::Tipo::cerrado;
    const int antes = c.word.mostradas;
    EXPECT_EQ(c.tras("keys {F9}"), Mensajes{kCerrado});
    EXPECT_EQ(c.word.mostradas, antes);
    EXPECT_EQ(c.tras("keys {F9}"), Mensajes{kArrancando});
    EXPECT_EQ(c.word.mostradas, antes + 1);
    // Started again: F9 sends into it.
    c.word.falla.reset();
    EXPECT_TRUE(c.tras("keys {F9}").empty());
    EXPECT_EQ(c.parrafos().at(4), "  162 ");
    // Gone once more: said once more, and the table manager starts it.
    c.word.falla = ErrorWord::Tipo::cerrado;
    EXPECT_EQ(c.tras("keys T 2 3 {Enter}"), Mensajes{kCerrado});
    EXPECT_EQ(c.tras("keys 2 3 {Enter}"), Mensajes{kArrancando});
    EXPECT_EQ(c.word.mostradas, antes + 2);
    EXPECT_FALSE(c.form().finalizado());
}
