// Tables in Writer: inserting at the cursor, rows and columns, widths,
// borders, the current cell and its mark.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "writer/uno.h"

namespace renglero {

namespace {

ErrorWord errorOtro(const std::string& que) {
    return ErrorWord(ErrorWord::Tipo::otro, que);
}

// Writer names columns A..Z, a..z, then two letters.
int valorLetra(sal_Unicode c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return 26 + (c - 'a');
    return -1;
}
sal_Unicode letra(int v) {
    return static_cast<sal_Unicode>(v < 26 ? 'A' + v : 'a' + v - 26);
}

css::table::BorderLine2 linea(bool visible) {
    css::table::BorderLine2 l;
    l.Color = 0;
    l.InnerLineWidth = 0;
    l.LineDistance = 0;
    l.OuterLineWidth = visible ? 18 : 0; // half a point
    l.LineWidth = visible ? 18 : 0;
    l.LineStyle = visible ? css::table::BorderLineStyle::SOLID : css::table::BorderLineStyle::NONE;
    return l;
}

bool visible(const css::table::BorderLine2& l) {
    return l.LineStyle != css::table::BorderLineStyle::NONE &&
           (l.LineWidth > 0 || l.OuterLineWidth > 0 || l.InnerLineWidth > 0);
}

css::table::TableBorder2 bordes(const Reference<css::text::XTextTable>& t) {
    css::table::TableBorder2 b;
    Reference<css::beans::XPropertySet>(t, UNO_QUERY_THROW)->getPropertyValue("TableBorder2") >>= b;
    return b;
}

Reference<uno::XInterface> rangoCeldas(const Reference<css::text::XTextTable>& t,
                                       const OUString& nombre) {
    return Reference<css::table::XCellRange>(t, UNO_QUERY_THROW)->getCellRangeByName(nombre);
}

} // namespace

std::optional<CeldaNombre> leerNombreCelda(const OUString& nombre) {
    sal_Int32 i = 0;
    std::vector<int> letras;
    while (i < nombre.getLength() && valorLetra(nombre[i]) >= 0)
        letras.push_back(valorLetra(nombre[i++]));
    if (letras.empty() || letras.size() > 2) return std::nullopt;
    // Two letters count after the 52 single ones.
    const int columna = letras.size() == 1 ? letras[0] : 52 + letras[0] * 52 + letras[1];
    int fila = 0, cifras = 0;
    while (i < nombre.getLength() && nombre[i] >= '0' && nombre[i] <= '9') {
        fila = fila * 10 + (nombre[i] - '0');
        ++cifras;
        ++i;
    }
    if (cifras == 0 || fila < 1) return std::nullopt;
    return CeldaNombre{fila - 1, columna};
}

OUString nombreCelda(int fila, int columna) {
    OUString s;
    if (columna < 52) {
        const sal_Unicode a = letra(columna);
        s += OUString(&a, 1);
    } else {
        const int v = columna - 52;
        const sal_Unicode a[2] = {letra(v / 52), letra(v % 52)};
        s += OUString(a, 2);
    }
    return s + OUString::number(fila + 1);
}

std::vector<double> anchosTabla(const Reference<css::text::XTextDocument>& modelo,
                                const Reference<css::text::XTextTable>& tabla) {
    const Reference<css::beans::XPropertySet> p(tabla, UNO_QUERY_THROW);
    sal_Int16 orientacion = 0, suma = 0;
    sal_Int32 ancho = 0, izquierdo = 0, derecho = 0;
    uno::Sequence<css::text::TableColumnSeparator> separadores;
    p->getPropertyValue("HoriOrient") >>= orientacion;
    p->getPropertyValue("TableColumnRelativeSum") >>= suma;
    p->getPropertyValue("TableColumnSeparators") >>= separadores;
    double total = 0;
    if (orientacion == css::text::HoriOrientation::FULL) {
        // A table as wide as the line: its own Width is not kept up to date
        // until Writer lays the page out.
        p->getPropertyValue("LeftMargin") >>= izquierdo;
        p->getPropertyValue("RightMargin") >>= derecho;
        const Reference<css::text::XTextRange> ancla = tabla->getAnchor();
        total = anchoLineaPuntos(modelo, ancla) - aPuntos(izquierdo + derecho);
    } else {
        p->getPropertyValue("Width") >>= ancho;
        total = aPuntos(ancho);
    }
    std::vector<double> anchos;
    double antes = 0;
    for (const auto& s : separadores) {
        anchos.push_back(total * (s.Position - antes) / suma);
        antes = s.Position;
    }
    anchos.push_back(total * (suma - antes) / suma);
    return anchos;
}

void fijarAnchosTabla(const Reference<css::text::XTextTable>& tabla,
                      const std::vector<double>& anchos, bool ajustada) {
    const Reference<css::beans::XPropertySet> p(tabla, UNO_QUERY_THROW);
    const double total = std::accumulate(anchos.begin(), anchos.end(), 0.0);
    if (ajustada) {
        p->setPropertyValue("HoriOrient", uno::Any(css::text::HoriOrientation::FULL));
    } else {
        p->setPropertyValue("HoriOrient", uno::Any(css::text::HoriOrientation::LEFT_AND_WIDTH));
        p->setPropertyValue("Width", uno::Any(aCentesimas(total)));
    }
    sal_Int16 suma = 0;
    p->getPropertyValue("TableColumnRelativeSum") >>= suma;
    uno::Sequence<css::text::TableColumnSeparator> separadores(
        static_cast<sal_Int32>(anchos.size()) - 1);
    auto* s = separadores.getArray();
    double acumulado = 0;
    for (std::size_t i = 0; i + 1 < anchos.size(); ++i) {
        acumulado += anchos[i];
        s[i].Position = static_cast<sal_Int16>(acumulado * suma / total + 0.5);
        s[i].IsVisible = true;
    }
    p->setPropertyValue("TableColumnSeparators", uno::Any(separadores));
}

std::vector<double> Writer::Estado::anchos(const Reference<css::text::XTextTable>& t) {
    std::vector<double> medidos = anchosTabla(modelo, t);
    const auto dados =
        anchosDados.find(Reference<css::container::XNamed>(t, UNO_QUERY_THROW)->getName());
    if (dados == anchosDados.end() || dados->second.size() != medidos.size()) return medidos;
    for (std::size_t i = 0; i < medidos.size(); ++i)
        if (std::abs(medidos[i] - dados->second[i]) > 0.5) return medidos;
    return dados->second;
}

void Writer::Estado::fijarAnchos(const Reference<css::text::XTextTable>& t,
                                 std::vector<double> anchos, bool ajustada) {
    if (ajustada) {
        // As wide as the line, the proportions kept.
        const double total = std::accumulate(anchos.begin(), anchos.end(), 0.0);
        sal_Int32 izquierdo = 0, derecho = 0;
        const Reference<css::beans::XPropertySet> p(t, UNO_QUERY_THROW);
        p->getPropertyValue("LeftMargin") >>= izquierdo;
        p->getPropertyValue("RightMargin") >>= derecho;
        const double linea =
            anchoLineaPuntos(modelo, t->getAnchor()) - aPuntos(izquierdo + derecho);
        for (double& a : anchos)
            a = a * linea / total;
    }
    // Writer merges column edges that lie within a point of each other: a
    // narrower column would lose its edge, and every width after it would be
    // read and set one column off. What the notebook gave is still what reads
    // back while the table holds it (within half a point).
    std::vector<double> puestos = anchos;
    for (double& a : puestos)
        a = std::max(a, kAnchoMinimoColumna);
    fijarAnchosTabla(t, puestos, ajustada);
    anchosDados[Reference<css::container::XNamed>(t, UNO_QUERY_THROW)->getName()] = anchos;
}

bool tablaConCuadricula(const Reference<css::text::XTextTable>& tabla) {
    const css::table::TableBorder2 b = bordes(tabla);
    return visible(b.TopLine) || visible(b.HorizontalLine) || visible(b.LeftLine) ||
           visible(b.VerticalLine);
}

// What the table operations share: the selection's table and first cell.
struct OperacionesTabla {
    Writer& w;
    Writer::Estado& e;

