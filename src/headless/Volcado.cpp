#include "headless/Volcado.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "platform/CodigoPagina.h"
#include "shell/Form1.h"
#include "word/Word.h"

namespace renglero {

namespace {

using Json = nlohmann::ordered_json;

const char* nombreVentana(Ventana v) {
    switch (v) {
    case Ventana::notebook:
        return "notebook";
    case Ventana::word:
        return "word";
    case Ventana::about:
        return "about";
    case Ventana::other:
        return "other";
    }
    return "other";
}

std::string hex(Color c) {
    char texto[8];
    std::snprintf(texto, sizeof texto, "#%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return texto;
}

Json numero(float v) {
    // Whole sizes print as integers (14, not 14.0).
    if (static_cast<float>(static_cast<int>(v)) == v) return static_cast<int>(v);
    return v;
}

} // namespace

std::string textoCelda(const Form1& form, int fila, int col) {
    const Celda& celda = form.tabla.celda(fila, col);
    return aUtf8(celda.Text, celda.CellFontName == "Symbol");
}

std::string volcado(const Form1& f) {
    Json j;
    j["mode"] = f.modoTexto == 1 ? "Texto" : "Cuentas";
    j["caption"] = f.Caption;
    j["rows"] = f.tabla.Rows();
    j["cols"] = f.tabla.Cols();
    j["row"] = f.tabla.Row();
    j["col"] = f.tabla.Col();
    j["toprow"] = f.tabla.TopRow();
    j["leftcol"] = f.tabla.LeftCol();
    j["sentido"] = f.sentido;
    j["operacion"] = f.operacion;
    j["mensa"] = f.Mensa.Caption;
    j["focus"] = nombreFoco(f.foco);
    j["anuncio"] = f.anuncios.ultimo();
    j["active"] = nombreVentana(f.ventanaActual);
    j["window"] = {f.Left, f.Top, f.Width, f.Height};
    j["grid"] = {f.tabla.Left, f.tabla.Top, f.tabla.Width, f.tabla.Height};
    j["labels"] = {{"Label1", f.Label1.Caption},
                   {"Label2", f.Label2.Caption},
                   {"Label4", f.Label4.Caption},
                   {"Label5", f.Label5.Caption},
                   {"Label12", f.Label12.Caption}};
    // Alphabetical order, as the contract lists them.
    const std::pair<const char*, bool> controles[] = {
        {"Ayuda", f.Ayuda.Visible},   {"Form2", f.Form2.Visible},   {"Frame1", f.Frame1.Visible},
        {"Frame2", f.Frame2.Visible}, {"Frame3", f.Frame3.Visible}, {"Frame4", f.Frame4.Visible},
        {"Frame5", f.Frame5.Visible}, {"Label1", f.Label1.Visible}, {"Label12", f.Label12.Visible},
        {"Label5", f.Label5.Visible}, {"Label6", f.Label6.Visible}, {"Label7", f.Label7.Visible},
        {"Label9", f.Label9.Visible}, {"Pic", f.Pic.Visible},       {"Pic1", f.Pic1.Visible},
        {"tabla1", f.tabla1.Visible}, {"tablae", f.tablae.Visible}};
    Json visibles = Json::array();
    for (const auto& [nombre, visible] : controles)
        if (visible) visibles.push_back(nombre);
    j["visible"] = visibles;
    Json filas = Json::array();
    for (int r = 0; r < f.tabla.Rows(); ++r) {
        std::string fila;
        for (int c = 0; c < f.tabla.Cols(); ++c)
            fila += textoCelda(f, r, c);
        filas.push_back(fila);
    }
    j["tabla"] = filas;
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string volcadoCelda(const Form1& f, int fila, int col) {
    const Celda& celda = f.tabla.celda(fila, col);
    Json j;
    j["cell"] = {fila, col};
    j["text"] = textoCelda(f, fila, col);
    j["code"] =
        celda.Text.empty() ? Json(nullptr) : Json(static_cast<unsigned char>(celda.Text[0]));
    j["font"] = celda.CellFontName;
    j["size"] = numero(celda.CellFontSize);
    j["bold"] = celda.CellFontBold;
    j["italic"] = celda.CellFontItalic;
    j["underline"] = celda.CellFontUnderline;
    j["strike"] = celda.CellFontStrikeThrough;
    j["fore"] = hex(f.tabla.colorTexto(fila, col));
    j["back"] = hex(f.tabla.colorFondo(fila, col));
    j["align"] = celda.CellAlignment;
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string volcadoMemoria(const Form1& f) {
    Json celdas = Json::array();
    for (int c = 0; c < f.tabla1.Cols(); ++c) {
        const Celda& celda = f.tabla1.celda(0, c);
        celdas.push_back(aUtf8(celda.Text, celda.CellFontName == "Symbol"));
    }
    Json j;
    j["tabla1"] = celdas;
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string volcadoDocumento(const DocumentoLeido& d) {
    Json parrafos = Json::array();
    for (const ParrafoLeido& p : d.parrafos) {
        Json tramos = Json::array();
        for (const TramoLeido& t : p.tramos) {
            Json tramo;
            tramo["start"] = t.inicio;
            tramo["length"] = t.largo;
            tramo["font"] = t.fuente;
            tramo["bold"] = t.negrita;
            tramo["italic"] = t.cursiva;
            tramo["underline"] = t.subrayado;
            tramo["strike"] = t.tachado;
            tramo["super"] = t.superindice;
            tramo["sub"] = t.subindice;
            tramo["color"] = t.color ? Json(hex(*t.color)) : Json(nullptr);
            tramos.push_back(tramo);
        }
        Json parrafo;
        parrafo["text"] = p.texto;
        parrafo["runs"] = tramos;
        parrafos.push_back(parrafo);
    }
    Json tablas = Json::array();
    for (const TablaLeida& t : d.tablas) {
        Json tabla;
        tabla["after"] = t.despuesDe;
        tabla["rows"] = t.filas;
        tabla["cols"] = t.columnas;
        tabla["grid"] = t.cuadricula;
        Json anchos = Json::array();
        for (double a : t.anchos)
            anchos.push_back(std::round(a * 10) / 10); // tenths of a point
        tabla["widths"] = anchos;
        Json sombreadas = Json::array();
        for (const auto& [fila, col] : t.sombreadas)
            sombreadas.push_back({fila, col});
        tabla["shaded"] = sombreadas;
        tabla["text"] = t.texto;
        tablas.push_back(tabla);
    }
    Json cursor;
    cursor["paragraph"] = d.parrafoCursor >= 0 ? Json(d.parrafoCursor) : Json(nullptr);
    cursor["table"] = d.tablaCursor ? Json(*d.tablaCursor) : Json(nullptr);
    Json j;
    j["document"] = {
        {"open", d.abierto}, {"paragraphs", parrafos}, {"tables", tablas}, {"cursor", cursor}};
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace renglero
