// The names a screen reader gives the cells and the columns, and the
// cursor a pupil with low vision must see.
#include <gtest/gtest.h>

#include "grid/Cuadricula.h"
#include "grid/nombresCelda.h"
#include "shell/anuncios.h"
#include "shell/hablado.h"
#include "typography/contraste.h"

using namespace renglero;

TEST(NombreHablado, SignosComoLosLeeElAlumno) {
    EXPECT_EQ(nombreHablado("7"), "7");
    EXPECT_EQ(nombreHablado("a"), "a");
    EXPECT_EQ(nombreHablado(","), "coma");
    EXPECT_EQ(nombreHablado("+"), "más");
    EXPECT_EQ(nombreHablado("-"), "menos");
    EXPECT_EQ(nombreHablado("\xD7"), "por");
    EXPECT_EQ(nombreHablado("\xF7"), "entre");
    EXPECT_EQ(nombreHablado("\x97"), "raya");
    EXPECT_EQ(nombreHablado("|"), "barra");
    EXPECT_EQ(nombreHablado("="), "igual");
}

TEST(NombreHablado, BlancoSinNombre) {
    EXPECT_EQ(nombreHablado(" "), "");
    EXPECT_EQ(nombreHablado(""), "");
}

TEST(NombreHablado, LetrasConAcentoEnUtf8) {
    EXPECT_EQ(nombreHablado("\xF1"), "ñ");
    EXPECT_EQ(nombreHablado("\xE9"), "é");
}

TEST(NombreHablado, FuenteSymbolPorSuSigno) {
    // In Symbol, "p" is pi, "-" the minus sign and 180 the multiplication sign.
    EXPECT_EQ(nombreHablado("p", true), "π");
    EXPECT_EQ(nombreHablado("-", true), "menos");
    EXPECT_EQ(nombreHablado("\xB4", true), "por");
    Celda c;
    c.Text = "\xB8";
    c.CellFontName = "Symbol";
    EXPECT_EQ(nombreHablado(c), "entre");
}

TEST(NombreHablado, SuperindiceYSubindiceDichos) {
    Celda c;
    c.Text = "2";
    c.CellAlignment = kAlineacionElevada;
    EXPECT_EQ(nombreHablado(c), "2 superíndice");
    c.CellAlignment = kAlineacionBajada;
    EXPECT_EQ(nombreHablado(c), "2 subíndice");
    c.Text = " ";
    EXPECT_EQ(nombreHablado(c), "");
}

// Labels read aloud: no brackets, angle brackets or "=" of their decoration;
// their lines and the runs of spaces between a legend's keys end sentences.
TEST(SinDecoracion, ComoSeLeeEnVozAlta) {
    const std::pair<const char*, const char*> casos[] = {
        {"  [ Esc ] = Borrar la tabla del <Renglero>.", "Esc, Borrar la tabla del Renglero."},
        {"[F5] = Ayuda     [F9] = Enviar a Word     [Pausa] = Salir",
         "F5, Ayuda. F9, Enviar a Word. Pausa, Salir"},
        {"SUMAR\r\rPulsa la misma tecla.", "SUMAR. Pulsa la misma tecla."},
        {"  [ Ctrl-- ] = Tachado (modo Texto).", "Control menos, Tachado (modo Texto)."},
        {"  [ Ctrl- R ] = Dibujar un radical.", "Control R, Dibujar un radical."},
        {"  [ + ] = Sumar     [ / ] = Dividir", "más, Sumar. entre, Dividir"},
        {"  -  [F11] = Alternar Word/Renglero", "F11, Alternar Word/Renglero"},
        {"  [ Números ],   [ + ],  [ = ]", "Números, más, igual"},
        {"", ""},
    };
    for (const auto& [texto, leido] : casos)
        EXPECT_EQ(sinDecoracion(texto), leido) << texto;
}

TEST(NombreOrden, EnterosYDecimales) {
    EXPECT_EQ(nombreOrden(0, false), "unidades");
    EXPECT_EQ(nombreOrden(1, false), "decenas");
    EXPECT_EQ(nombreOrden(2, false), "centenas");
    EXPECT_EQ(nombreOrden(3, false), "unidades de millar");
    EXPECT_EQ(nombreOrden(6, false), "unidades de millón");
    EXPECT_EQ(nombreOrden(9, false), "");
    // Right of the units: the comma's place has no order; then the decimals.
    EXPECT_EQ(nombreOrden(-1, true), "");
    EXPECT_EQ(nombreOrden(-2, true), "décimas");
    EXPECT_EQ(nombreOrden(-3, true), "centésimas");
    EXPECT_EQ(nombreOrden(-4, true), "milésimas");
    EXPECT_EQ(nombreOrden(-2, false), "");
}

// ---- The cursor's colour ----------------------------------------------------

TEST(Contraste, ExtremosYSimetria) {
    EXPECT_NEAR(contraste(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0, 0.01);
    EXPECT_NEAR(contraste(rgb(64, 64, 64), rgb(64, 64, 64)), 1.0, 0.001);
    EXPECT_DOUBLE_EQ(contraste(rgb(0, 0, 160), rgb(64, 64, 64)),
                     contraste(rgb(64, 64, 64), rgb(0, 0, 160)));
}

TEST(Contraste, CursorVisibleEnLosDosEsquemas) {
    Cuadricula g(3, 3, "Courier New", 14, true);
    // Light scheme: black on white.
    EXPECT_GE(contraste(colorCursor(g), g.CellBackColor()), kContrasteCursor);
    // Dark scheme of F8: dark grey background, light text.
    g.BackColor = rgb(64, 64, 64);
    g.ForeColor = rgb(255, 255, 255);
    EXPECT_EQ(colorCursor(g), rgb(255, 255, 255));
    EXPECT_GE(contraste(colorCursor(g), g.CellBackColor()), kContrasteCursor);
    // A cell with a background of its own (a highlighted line) counts.
    g.setCellBackColor(rgb(255, 255, 255));
    EXPECT_GE(contraste(colorCursor(g), g.CellBackColor()), kContrasteCursor);
    // Text and background too close: the better of black and white.
    g.ForeColor = rgb(120, 120, 120);
    g.BackColor = rgb(128, 128, 128);
    g.setCellBackColor(kColorDeLaCuadricula);
    EXPECT_GE(contraste(colorCursor(g), g.CellBackColor()), kContrasteCursor);
}