    Reference<css::text::XTextTable> tabla() {
        w.terminarLote();
        w.documento();
        const Reference<css::text::XTextTable> t(
            Reference<css::beans::XPropertySet>(e.vista, UNO_QUERY_THROW)
                ->getPropertyValue("TextTable"),
            UNO_QUERY);
        if (!t.is()) throw errorOtro("La selección no está en una tabla.");
        return t;
    }

    OUString nombre(const Reference<css::text::XTextTable>& t) {
        return Reference<css::container::XNamed>(t, UNO_QUERY_THROW)->getName();
    }

    // A unit selected by expandir stays while Writer still shows cells selected.
    // A unit selected by expandir stays while the view cursor stays where
    // the selection left it.
    bool expansionVigente(const Reference<css::text::XTextTable>& t) {
        if (!e.expansion) return false;
        const CeldaNombre c = celdaCursor();
        if (e.expansion->tabla != nombre(t) || c.fila != e.expansion->vista.fila ||
            c.columna != e.expansion->vista.columna) {
            e.expansion.reset();
            return false;
        }
        return true;
    }

    CeldaNombre celdaCursor() {
        const Reference<css::beans::XPropertySet> celda(
            Reference<css::beans::XPropertySet>(e.vista->getStart(), UNO_QUERY_THROW)
                ->getPropertyValue("Cell"),
            UNO_QUERY_THROW);
        OUString n;
        celda->getPropertyValue("CellName") >>= n;
        const auto c = leerNombreCelda(n);
        if (!c) throw errorOtro("Celda sin nombre.");
        return *c;
    }

