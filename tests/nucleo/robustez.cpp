// Long random scripts in both modes: the notebook never ends nor breaks a rule of fallo().
// RENGLERO_ROBUSTEZ_TECLAS / _SEMILLAS: keys a seed (4000), seeds a mode (4).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "headless/Conductor.h"

using namespace renglero;

namespace {

// The pieces of `texto` between separators.
std::vector<std::string> partir(const std::string& texto, const std::string& separador) {
    std::vector<std::string> piezas;
    for (std::size_t i = 0, j; i <= texto.size(); i = j + separador.size()) {
        j = std::min(texto.find(separador, i), texto.size());
        piezas.push_back(texto.substr(i, j - i));
    }
    return piezas;
}

// Every key of the help text and those around them (some twice: more often).
const std::vector<std::string> kTeclas = partir(
    "0 1 2 3 4 5 6 7 8 9 , . - + = x * / a b c d h i m n p q r s t x C D H I M R T X ç Ç ( "
    "< S _ ¡ ? {Enter} {Enter} {Esc} {Esc} {Esc} {Tab} {Backspace} {Space} {Ins} {Del} {Home} "
    "{End} {PgUp} {PgDn} {Left} {Up} {Right} {Down} {Left} {Up} {Right} {Down} {F1} {F2} {F3} "
    "{F4} {F5} {F6} {F7} {F8} {F9} {F10} {F11} {F12} {KP+} {KP-} {KP*} {KP/} {KP5} {Ctrl} "
    "{Ctrl} {Alt} {AltGr} {Ctrl+C} {Ctrl+X} {Ctrl+Home} {Char:151} {+Ctrl} {-Ctrl}",
    " ");

// What a pupil does on purpose, to reach the deeper states.
const std::vector<std::string> kFrases =
    partir("keys 1 2 5 {Enter} 3 7 {KP+} 2 6 1 | keys 9 {Enter} 7 {KP-} 2 | "
           "keys 7 5 {Enter} 3 {KP/} 2 {Enter} 1 5 {Enter} 2 5 {Enter} | "
           "keys 1 2 5 {Enter} 2 3 {KP*} 5 7 3 {Enter} 0 5 2 {Enter} 2 {KP+} 5 | "
           "keys 3 6 0 D 2 {Enter} 1 8 0 {Enter} 2 {Enter} 9 0 {Enter} | "
           "keys 2 , 2 5 R 1 , 5 {Enter} 1 {Enter} 2 5 {Enter} 2 5 {Enter} {KP*} 5 | "
           "keys 2 2 5 R 1 {Enter} 1 {Enter} 2 5 {Up} {Left} {Left} {Left} {Left} {Del} {Ins} | "
           "keys 4 , 5 {Enter} 1 , 2 5 {Enter} 3 {KP+} | keys 8 {Enter} 9 | keys C | "
           "keys {Ctrl} {Right} {Right} n | "
           "keys {Ctrl} {Right} {Right} {Right} {Right} R 3 2 {Enter} | "
           "keys {Ctrl} {Right} R 2 1 {Enter} | keys {Tab} 1 2 {Tab} 4 {Enter} | keys T | "
           "keys {Ctrl} T | keys T 2 3 {Enter} {Right} {Down} F L A C {PgDn} {Esc} | "
           "keys {F1} {Down} {F2} | keys h | keys {Ctrl} h | answer Yes | answer OK | wait 600 | "
           "activate word\nwait 300\nactivate notebook | activate other\nactivate notebook | "
           "keys {F11}\nwait 200\nkeys {F11}\nwait 700 | keys {Pause} 5 | "
           "keys {Pause}\nclick Label1\nkeys {Left} | keys {F6} {Right} {Enter} | "
           "keys {Esc} {Esc} | keys {F3}\nclick Command1",
           " | ");

// The document's line width changes under the notebook; it asks on coming back.
std::string cambioDePagina(std::mt19937& azar) {
    static const char* const margenes[] = {"70.9", "90", "60", "100", "120", "40"};
    std::string m = margenes[azar() % 6];
    return "doc page 595.3 " + m + " " + m + "\nactivate word\nwait 100\nactivate notebook\n" +
           (azar() % 2 ? "answer Yes" : "answer No") + "\nwait 100";
}

// A click on something the window shows (an operation button over a prompt).
std::string clic(std::mt19937& azar, const Form1& f) {
    const std::string operar = "click operar" + std::to_string(azar() % 4);
    if (f.Frame1.Visible && f.Frame5.Visible) return operar;
    const std::string clics[] = {"click Label1", "click Label2",
                                 f.Form2.Visible ? "click Command1" : "click Label1",
                                 f.Frame5.Visible ? operar : "click Label2"};
    return clics[azar() % 4];
}

// Cuentas, an empty grid: a prompt, then a click on an operation button over it.
std::string clicSobreAviso(std::mt19937& azar) {
    static const char* const avisos[] = {"{Pause}", "C 3 {Enter} 4 {KP/}", "C {F1}"};
    return std::string("keys {Esc} {Esc} ") + avisos[azar() % 3] + "\nclick operar" +
           std::to_string(azar() % 4);
}

// The keys a script line feeds (its tokens are one space apart).
long teclasDe(const std::string& orden) {
    long n = 0;
    std::istringstream lineas(orden);
    for (std::string l; std::getline(lineas, l);)
        if (l.rfind("keys ", 0) == 0) n += std::count(l.begin(), l.end(), ' ');
    return n;
}

long entero(const char* variable, long porDefecto) {
    const char* v = std::getenv(variable);
    const long n = v ? std::strtol(v, nullptr, 10) : 0;
    return n > 0 ? n : porDefecto;
}

// The first rule the notebook breaks, if any.
std::string fallo(const Form1& f) {
    const Cuadricula& t = f.tabla;
    if ((f.Frame1.Visible || f.Pic.Visible || f.Pic1.Visible) && f.Mensa.Caption.empty())
        return "recuadro de avisos vacío a la vista";
    if (t.Row() < 0 || t.Row() >= t.Rows() || t.Col() < 0 || t.Col() >= t.Cols())
        return "cursor fuera de la tabla";
    for (int r = 0; r < t.Rows(); ++r)
        for (int c = 0; c < t.Cols(); ++c)
            if (t.TextMatrix(r, c).size() != 1U)
                return "celda " + std::to_string(r) + "," + std::to_string(c) + " con \"" +
                       t.TextMatrix(r, c) + "\"";
    return t.Redraw && f.tabla1.Redraw ? "" : "la tabla no se repinta";
}

// Runs one seed until it has fed `teclas` keys.
void recorrer(int semilla, long teclas, bool empezarEnTexto) {
    std::mt19937 azar(static_cast<unsigned>(semilla));
    std::ostringstream salida;
    Conductor conductor(salida);
    const Form1& f = conductor.form();
    if (empezarEnTexto) conductor.linea("keys ç");
    long hechas = 0, pasos = 0, enLaTabla = 0;
    while (hechas < teclas) {
        std::string orden;
        const unsigned suerte = azar() % 40;
        if (f.foco == Foco::Teta && suerte < 10) {
            // The manager takes every key but its own; the pupil closes it in time.
            orden = "keys {Esc}";
        } else if (suerte < 3) {
            orden = kFrases[azar() % kFrases.size()];
        } else if (suerte == 3) {
            orden = clic(azar, f);
        } else if (suerte == 4 && azar() % 4 == 0) {
            orden = cambioDePagina(azar);
        } else if (suerte == 5 && f.modoTexto == 0) {
            orden = clicSobreAviso(azar);
        } else {
            orden = "keys";
            for (int i = 0; i < 8; ++i)
                orden += " " + kTeclas[azar() % kTeclas.size()];
        }
        std::istringstream lineas(orden);
        conductor.ejecutar(lineas);
        hechas += teclasDe(orden);
        ++pasos;
        if (f.ventanaActual != Ventana::notebook) conductor.linea("activate notebook");
        if (f.foco == Foco::tabla) ++enLaTabla;
        const std::string roto = conductor.terminado() ? "el cuaderno terminó" : fallo(f);
        if (!roto.empty()) {
            ADD_FAILURE() << "semilla " << semilla << ": " << roto << " tras " << orden;
            return;
        }
        if (pasos % 25 == 0) {
            // The dump is whole JSON with every row of the grid.
            salida.str("");
            conductor.linea("dump");
            const auto j = nlohmann::json::parse(salida.str(), nullptr, false);
            if (j.is_discarded() || static_cast<int>(j["tabla"].size()) != f.tabla.Rows()) {
                ADD_FAILURE() << "semilla " << semilla << ": dump roto: " << salida.str();
                return;
            }
        }
    }
    // The keys must have reached the grid for a good part of the run.
    EXPECT_GT(enLaTabla, pasos / 3) << "semilla " << semilla;
}

TEST(Robustez, TeclasAlAzarEnLosDosModos) {
    const long teclas = entero("RENGLERO_ROBUSTEZ_TECLAS", 4000);
    const long semillas = entero("RENGLERO_ROBUSTEZ_SEMILLAS", 4);
    for (const bool enTexto : {false, true})
        for (int s = 1; s <= semillas; ++s)
            recorrer(enTexto ? 1000 + s : s, teclas, enTexto);
}

} // namespace
