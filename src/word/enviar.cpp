// F9: the written part of the notebook into the document at its cursor, one
// paragraph per row in Courier New, and in Texto mode each cell's format.
#include "platform/CodigoPagina.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

const char* const kNoHayDocumento = "No hay documento de Word abierto para enviar los datos.";

std::string recortarBlancos(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

} // namespace

void Form1::enviar() {
    bool sinRepintar = false;
    if (modoTexto == 1) {
        Label5.Caption = "Enviando...";
        Label5.Visible = true;
    }
    try {
        const std::string parrafo = recortarBlancos(procesador().textoPrimerParrafo());
        if (parrafo.empty() || parrafo[0] != '\r') {
            mensaje("En el documento de Word, el cursor se encuentra en un párrafo que no está "
                    "vacío.\r\rNo se enviará el texto.");
        } else {
            dejarCorrerEventos();
            acotar();
            if (colIzquierda == 195) {
                mensaje("La tabla está vacía.");
            } else {
                plataforma.punteroOcupado(true);
                tabla.ScrollBars = 0;
                std::string texto = "\r";
                for (int r = filaSuperior; r <= filaInferior; ++r) {
                    for (int c = colIzquierda; c <= colDerecha; ++c) {
                        const Celda& celda = tabla.celda(r, c);
                        // A cell is one character; an empty one still takes its place.
                        texto += celda.Text.empty() ? std::string(" ")
                                                    : aUtf8(celda.Text.substr(0, 1),
                                                            celda.CellFontName == "Symbol");
                    }
                    texto += "\r";
                }
                dejarCorrerEventos();
                procesador().insertarTexto(texto);
                procesador().fuenteSeleccion("Courier New");
                dejarCorrerEventos();
                if (modoTexto == 1) {
                    tabla.Redraw = false;
                    sinRepintar = true;
                    formatearEnvio();
                    tabla.Redraw = true;
                }
                procesador().contraerSeleccion(false);
                dejarCorrerEventos();
            }
        }
    } catch (const ErrorWord& e) {
        if (e.tipo() == ErrorWord::Tipo::sinDocumento) mensaje(kNoHayDocumento);
    }
    plataforma.punteroOcupado(false);
    if (sinRepintar) tabla.Redraw = true;
    if (modoTexto == 1) {
        Label5.Visible = false;
        Label5.Caption = "Fracciones";
        tabla.ScrollBars = 3;
    }
}

// Switches on, character by character of the inserted block, what each
// cell has and plain text has not; consecutive characters that switch on the
// same attribute go to the document in one call.
void Form1::formatearEnvio() {
    struct Tramo {
        int desde = 0, largo = 0;
        Color color = 0;
    };
    constexpr int kAtributos = 8;
    Tramo abiertos[kAtributos];
    auto cerrar = [this, &abiertos](int a) {
        if (abiertos[a].largo > 0)
            procesador().formatear(abiertos[a].desde, abiertos[a].largo, static_cast<Atributo>(a),
                                   abiertos[a].color);
        abiertos[a] = Tramo{};
    };
    auto sumar = [&](int a, int k, Color color) {
        Tramo& t = abiertos[a];
        if (t.largo > 0 && t.desde + t.largo == k && t.color == color) {
            ++t.largo;
            return;
        }
        cerrar(a);
        t = Tramo{k, 1, color};
    };
    int k = 1;
    for (int r = filaSuperior; r <= filaInferior; ++r) {
        for (int c = colIzquierda; c <= colDerecha; ++c) {
            ++k;
            tabla.setRow(r);
            tabla.setCol(c);
            const Celda& celda = tabla.celda();
            if (celda.CellFontName == "Symbol") sumar(static_cast<int>(Atributo::simbolo), k, 0);
            if (celda.Text != " " && celda.CellAlignment == 0)
                sumar(static_cast<int>(Atributo::superindice), k, 0);
            if (celda.CellAlignment == 2) sumar(static_cast<int>(Atributo::subindice), k, 0);
            if (celda.CellFontBold) sumar(static_cast<int>(Atributo::negrita), k, 0);
            if (celda.CellFontUnderline) sumar(static_cast<int>(Atributo::subrayado), k, 0);
            if (celda.CellFontStrikeThrough) sumar(static_cast<int>(Atributo::tachado), k, 0);
            if (celda.CellFontItalic) sumar(static_cast<int>(Atributo::cursiva), k, 0);
            const Color color = tabla.CellForeColor();
            if (color != tabla.ForeColor) sumar(static_cast<int>(Atributo::color), k, color);
        }
        ++k;
    }
    for (int a = 0; a < kAtributos; ++a)
        cerrar(a);
}

} // namespace renglero
