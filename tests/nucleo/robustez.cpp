// Long random key scripts in both modes: whatever the pupil presses, the
// notebook neither crashes nor ends, its cursor stays inside the grid and
// every cell holds exactly one character.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "headless/Conductor.h"
#include "platform/CodigoPagina.h"

using namespace renglero;

namespace {

// Every key of the help text, and the keys around them.
const std::vector<std::string> kTeclas = {
    "0",        "1",        "2",           "3",          "4",       "5",           "6",
    "7",        "8",        "9",           ",",          ".",       "-",           "+",
    "=",        "x",        "*",           "/",          "a",       "b",           "c",
    "d",        "h",        "i",           "m",          "n",       "p",           "q",
    "r",        "s",        "t",           "x",          "C",       "D",           "H",
    "I",        "M",        "R",           "T",          "X",       "ç",           "Ç",
    "(",        "<",        "S",           "_",          "¡",       "?",           "{Enter}",
    "{Enter}",  "{Esc}",    "{Esc}",       "{Esc}",      "{Tab}",   "{Backspace}", "{Space}",
    "{Ins}",    "{Del}",    "{Home}",      "{End}",      "{PgUp}",  "{PgDn}",      "{Left}",
    "{Up}",     "{Right}",  "{Down}",      "{Left}",     "{Up}",    "{Right}",     "{Down}",
    "{F1}",     "{F2}",     "{F3}",        "{F4}",       "{F5}",    "{F6}",        "{F7}",
    "{F8}",     "{F9}",     "{F10}",       "{F11}",      "{F12}",   "{KP+}",       "{KP-}",
    "{KP*}",    "{KP/}",    "{KP5}",       "{Ctrl}",     "{Ctrl}",  "{Alt}",       "{AltGr}",
    "{Ctrl+C}", "{Ctrl+X}", "{Ctrl+Home}", "{Char:151}", "{+Ctrl}", "{-Ctrl}"};

// Key scripts that a pupil uses on purpose, to reach the deeper states.
const std::vector<std::string> kFrases = {"keys 1 2 5 {Enter} 3 7 {KP+}",
                                          "keys 7 5 {Enter} 3 {KP/}",
                                          "keys 1 2 5 {Enter} 2 3 {KP*}",
                                          "keys 3 6 0 D",
                                          "keys 2 , 2 5 R",
                                          "keys 9 {Enter} 7 {KP-}",
                                          "keys {Ctrl} {Right} {Right} n",
                                          "keys {Tab} 1 2 {Tab} 4 {Enter}",
                                          "keys {Ctrl} {Right} R",
                                          "answer Yes",
                                          "answer OK",
                                          "wait 600",
                                          "activate word\nwait 300\nactivate notebook",
                                          "activate other\nactivate notebook",
                                          "keys {F11}\nwait 200\nkeys {F11}\nwait 700",
                                          "click Label1",
                                          "click Label2",
                                          "click operar2",
                                          "keys {Pause} 5",
                                          "keys {F6} {Right} {Enter}",
                                          "keys {Esc} {Esc}"};

void comprobar(const std::string& linea, int semilla, int paso) {
    const auto j = nlohmann::json::parse(linea);
    const int filas = j["rows"], cols = j["cols"], fila = j["row"], col = j["col"];
    ASSERT_GE(fila, 0) << "semilla " << semilla << " paso " << paso;
    ASSERT_LT(fila, filas) << "semilla " << semilla << " paso " << paso;
    ASSERT_GE(col, 0) << "semilla " << semilla << " paso " << paso;
    ASSERT_LT(col, cols) << "semilla " << semilla << " paso " << paso;
    ASSERT_EQ(static_cast<int>(j["tabla"].size()), filas);
    for (const auto& texto : j["tabla"])
        ASSERT_EQ(static_cast<int>(decodificarUtf8(texto.get<std::string>()).size()), cols)
            << "semilla " << semilla << " paso " << paso << ": \"" << texto << "\"";
}

void recorrer(int semilla, int pasos, bool empezarEnTexto) {
    std::mt19937 azar(static_cast<unsigned>(semilla));
    std::ostringstream salida;
    Conductor conductor(salida);
    if (empezarEnTexto) conductor.linea("keys ç");
    int enLaTabla = 0;
    for (int paso = 0; paso < pasos; ++paso) {
        std::string orden;
        if (azar() % 12 == 0) {
            orden = kFrases[azar() % kFrases.size()];
        } else {
            orden = "keys";
            for (int i = 0; i < 8; ++i) {
                std::string t = kTeclas[azar() % kTeclas.size()];
                orden += " " + t;
            }
        }
        std::istringstream lineas(orden);
        for (std::string l; std::getline(lineas, l);)
            conductor.linea(l);
        if (conductor.form().ventanaActual != Ventana::notebook)
            conductor.linea("activate notebook");
        if (conductor.form().foco == Foco::tabla) ++enLaTabla;
        ASSERT_FALSE(conductor.terminado()) << "semilla " << semilla << ": " << orden;
        for (int r = 0; r < conductor.form().tabla.Rows(); ++r)
            for (int c = 0; c < conductor.form().tabla.Cols(); ++c)
                ASSERT_EQ(conductor.form().tabla.TextMatrix(r, c).size(), 1U)
                    << "semilla " << semilla << " celda " << r << "," << c << " tras " << orden;
        if (paso % 25 == 0) {
            salida.str("");
            conductor.linea("dump");
            std::string ultima, l;
            std::istringstream in(salida.str());
            while (std::getline(in, l))
                if (l.rfind("{\"mode\"", 0) == 0) ultima = l;
            ASSERT_FALSE(ultima.empty());
            comprobar(ultima, semilla, paso);
        }
    }
    // The keys must have reached the grid for a good part of the run (panels
    // such as the table manager take them for a while), or it proves little.
    EXPECT_GT(enLaTabla, pasos / 3) << "semilla " << semilla;
}

TEST(Robustez, CuentasConTeclasAlAzar) {
    for (int semilla = 1; semilla <= 4; ++semilla)
        recorrer(semilla, 500, false);
}

TEST(Robustez, TextoConTeclasAlAzar) {
    for (int semilla = 11; semilla <= 14; ++semilla)
        recorrer(semilla, 500, true);
}

} // namespace
