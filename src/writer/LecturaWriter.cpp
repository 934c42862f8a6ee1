// The document read back: paragraphs with their runs, tables, the cursor.
#include "writer/uno.h"

namespace renglero {

namespace {

bool mismoFormato(const TramoLeido& a, const TramoLeido& b) {
    return a.fuente == b.fuente && a.negrita == b.negrita && a.cursiva == b.cursiva &&
           a.subrayado == b.subrayado && a.tachado == b.tachado && a.superindice == b.superindice &&
           a.subindice == b.subindice && a.color == b.color;
}

// A line break inside a paragraph reads as the embedded document's.
std::string textoParrafo(const OUString& s) {
    return aStd(s.replaceAll("\n", OUString(u'\u2028')));
}

ParrafoLeido leerParrafo(const Reference<css::text::XTextRange>& parrafo) {
    ParrafoLeido p;
    p.texto = textoParrafo(parrafo->getString());
    static const uno::Sequence<OUString> propiedades =
        nombres({"CharColor", "CharEscapement", "CharFontName", "CharPosture", "CharStrikeout",
                 "CharUnderline", "CharWeight", "TextPortionType"});
    const Reference<css::container::XEnumeration> tramos =
        Reference<css::container::XEnumerationAccess>(parrafo, UNO_QUERY_THROW)
            ->createEnumeration();
    int inicio = 0;
    while (tramos->hasMoreElements()) {
        const Reference<css::text::XTextRange> tramo(tramos->nextElement(), UNO_QUERY);
        if (!tramo.is()) continue;
        const uno::Sequence<uno::Any> v =
            Reference<css::beans::XMultiPropertySet>(tramo, UNO_QUERY_THROW)
                ->getPropertyValues(propiedades);
        OUString tipo;
        v[7] >>= tipo;
        if (tipo != "Text") continue;
        const int largo = puntosDeCodigo(tramo->getString());
        if (largo == 0) continue;
        TramoLeido t;
        t.inicio = inicio;
        t.largo = largo;
        inicio += largo;
        sal_Int32 color = -1;
        v[0] >>= color;
        if (color != -1) t.color = static_cast<Color>(color) & 0xFFFFFF;
        sal_Int16 escape = 0;
        v[1] >>= escape;
        t.superindice = escape > 0;
        t.subindice = escape < 0;
        OUString fuente;
        v[2] >>= fuente;
        t.fuente = fuente.equalsAscii(kFuenteSignos) ? kFuenteSymbol : aStd(fuente);
        css::awt::FontSlant postura = css::awt::FontSlant_NONE;
        v[3] >>= postura;
        t.cursiva = postura == css::awt::FontSlant_ITALIC || postura == css::awt::FontSlant_OBLIQUE;
        sal_Int16 tachado = 0, subrayado = 0;
        v[4] >>= tachado;
        v[5] >>= subrayado;
        t.tachado = tachado != css::awt::FontStrikeout::NONE &&
                    tachado != css::awt::FontStrikeout::DONTKNOW;
        t.subrayado = subrayado != css::awt::FontUnderline::NONE &&
                      subrayado != css::awt::FontUnderline::DONTKNOW;
        float peso = 0;
        v[6] >>= peso;
        t.negrita = peso >= css::awt::FontWeight::BOLD;
        if (!p.tramos.empty() && mismoFormato(p.tramos.back(), t))
            p.tramos.back().largo += t.largo;
        else
            p.tramos.push_back(t);
    }
    return p;
}

TablaLeida leerTabla(Writer::Estado& e, const Reference<css::text::XTextTable>& t) {
    TablaLeida tl;
    tl.filas = t->getRows()->getCount();
    tl.columnas = t->getColumns()->getCount();
    tl.cuadricula = tablaConCuadricula(t);
    tl.anchos = e.anchos(t);
    tl.texto.assign(tl.filas, std::vector<std::string>(tl.columnas));
    tl.parrafos.assign(tl.filas, std::vector<std::vector<ParrafoLeido>>(tl.columnas));
    for (const OUString& nombre : t->getCellNames()) {
        const auto c = leerNombreCelda(nombre);
        if (!c || c->fila >= tl.filas || c->columna >= tl.columnas) continue;
        const Reference<css::table::XCell> celda = t->getCellByName(nombre);
        const Reference<css::text::XText> textoCelda(celda, UNO_QUERY_THROW);
        OUString texto = textoCelda->getString();
        texto = texto.replaceAll("\r\n", "\n").replaceAll("\r", "\n");
        tl.texto[c->fila][c->columna] = aStd(texto);
        const Reference<css::container::XEnumeration> parrafos =
            Reference<css::container::XEnumerationAccess>(textoCelda, UNO_QUERY_THROW)
                ->createEnumeration();
        while (parrafos->hasMoreElements()) {
            const Reference<css::text::XTextRange> p(parrafos->nextElement(), UNO_QUERY);
            if (p.is()) tl.parrafos[c->fila][c->columna].push_back(leerParrafo(p));
        }
        sal_Int32 fondo = -1;
        Reference<css::beans::XPropertySet>(celda, UNO_QUERY_THROW)
            ->getPropertyValue("BackColor") >>= fondo;
        if (fondo == kGrisMarca) tl.sombreadas.emplace_back(c->fila + 1, c->columna + 1);
    }
    std::sort(tl.sombreadas.begin(), tl.sombreadas.end());
    return tl;
}

} // namespace

DocumentoLeido Writer::leer() {
    return llamar([this] {
        DocumentoLeido d;
        try {
            terminarLote();
            documento();
        } catch (const ErrorWord&) {
            return d;
        } catch (const uno::Exception&) {
            return d;
        }
        d.abierto = true;
        Estado& e = *estado_;
        css::lang::Locale idioma;
        Reference<css::beans::XPropertySet>(e.modelo, UNO_QUERY_THROW)
            ->getPropertyValue("CharLocale") >>= idioma;
        d.idioma =
            aStd(idioma.Language) + (idioma.Country.isEmpty() ? "" : "-") + aStd(idioma.Country);
        const Reference<css::text::XText> texto = e.modelo->getText();
        // Where the cursor is: a table's cell, or a paragraph of the body.
        const Reference<css::text::XTextRange> cursor = e.vista->getEnd();
        const Reference<css::beans::XPropertySet> enCursor(cursor, UNO_QUERY_THROW);
        const Reference<css::text::XTextTable> tablaCursor(enCursor->getPropertyValue("TextTable"),
                                                           UNO_QUERY);
        OUString nombreTablaCursor;
        std::optional<CeldaNombre> celdaCursor;
        Reference<css::text::XTextRange> inicioParrafo;
        if (tablaCursor.is()) {
            nombreTablaCursor =
                Reference<css::container::XNamed>(tablaCursor, UNO_QUERY_THROW)->getName();
            const Reference<css::beans::XPropertySet> celda(enCursor->getPropertyValue("Cell"),
                                                            UNO_QUERY_THROW);
            OUString n;
            celda->getPropertyValue("CellName") >>= n;
            celdaCursor = leerNombreCelda(n);
        } else {
            const Reference<css::text::XParagraphCursor> p(texto->createTextCursorByRange(cursor),
                                                           UNO_QUERY_THROW);
            p->gotoStartOfParagraph(false);
            inicioParrafo = p->getStart();
        }
        const Reference<css::text::XTextRangeCompare> comparar(texto, UNO_QUERY_THROW);

        const Reference<css::container::XEnumeration> en =
            Reference<css::container::XEnumerationAccess>(texto, UNO_QUERY_THROW)
                ->createEnumeration();
        while (en->hasMoreElements()) {
            const uno::Any elemento = en->nextElement();
            const Reference<css::text::XTextTable> t(elemento, UNO_QUERY);
            if (t.is()) {
                TablaLeida tl = leerTabla(e, t);
                tl.despuesDe = static_cast<int>(d.parrafos.size()) - 1;
                if (tablaCursor.is() && celdaCursor &&
                    Reference<css::container::XNamed>(t, UNO_QUERY_THROW)->getName() ==
                        nombreTablaCursor)
                    d.tablaCursor =
                        std::vector<int>{static_cast<int>(d.tablas.size()), celdaCursor->fila + 1,
                                         celdaCursor->columna + 1};
                d.tablas.push_back(std::move(tl));
                continue;
            }
            const Reference<css::text::XTextRange> parrafo(elemento, UNO_QUERY);
            if (!parrafo.is()) continue;
            if (inicioParrafo.is() && d.parrafoCursor < 0 &&
                comparar->compareRegionStarts(parrafo, inicioParrafo) == 0)
                d.parrafoCursor = static_cast<int>(d.parrafos.size());
            d.parrafos.push_back(leerParrafo(parrafo));
        }
        return d;
    });
}

} // namespace renglero
