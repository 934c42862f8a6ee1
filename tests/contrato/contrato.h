#pragma once
// The word processor's contract: what the notebook relies on from every document backend, written
// once. A backend's test program gives a type with `Word& word()` and `ManejoDocumento& manejo()`
// on a new empty document, includes suite.h, and instantiates the suite Contrato with it.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "word/Word.h"

namespace renglero::contrato {

// The new document's line, the Texto grid's 62 columns: A4 less its 2.5 cm margins, in points.
constexpr double kLinea = 595.3 - 2 * 70.87;

inline ErrorWord::Tipo tipoDeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorWord& e) {
        return e.tipo();
    }
    ADD_FAILURE() << "no ErrorWord";
    return ErrorWord::Tipo::otro;
}

// Characters desde .. desde + largo - 1 (code points, from 0) of a UTF-8 text.
inline std::string caracteres(const std::string& texto, int desde, int largo) {
    std::string r;
    int i = -1;
    for (const char c : texto) {
        if ((c & 0xC0) != 0x80) ++i;
        if (i >= desde && i < desde + largo) r += c;
    }
    return r;
}

// Paragraphs as one line, apart by `entre`: each run (but a paragraph's first plain one) after what
// it switches on in brackets (C Courier New, S Symbol, N bold, I italic, U underline, T struck,
// ^ raised, _ lowered, #rrggbb colour).
inline std::string describir(const std::vector<ParrafoLeido>& parrafos, char entre) {
    std::string s;
    for (const ParrafoLeido& p : parrafos) {
        if (&p != &parrafos.front()) s += entre;
        for (const TramoLeido& t : p.tramos) {
            if (t.largo == 0) continue;
            std::string m = t.fuente == "Courier New"       ? "C"
                            : t.fuente == "Symbol"          ? "S"
                            : t.fuente == "Times New Roman" ? ""
                                                            : "{" + t.fuente + "}";
            const std::pair<bool, char> marcas[] = {{t.negrita, 'N'},     {t.cursiva, 'I'},
                                                    {t.subrayado, 'U'},   {t.tachado, 'T'},
                                                    {t.superindice, '^'}, {t.subindice, '_'}};
            for (const auto& [si, marca] : marcas)
                if (si) m += marca;
            if (t.color) {
                char c[8];
                std::snprintf(c, sizeof c, "#%06x", *t.color);
                m += c;
            }
            if (!m.empty() || t.inicio > 0) s += "[" + m + "]";
            s += caracteres(p.texto, t.inicio, t.largo);
        }
    }
    return s;
}

// A document as one line, so that a difference shows where it is: its paragraphs apart by "|"; then
// each table, "T" (or "t" without grid lines) and the paragraph it follows, its cells by rows,
// their paragraphs apart by "\n" ("*" before a shaded cell); then "@" and the cursor's paragraph,
// or its table, row and column.
inline std::string describir(const DocumentoLeido& d) {
    if (!d.abierto) return "cerrado";
    std::string s = describir(d.parrafos, '|');
    for (const TablaLeida& t : d.tablas) {
        s += (t.cuadricula ? " T" : " t") + std::to_string(t.despuesDe);
        for (int f = 0; f < t.filas; ++f)
            for (int c = 0; c < t.columnas; ++c) {
                s += c > 0 ? "," : f > 0 ? "/" : ":";
                for (const auto& [fs, cs] : t.sombreadas)
                    if (fs == f + 1 && cs == c + 1) s += '*';
                s += describir(t.parrafos.at(f).at(c), '\n');
            }
    }
    s += " @";
    if (!d.tablaCursor) return s + std::to_string(d.parrafoCursor);
    for (std::size_t i = 0; i < d.tablaCursor->size(); ++i)
        s += (i > 0 ? "," : "") + std::to_string(d.tablaCursor->at(i));
    return s;
}

// A filas x columnas table after a paragraph "antes", each cell holding
// its 1-based row and column ("12"), the cursor in the first cell.
inline void llenarTabla(Word& w, ManejoDocumento& m, int filas, int columnas) {
    m.escribir("antes\n");
    w.agregarTabla(filas, columnas);
    for (int i = 0; i < filas * columnas; ++i) {
        m.escribir(std::to_string(i / columnas + 1) + std::to_string(i % columnas + 1));
        if (i + 1 < filas * columnas) w.moverCeldas(1);
    }
    w.moverCeldas(-1000);
}