    CeldaNombre primeraCelda(const Reference<css::text::XTextTable>& t) {
        if (expansionVigente(t)) {
            const auto& x = *e.expansion;
            CeldaNombre c{x.fila, x.columna};
            if (x.unidad != Unidad::fila) c.fila = 0;
            if (x.unidad != Unidad::columna) c.columna = 0;
            return c;
        }
        return celdaCursor();
    }

    Reference<css::table::XCell> celda(const Reference<css::text::XTextTable>& t,
                                       const CeldaNombre& c) {
        const Reference<css::table::XCell> x = t->getCellByName(nombreCelda(c.fila, c.columna));
        if (!x.is()) throw errorOtro("No existe la celda.");
        return x;
    }

    void irACelda(const Reference<css::text::XTextTable>& t, const CeldaNombre& c) {
        const Reference<css::text::XText> texto(celda(t, c), UNO_QUERY_THROW);
        e.vista->gotoRange(texto->getStart(), false);
        e.expansion.reset();
    }

    int filas(const Reference<css::text::XTextTable>& t) { return t->getRows()->getCount(); }
    int columnas(const Reference<css::text::XTextTable>& t) { return t->getColumns()->getCount(); }
};

// The body of a table operation, with its helpers at hand as `o`.
#define TABLA(...)                                                                                 \
    llamar([=, this] {                                                                             \
        OperacionesTabla o{*this, *estado_};                                                       \
        __VA_ARGS__                                                                                \
    })

bool Writer::enTabla() {
    return llamar([=, this] {
        terminarLote();
        documento();
        const Reference<css::text::XTextTable> t(
            Reference<css::beans::XPropertySet>(estado_->vista, UNO_QUERY_THROW)
                ->getPropertyValue("TextTable"),
            UNO_QUERY);
        return t.is();
    });
}

void Writer::agregarTabla(int filas, int columnas) {
    llamar([=, this] {
        terminarLote();
        documento();
        if (filas < 1 || columnas < 1 || columnas > 63)
            throw errorOtro("El número de filas o de columnas no es válido.");
        Estado& e = *estado_;
        const Reference<css::text::XTextRange> inicio = e.vista->getStart();
        const Reference<css::text::XText> texto = inicio->getText();
        const Reference<css::text::XTextCursor> c = texto->createTextCursorByRange(inicio);
        // The paragraph is split at the cursor and the table goes between its
        // two halves, as it does wherever the cursor stands.
        texto->insertControlCharacter(c.get(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        const Reference<css::text::XTextTable> t(
            Reference<css::lang::XMultiServiceFactory>(e.modelo, UNO_QUERY_THROW)
                ->createInstance("com.sun.star.text.TextTable"),
            UNO_QUERY_THROW);
        t->initialize(filas, columnas);
        texto->insertTextContent(c.get(), t.get(), false);
        const Reference<css::beans::XPropertySet> p(t, UNO_QUERY_THROW);
        p->setPropertyValue("RepeatHeadline", uno::Any(false));
        e.fijarAnchos(t, std::vector<double>(columnas, 1.0), true); // equal, the line's width
        // No heading row: Writer gives the first row its bold, centred
        // heading style, and the notebook's tables are plain in every cell.
        for (int columna = 0; columna < columnas; ++columna) {
            const Reference<css::text::XText> celda(t->getCellByName(nombreCelda(0, columna)),
                                                    UNO_QUERY_THROW);
            const Reference<css::text::XTextCursor> todo = celda->createTextCursor();
            todo->gotoEnd(true);
            Reference<css::beans::XPropertySet>(todo, UNO_QUERY_THROW)
                ->setPropertyValue("ParaStyleName", uno::Any(OUString("Table Contents")));
        }
        OperacionesTabla o{*this, e};
        o.irACelda(t, {0, 0});
    });
}

void Writer::formatoTabla(bool cuadricula) {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        css::table::TableBorder2 b;
        b.TopLine = b.BottomLine = b.LeftLine = b.RightLine = b.HorizontalLine = b.VerticalLine =
            linea(cuadricula);
        b.IsTopLineValid = b.IsBottomLineValid = b.IsLeftLineValid = b.IsRightLineValid =
            b.IsHorizontalLineValid = b.IsVerticalLineValid = true;
        b.Distance = 0;
        b.IsDistanceValid = false;
        Reference<css::beans::XPropertySet>(t, UNO_QUERY_THROW)
            ->setPropertyValue("TableBorder2", uno::Any(b));
    });
}

// Writer's tables have no automatic fitting to switch on.
void Writer::permitirAutoajuste() {
    TABLA({ o.tabla(); });
}

void Writer::mostrarLineasDeTabla() {
    llamar([=, this] {
        terminarLote();
        documento();
        Reference<css::view::XViewSettingsSupplier>(estado_->controlador, UNO_QUERY_THROW)
            ->getViewSettings()
            ->setPropertyValue("ShowTableBoundaries", uno::Any(true));
    });
}

int Writer::filasTabla() {
    return TABLA({ return o.filas(o.tabla()); });
}

int Writer::columnasTabla() {
    return TABLA({ return o.columnas(o.tabla()); });
}

void Writer::agregarFila() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        t->getRows()->insertByIndex(o.filas(t), 1);
    });
}

