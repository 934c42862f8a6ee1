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
    bool enviado = false;
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
                std::vector<FormatoCaracter> formatos;
                if (modoTexto == 1) {
                    tabla.Redraw = false;
                    sinRepintar = true;
                    formatos = formatosDelBloque();
                    tabla.Redraw = true;
                }
                procesador().insertarBloque(texto, "Courier New", formatos);
                enviado = true;
                anuncios.agregar(*this, "Enviado al documento.");
                dejarCorrerEventos();
                procesador().contraerSeleccion(false);
                dejarCorrerEventos();
            }
        }
    } catch (const ErrorWord& e) {
        if (!avisarInalcanzable(e) && e.tipo() == ErrorWord::Tipo::sinDocumento)
            mensaje(kNoHayDocumento);
        // The pupil sees no box for the other failures; a screen reader is told.
        if (e.tipo() == ErrorWord::Tipo::otro && !enviado)
            anuncios.agregar(*this, "No se ha podido enviar.");
    }
    plataforma.punteroOcupado(false);
    if (sinRepintar) tabla.Redraw = true;
    if (modoTexto == 1) {
        Label5.Visible = false;
        Label5.Caption = "Fracciones";
        tabla.ScrollBars = 3;
    }
}

// What each character of the block switches on, in the order of the
// inserted text: the leading break, each row's cells, each row's break. The
// cursor visits every cell of the used area, as the formatting pass does.
std::vector<FormatoCaracter> Form1::formatosDelBloque() {
    std::vector<FormatoCaracter> formatos(1); // the leading break
    for (int r = filaSuperior; r <= filaInferior; ++r) {
        for (int c = colIzquierda; c <= colDerecha; ++c) {
            tabla.setRow(r);
            tabla.setCol(c);
            const Celda& celda = tabla.celda();
            FormatoCaracter f;
            f.simbolo = celda.CellFontName == "Symbol";
            f.superindice = celda.Text != " " && celda.CellAlignment == kAlineacionElevada;
            f.subindice = celda.CellAlignment == kAlineacionBajada;
            f.negrita = celda.CellFontBold;
            f.subrayado = celda.CellFontUnderline;
            f.tachado = celda.CellFontStrikeThrough;
            f.cursiva = celda.CellFontItalic;
            if (tabla.CellForeColor() != tabla.ForeColor) f.color = tabla.CellForeColor();
            formatos.push_back(f);
        }
        formatos.emplace_back(); // the row's break
    }
    return formatos;
}

} // namespace renglero