// Runs a script of the pupil's and the notebook's calls: steps apart by ";",
// each a letter and what it takes:
//   e text: escribir      i text: insertarTexto     m n: moverCursor
//   b text: insertarBloque in Courier New           @ r c: the cursor's cell
//   F font: fuenteSeleccion   f k n a: formatear characters k..k+n-1 with a
//   (N I U T ^ _ S, or #rrggbb)   c, C: contraerSeleccion to the end, start
//   0: finIgualAInicio    ? text: textoPrimerParrafo is the text and "\r"
//   t r c: agregarTabla   L r c: llenarTabla        > n: moverCeldas
//   x u: expandir to a column, row, table (c f t)   d: borrarCeldasSeleccionadas
//   v: vaciarPrimeraCelda s n: sombrearPrimeraCelda  +: agregarFila
//   k, K: marcarCelda, desmarcarCelda
// A step after "!" must fail with ErrorWord::Tipo::otro.
inline void seguir(Word& w, ManejoDocumento& m, const std::string& guion) {
    std::istringstream pasos(guion);
    for (std::string paso; std::getline(pasos, paso, ';');) {
        SCOPED_TRACE(paso);
        const bool falla = paso[0] == '!';
        const char letra = paso[falla];
        const std::string arg = paso.substr(std::min(paso.size(), falla + std::size_t{2}));
        int x = 0, y = 0;
        std::string a;
        std::istringstream(arg) >> x >> y >> a;
        const Color color = a[0] == '#' ? std::stoul(a.substr(1), nullptr, 16) : 0;
        const auto atributo = static_cast<Atributo>(std::string("S^_NUTI#").find(a[0]));
        const Unidad unidad =
            arg == "c" ? Unidad::columna : (arg == "f" ? Unidad::fila : Unidad::tabla);
        const std::map<char, std::function<void()>> dar = {
            {'e', [&] { m.escribir(arg); }},
            {'i', [&] { w.insertarTexto(arg); }},
            {'b', [&] { w.insertarBloque(arg, "Courier New", {}); }},
            {'@', [&] { EXPECT_EQ(std::pair(w.filaCelda(), w.columnaCelda()), std::pair(x, y)); }},
            {'m', [&] { m.moverCursor(x); }},
            {'F', [&] { w.fuenteSeleccion(arg); }},
            {'f', [&] { w.formatear(x, y, atributo, color); }},
            {'c', [&] { w.contraerSeleccion(false); }},
            {'C', [&] { w.contraerSeleccion(true); }},
            {'0', [&] { w.finIgualAInicio(); }},
            {'?', [&] { EXPECT_EQ(w.textoPrimerParrafo(), arg + "\r"); }},
            {'t', [&] { w.agregarTabla(x, y); }},
            {'L', [&] { llenarTabla(w, m, x, y); }},
            {'>', [&] { w.moverCeldas(x); }},
            {'x', [&] { w.expandir(unidad); }},
            {'d', [&] { w.borrarCeldasSeleccionadas(); }},
            {'v', [&] { w.vaciarPrimeraCelda(); }},
            {'s', [&] { w.sombrearPrimeraCelda(x); }},
            {'+', [&] { w.agregarFila(); }},
            {'k', [&] { w.marcarCelda(); }},
            {'K', [&] { w.desmarcarCelda(); }},
        };
        if (falla)
            EXPECT_EQ(tipoDeError(dar.at(letra)), ErrorWord::Tipo::otro);
        else
            dar.at(letra)();
    }
}

// Every operation of the automation component, each called once.
inline std::vector<std::pair<const char*, std::function<void(Word&)>>> operaciones() {
    return {
        {"textoPrimerParrafo", [](Word& w) { w.textoPrimerParrafo(); }},
        {"insertarTexto", [](Word& w) { w.insertarTexto("\rA\r"); }},
        {"fuenteSeleccion", [](Word& w) { w.fuenteSeleccion("Courier New"); }},
        {"formatear", [](Word& w) { w.formatear(1, 1, Atributo::negrita); }},
        {"insertarBloque", [](Word& w) { w.insertarBloque("\rA\r", "Courier New", {}); }},
        {"contraerSeleccion", [](Word& w) { w.contraerSeleccion(false); }},
        {"finIgualAInicio", [](Word& w) { w.finIgualAInicio(); }},
        {"enTabla", [](Word& w) { w.enTabla(); }},
        {"agregarTabla", [](Word& w) { w.agregarTabla(2, 2); }},
        {"formatoTabla", [](Word& w) { w.formatoTabla(true); }},
        {"permitirAutoajuste", [](Word& w) { w.permitirAutoajuste(); }},
        {"mostrarLineasDeTabla", [](Word& w) { w.mostrarLineasDeTabla(); }},
        {"filasTabla", [](Word& w) { w.filasTabla(); }},
        {"columnasTabla", [](Word& w) { w.columnasTabla(); }},
        {"agregarFila", [](Word& w) { w.agregarFila(); }},
        {"agregarColumna", [](Word& w) { w.agregarColumna(); }},
        {"igualarColumnas", [](Word& w) { w.igualarColumnas(); }},
        {"bordeVisible", [](Word& w) { w.bordeVisible(-1); }},
        {"filaCelda", [](Word& w) { w.filaCelda(); }},
        {"columnaCelda", [](Word& w) { w.columnaCelda(); }},
        {"moverCeldas", [](Word& w) { w.moverCeldas(1); }},
        {"expandir", [](Word& w) { w.expandir(Unidad::fila); }},
        {"borrarCeldasSeleccionadas", [](Word& w) { w.borrarCeldasSeleccionadas(); }},
        {"vaciarPrimeraCelda", [](Word& w) { w.vaciarPrimeraCelda(); }},
        {"sombrearPrimeraCelda", [](Word& w) { w.sombrearPrimeraCelda(200); }},
        {"anchoColumna", [](Word& w) { w.anchoColumna(); }},
        {"fijarAnchoColumna", [](Word& w) { w.fijarAnchoColumna(50); }},
        {"ajustarAVentana", [](Word& w) { w.ajustarAVentana(); }},
        {"pagina", [](Word& w) { w.pagina(); }},
    };
}

} // namespace renglero::contrato