void Writer::agregarColumna() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        std::vector<double> anchos = estado_->anchos(t);
        anchos.push_back(anchos.back()); // as wide as the last one
        t->getColumns()->insertByIndex(o.columnas(t), 1);
        estado_->fijarAnchos(t, anchos, false);
    });
}

void Writer::igualarColumnas() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        std::vector<double> anchos = estado_->anchos(t);
        const double total = std::accumulate(anchos.begin(), anchos.end(), 0.0);
        std::fill(anchos.begin(), anchos.end(), total / anchos.size());
        sal_Int16 orientacion = 0;
        Reference<css::beans::XPropertySet>(t, UNO_QUERY_THROW)->getPropertyValue("HoriOrient") >>=
            orientacion;
        estado_->fijarAnchos(t, anchos, orientacion == css::text::HoriOrientation::FULL);
    });
}

bool Writer::bordeVisible(int borde) {
    return TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const css::table::TableBorder2 b = bordes(t);
        switch (borde) {
        case -1:
            return visible(b.TopLine);
        case -2:
            return visible(b.LeftLine);
        case -3:
            return visible(b.BottomLine);
        case -4:
            return visible(b.RightLine);
        case -5:
            return visible(b.HorizontalLine);
        case -6:
            return visible(b.VerticalLine);
        default:
            throw errorOtro("No existe ese borde.");
        }
    });
}

