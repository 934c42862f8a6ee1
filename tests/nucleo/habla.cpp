// What a screen reader names (cells, labels, columns); the cursor a low-vision pupil sees.
#include <gtest/gtest.h>

#include "grid/Cuadricula.h"
#include "grid/nombresCelda.h"
#include "shell/anuncios.h"
#include "shell/hablado.h"
#include "typography/contraste.h"

using namespace renglero;

TEST(Habla, NombresDeLasCeldas) {
    // Signs by name, letters decoded; Symbol's own signs.
    const std::tuple<const char*, bool, const char*> casos[] = {
        {"a", false, "a"},        {"-", false, "menos"}, {"\xD7", false, "por"},
        {"\xF7", false, "entre"}, {"|", false, "barra"}, {"=", false, "igual"},
        {"", false, ""},          {"\xF1", false, "ñ"},  {"\xE9", false, "é"},
        {"p", true, "π"},         {"-", true, "menos"},  {"\xB4", true, "por"}};
    for (const auto& [texto, simbolo, nombre] : casos)
        EXPECT_EQ(nombreHablado(texto, simbolo), nombre) << texto;
    const std::pair<Celda, const char*> celdas[] = {
        {{.Text = "\xB8", .CellFontName = "Symbol"}, "entre"},
        {{.Text = "2", .CellFontName = "", .CellAlignment = kAlineacionElevada}, "2 superíndice"},
        {{.Text = "2", .CellFontName = "", .CellAlignment = kAlineacionBajada}, "2 subíndice"},
        {{.Text = " ", .CellFontName = "", .CellAlignment = kAlineacionBajada}, ""}};
    for (const auto& [celda, nombre] : celdas)
        EXPECT_EQ(nombreHablado(celda), nombre) << celda.Text;
}

// Lines and runs of spaces between a legend's keys end sentences.
TEST(Habla, EtiquetasSinDecoracion) {
    const std::pair<const char*, const char*> casos[] = {
        {"[F5] = Ayuda     [F9] = Enviar a Word     [Pausa] = Salir",
         "F5, Ayuda. F9, Enviar a Word. Pausa, Salir"},
        {"  [ Ctrl-- ] = Tachado (modo Texto).", "Control menos, Tachado (modo Texto)."},
        {"  [ Ctrl- R ] = Dibujar un radical.", "Control R, Dibujar un radical."},
        {"[Ctrl--]", "Control menos"},
        {"  [ + ] = Sumar     [ / ] = Dividir", "más, Sumar. entre, Dividir"},
        {"  -  [F11] = Alternar Word/Renglero", "F11, Alternar Word/Renglero"},
        {"  [ Números ],   [ + ],  [ = ]", "Números, más, igual"},
        {"", ""},
    };
    for (const auto& [texto, leido] : casos)
        EXPECT_EQ(sinDecoracion(texto), leido) << texto;
}

// The comma's place has no name; decimals only with a comma.
TEST(Habla, OrdenDeLasCifras) {
    std::string nombres;
    for (int orden = -4; orden <= 9; ++orden)
        nombres += nombreOrden(orden, orden < 0) + "|";
    EXPECT_EQ(nombres, "milésimas|centésimas|décimas||unidades|decenas|centenas|"
                       "unidades de millar|decenas de millar|centenas de millar|"
                       "unidades de millón|decenas de millón|centenas de millón||");
    EXPECT_EQ(nombreOrden(-2, false), "");
}

TEST(Habla, ElCursorSeVeEnLosDosEsquemas) {
    EXPECT_NEAR(contraste(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0, 0.01);
    EXPECT_DOUBLE_EQ(contraste(rgb(0, 0, 160), rgb(64, 64, 64)),
                     contraste(rgb(64, 64, 64), rgb(0, 0, 160)));
    Cuadricula g(3, 3, "Courier New", 14, true);
    auto visible = [&g] { return contraste(colorCursor(g), g.CellBackColor()); };
    EXPECT_GE(visible(), kContrasteCursor); // black on white
    // F8's dark scheme: light text on dark grey, also on a highlighted cell.
    g.BackColor = rgb(64, 64, 64);
    g.ForeColor = rgb(255, 255, 255);
    EXPECT_EQ(colorCursor(g), rgb(255, 255, 255));
    g.setCellBackColor(rgb(255, 255, 255));
    EXPECT_GE(visible(), kContrasteCursor);
    // Text and background too close: the better of black and white.
    g.ForeColor = rgb(120, 120, 120);
    g.BackColor = rgb(128, 128, 128);
    g.setCellBackColor(kColorDeLaCuadricula);
    EXPECT_GE(visible(), kContrasteCursor);
}