int Writer::filaCelda() {
    return TABLA({ return o.primeraCelda(o.tabla()).fila + 1; });
}

int Writer::columnaCelda() {
    return TABLA({ return o.primeraCelda(o.tabla()).columna + 1; });
}

void Writer::moverCeldas(int n) {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const CeldaNombre actual = o.primeraCelda(t);
        std::vector<CeldaNombre> celdas;
        for (const OUString& nombre : t->getCellNames())
            if (const auto c = leerNombreCelda(nombre)) celdas.push_back(*c);
        std::sort(celdas.begin(), celdas.end(), [](const CeldaNombre& a, const CeldaNombre& b) {
            return a.fila != b.fila ? a.fila < b.fila : a.columna < b.columna;
        });
        int i = 0;
        while (i < static_cast<int>(celdas.size()) &&
               (celdas[i].fila != actual.fila || celdas[i].columna != actual.columna))
            ++i;
        i = std::clamp(i + n, 0, static_cast<int>(celdas.size()) - 1);
        o.irACelda(t, celdas[i]);
    });
}

void Writer::expandir(Unidad unidad) {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const CeldaNombre c = o.primeraCelda(t);
        int f0 = 0, c0 = 0, f1 = o.filas(t) - 1, c1 = o.columnas(t) - 1;
        if (unidad == Unidad::columna) c0 = c1 = c.columna;
        if (unidad == Unidad::fila) f0 = f1 = c.fila;
        const OUString rango = nombreCelda(f0, c0) + ":" + nombreCelda(f1, c1);
        Reference<css::view::XSelectionSupplier>(estado_->controlador, UNO_QUERY_THROW)
            ->select(uno::Any(rangoCeldas(t, rango)));
        estado_->expansion =
            Estado::Expansion{unidad, o.nombre(t), c.fila, c.columna, o.celdaCursor()};
    });
}

void Writer::borrarCeldasSeleccionadas() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const CeldaNombre primera = o.primeraCelda(t);
        const int filas = o.filas(t), columnas = o.columnas(t);
        int f0 = primera.fila, nf = 1, c0 = primera.columna, nc = 1;
        if (o.expansionVigente(t)) {
            if (estado_->expansion->unidad != Unidad::fila) f0 = 0, nf = filas;
            if (estado_->expansion->unidad != Unidad::columna) c0 = 0, nc = columnas;
        }
        const bool todasLasFilas = f0 == 0 && nf == filas;
        const bool todasLasColumnas = c0 == 0 && nc == columnas;
        estado_->expansion.reset();
        if (todasLasFilas && todasLasColumnas) {
            // The whole table goes; the cursor to the paragraph after it.
            Reference<css::lang::XComponent>(t, UNO_QUERY_THROW)->dispose();
            // The paragraphs that held the table between them join again, as
            // they were before it was inserted; the cursor at the join.
            const Reference<css::text::XTextRange> aqui = estado_->vista->getStart();
            const Reference<css::text::XParagraphCursor> c(
                aqui->getText()->createTextCursorByRange(aqui), UNO_QUERY_THROW);
            if (c->isStartOfParagraph() && c->goLeft(1, true)) {
                c->setString(OUString());
                estado_->vista->gotoRange(c->getStart(), false);
            }
            return;
        }
        if (todasLasColumnas) {
            t->getRows()->removeByIndex(f0, nf);
            o.irACelda(t, {std::min(f0, o.filas(t) - 1), primera.columna});
        } else if (todasLasFilas) {
            std::vector<double> anchos = estado_->anchos(t);
            anchos.erase(anchos.begin() + c0, anchos.begin() + c0 + nc);
            t->getColumns()->removeByIndex(c0, nc);
            estado_->fijarAnchos(t, anchos, false);
            o.irACelda(t, {primera.fila, std::min(c0, o.columnas(t) - 1)});
        } else {
            // A cell that is not a whole row or column only loses its text.
            Reference<css::text::XText>(o.celda(t, primera), UNO_QUERY_THROW)->setString("");
            o.irACelda(t, primera);
        }
    });
}

void Writer::vaciarPrimeraCelda() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        Reference<css::text::XText>(o.celda(t, o.primeraCelda(t)), UNO_QUERY_THROW)->setString("");
    });
}

void Writer::sombrearPrimeraCelda(int textura) {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        if (textura < 0 || textura > 1000) throw errorOtro("Textura no válida.");
        const Reference<css::beans::XPropertySet> p(o.celda(t, o.primeraCelda(t)), UNO_QUERY_THROW);
        if (textura == 0) {
            p->setPropertyValue("BackTransparent", uno::Any(true));
            p->setPropertyValue("BackColor", uno::Any(sal_Int32(-1)));
        } else {
            // Texture in tenths of a percent of black over white; 20 % is the mark's grey.
            const int gris = 255 - static_cast<int>(255.0 * textura / 1000.0 + 0.5);
            const sal_Int32 color = textura == 200 ? kGrisMarca : (gris << 16) | (gris << 8) | gris;
            p->setPropertyValue("BackColor", uno::Any(color));
            p->setPropertyValue("BackTransparent", uno::Any(false));
        }
    });
}

void Writer::marcarCelda() {
    // One cell carries the mark at a time.
    desmarcarCelda();
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const Reference<css::beans::XPropertySet> p(o.celda(t, o.primeraCelda(t)), UNO_QUERY_THROW);
        Estado::Marca m;
        m.celda = p;
        // What the cell had: the pupil's own shading comes back with the mark.
        m.color = p->getPropertyValue("BackColor");
        m.transparente = p->getPropertyValue("BackTransparent");
        p->setPropertyValue("BackColor", uno::Any(kGrisMarca));
        p->setPropertyValue("BackTransparent", uno::Any(false));
        estado_->marca = std::move(m);
    });
}

void Writer::desmarcarCelda() {
    llamar([this] {
        if (!estado_->marca) return;
        const Estado::Marca m = std::move(*estado_->marca);
        estado_->marca.reset();
        try {
            m.celda->setPropertyValue("BackColor", m.color);
            m.celda->setPropertyValue("BackTransparent", m.transparente);
        } catch (const uno::Exception&) {
            // The cell, its table or its document is gone, and the mark with it.
        }
    });
}

float Writer::anchoColumna() {
    return TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        const std::vector<double> anchos = estado_->anchos(t);
        const int c = o.primeraCelda(t).columna;
        if (c >= static_cast<int>(anchos.size())) throw errorOtro("Columna fuera de la tabla.");
        return static_cast<float>(anchos[c]);
    });
}

void Writer::fijarAnchoColumna(float puntos) {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        if (!(puntos > 0)) throw errorOtro("Ancho de columna no válido.");
        std::vector<double> anchos = estado_->anchos(t);
        const int c = o.primeraCelda(t).columna;
        if (c >= static_cast<int>(anchos.size())) throw errorOtro("Columna fuera de la tabla.");
        anchos[c] = puntos;
        estado_->fijarAnchos(t, anchos, false);
    });
}

void Writer::ajustarAVentana() {
    TABLA({
        const Reference<css::text::XTextTable> t = o.tabla();
        estado_->fijarAnchos(t, estado_->anchos(t), true);
    });
}

} // namespace renglero
