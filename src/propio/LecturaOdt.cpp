#include "propio/LecturaOdt.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

#include "word/PaqueteOdt.h"

namespace renglero {

namespace {

// Tables of more cells than this are cut: no pupil's document has them, and
// a repeated row of a spreadsheet-made table could ask for millions.
constexpr int kMaxCeldas = 20000;
constexpr int kMaxColumnas = 63;

// An XML element with its children, named with the usual prefixes of its
// namespace ("text:p"), whatever prefixes the file itself uses; a text node
// has no name.
struct Nodo {
    QString nombre;
    QString texto;
    QHash<QString, QString> atributos;
    std::vector<Nodo> hijos;

    QString attr(const QString& n) const { return atributos.value(n); }
    const Nodo* hijo(const QString& n) const {
        for (const Nodo& h : hijos)
            if (h.nombre == n) return &h;
        return nullptr;
    }
};

QString prefijo(QStringView uri) {
    static const QHash<QString, QString> prefijos = {
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0"),
         QStringLiteral("office")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0"),
         QStringLiteral("style")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0"), QStringLiteral("text")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0"),
         QStringLiteral("table")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"),
         QStringLiteral("draw")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"),
         QStringLiteral("fo")},
        {QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"),
         QStringLiteral("svg")}};
    return prefijos.value(uri.toString(), QStringLiteral("otro"));
}

QString nombreDe(QStringView uri, QStringView local) {
    return prefijo(uri) + QLatin1Char(':') + local.toString();
}

// The whole part as a tree; nothing where it is not well-formed XML.
std::optional<Nodo> arbol(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    Nodo raiz;
    std::vector<Nodo*> pila{&raiz};
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement: {
            Nodo n;
            n.nombre = nombreDe(r.namespaceUri(), r.name());
            for (const QXmlStreamAttribute& a : r.attributes())
                n.atributos.insert(nombreDe(a.namespaceUri(), a.name()), a.value().toString());
            pila.back()->hijos.push_back(std::move(n));
            pila.push_back(&pila.back()->hijos.back());
            break;
        }
        case QXmlStreamReader::EndElement:
            pila.pop_back();
            break;
        case QXmlStreamReader::Characters: {
            Nodo t;
            t.texto = r.text().toString();
            pila.back()->hijos.push_back(std::move(t));
            break;
        }
        default:
            break;
        }
    }
    if (r.hasError()) return std::nullopt;
    return raiz;
}

// A length in points ("2.5cm", "12pt", "0.5in"); none for a relative one.
std::optional<double> puntos(const QString& s) {
    static const std::pair<const char*, double> unidades[] = {
        {"pt", 1.0},  {"cm", 72.0 / 2.54}, {"mm", 72.0 / 25.4},
        {"in", 72.0}, {"pc", 12.0},        {"px", 0.75}};
    for (const auto& [u, factor] : unidades)
        if (s.endsWith(QLatin1String(u))) {
            bool ok = false;
            const double v = s.chopped(2).toDouble(&ok);
            if (ok) return v * factor;
        }
    return std::nullopt;
}

std::optional<bool> siNo(const QString& v, bool (*es)(const QString&)) {
    if (v.isEmpty()) return std::nullopt;
    return es(v);
}

// What a style says of the text it covers; unset where it says nothing, so
// that a style can lay itself over another.
struct PropTexto {
    std::optional<QString> fuente;
    std::optional<double> tamano;
    std::optional<bool> negrita, cursiva, subrayado, tachado;
    std::optional<int> posicion; // 1 raised, -1 lowered, 0 on the line
    std::optional<QColor> color;

    void sobre(const PropTexto& o) {
        if (o.fuente) fuente = o.fuente;
        if (o.tamano) tamano = o.tamano;
        if (o.negrita) negrita = o.negrita;
        if (o.cursiva) cursiva = o.cursiva;
        if (o.subrayado) subrayado = o.subrayado;
        if (o.tachado) tachado = o.tachado;
        if (o.posicion) posicion = o.posicion;
        if (o.color) color = o.color;
    }

    QTextCharFormat formato() const {
        QTextCharFormat f;
        if (fuente) f.setFontFamilies({*fuente});
        if (tamano) f.setFontPointSize(*tamano);
        if (negrita) f.setFontWeight(*negrita ? QFont::Bold : QFont::Normal);
        if (cursiva) f.setFontItalic(*cursiva);
        if (subrayado)
            f.setUnderlineStyle(*subrayado ? QTextCharFormat::SingleUnderline
                                           : QTextCharFormat::NoUnderline);
        if (tachado) f.setFontStrikeOut(*tachado);
        if (posicion)
            f.setVerticalAlignment(*posicion > 0   ? QTextCharFormat::AlignSuperScript
                                   : *posicion < 0 ? QTextCharFormat::AlignSubScript
                                                   : QTextCharFormat::AlignNormal);
        if (color) f.setForeground(*color);
        return f;
    }
};

struct Estilo {
    QString padre;
    PropTexto texto;
    std::optional<QColor> fondo;
    bool borde = false;
    std::optional<double> anchoColumna; // points
};

class Lector {
  public:
    Lector(QTextDocument& doc, double porPunto) : doc_(doc), porPunto_(porPunto) {}

    LecturaOdt leer(const Nodo& contenido, const Nodo* estilos) {
        LecturaOdt l;
        if (estilos) {
            if (const Nodo* raiz = estilos->hijo(QStringLiteral("office:document-styles")))
                leerRaizEstilos(*raiz, l);
        }
        const Nodo* raiz = contenido.hijo(QStringLiteral("office:document-content"));
        const Nodo* cuerpo = raiz ? raiz->hijo(QStringLiteral("office:body")) : nullptr;
        const Nodo* texto = cuerpo ? cuerpo->hijo(QStringLiteral("office:text")) : nullptr;
        if (!texto) {
            l.error = QStringLiteral("No es un documento de texto.");
            return l;
        }
        if (const Nodo* decl = raiz->hijo(QStringLiteral("office:font-face-decls"))) fuentes(*decl);
        if (const Nodo* a = raiz->hijo(QStringLiteral("office:automatic-styles"))) definir(*a);
        doc_.clear();
        if (l.fuente) doc_.setDefaultFont(*l.fuente);
        QTextCursor c(&doc_);
        c.beginEditBlock();
        bool primero = true;
        bloques(*texto, c, primero);
        c.endEditBlock();
        l.hecho = true;
        l.perdido = perdido_;
        return l;
    }

  private:
    void leerRaizEstilos(const Nodo& raiz, LecturaOdt& l) {
        if (const Nodo* decl = raiz.hijo(QStringLiteral("office:font-face-decls"))) fuentes(*decl);
        if (const Nodo* e = raiz.hijo(QStringLiteral("office:styles"))) {
            definir(*e);
            for (const Nodo& d : e->hijos)
                if (d.nombre == QLatin1String("style:default-style") &&
                    d.attr(QStringLiteral("style:family")) == QLatin1String("paragraph")) {
                    const PropTexto p = propiedades(d).texto;
                    if (p.fuente || p.tamano) {
                        QFont f = doc_.defaultFont();
                        if (p.fuente) f.setFamilies({*p.fuente});
                        if (p.tamano) f.setPointSizeF(*p.tamano);
                        l.fuente = f;
                    }
                }
        }
        const Nodo* automaticos = raiz.hijo(QStringLiteral("office:automatic-styles"));
        const Nodo* maestros = raiz.hijo(QStringLiteral("office:master-styles"));
        const Nodo* maestra =
            maestros ? maestros->hijo(QStringLiteral("style:master-page")) : nullptr;
        if (!automaticos || !maestra) return;
        const QString nombre = maestra->attr(QStringLiteral("style:page-layout-name"));
        for (const Nodo& p : automaticos->hijos) {
            if (p.nombre != QLatin1String("style:page-layout") ||
                p.attr(QStringLiteral("style:name")) != nombre)
                continue;
            const Nodo* prop = p.hijo(QStringLiteral("style:page-layout-properties"));
            if (!prop) continue;
            PaginaOdt pagina;
            auto medida = [&](const char* a, double& v) {
                if (auto m = puntos(prop->attr(QLatin1String(a)))) v = *m;
            };
            medida("fo:page-width", pagina.ancho);
            medida("fo:page-height", pagina.alto);
            medida("fo:margin-left", pagina.izquierdo);
            medida("fo:margin-right", pagina.derecho);
            medida("fo:margin-top", pagina.superior);
            medida("fo:margin-bottom", pagina.inferior);
            l.pagina = pagina;
        }
    }

    void fuentes(const Nodo& decl) {
        for (const Nodo& f : decl.hijos) {
            if (f.nombre != QLatin1String("style:font-face")) continue;
            QString familia = f.attr(QStringLiteral("svg:font-family"));
            if (familia.size() > 1 &&
                (familia.startsWith(QLatin1Char('\'')) || familia.startsWith(QLatin1Char('"'))))
                familia = familia.mid(1, familia.size() - 2);
            fuentes_.insert(f.attr(QStringLiteral("style:name")),
                            familia.isEmpty() ? f.attr(QStringLiteral("style:name")) : familia);
        }
    }

    Estilo propiedades(const Nodo& s) const {
        Estilo e;
        e.padre = s.attr(QStringLiteral("style:parent-style-name"));
        if (const Nodo* t = s.hijo(QStringLiteral("style:text-properties"))) {
            PropTexto& p = e.texto;
            const QString nombre = t->attr(QStringLiteral("style:font-name"));
            if (!nombre.isEmpty())
                p.fuente = fuentes_.value(nombre, nombre);
            else if (!t->attr(QStringLiteral("fo:font-family")).isEmpty())
                p.fuente = t->attr(QStringLiteral("fo:font-family")).remove(QLatin1Char('\''));
            if (auto m = puntos(t->attr(QStringLiteral("fo:font-size")))) p.tamano = *m;
            p.negrita = siNo(t->attr(QStringLiteral("fo:font-weight")), [](const QString& v) {
                return v == QLatin1String("bold") || v.toInt() >= 600;
            });
            p.cursiva = siNo(t->attr(QStringLiteral("fo:font-style")), [](const QString& v) {
                return v == QLatin1String("italic") || v == QLatin1String("oblique");
            });
            p.subrayado = siNo(t->attr(QStringLiteral("style:text-underline-style")),
                               [](const QString& v) { return v != QLatin1String("none"); });
            p.tachado = siNo(t->attr(QStringLiteral("style:text-line-through-style")),
                             [](const QString& v) { return v != QLatin1String("none"); });
            const QString posicion = t->attr(QStringLiteral("style:text-position"));
            if (!posicion.isEmpty()) {
                const QString primera = posicion.section(QLatin1Char(' '), 0, 0);
                const double v =
                    primera.chopped(primera.endsWith(QLatin1Char('%')) ? 1 : 0).toDouble();
                p.posicion = primera == QLatin1String("super") ? 1
                             : primera == QLatin1String("sub") ? -1
                             : v > 0                           ? 1
                             : v < 0                           ? -1
                                                               : 0;
            }
            const QColor color(t->attr(QStringLiteral("fo:color")));
            if (color.isValid()) p.color = color;
        }
        if (const Nodo* c = s.hijo(QStringLiteral("style:table-cell-properties"))) {
            const QColor fondo(c->attr(QStringLiteral("fo:background-color")));
            if (fondo.isValid()) e.fondo = fondo;
            for (const char* a : {"fo:border", "fo:border-top", "fo:border-bottom",
                                  "fo:border-left", "fo:border-right"}) {
                const QString v = c->attr(QLatin1String(a));
                if (!v.isEmpty() && v != QLatin1String("none") &&
                    !v.startsWith(QLatin1String("0pt")))
                    e.borde = true;
            }
        }
        if (const Nodo* c = s.hijo(QStringLiteral("style:table-column-properties")))
            e.anchoColumna = puntos(c->attr(QStringLiteral("style:column-width")));
        return e;
    }

    void definir(const Nodo& lista) {
        for (const Nodo& s : lista.hijos)
            if (s.nombre == QLatin1String("style:style"))
                estilos_.insert(s.attr(QStringLiteral("style:name")), propiedades(s));
    }

    // A style's text with what its parents give.
    PropTexto textoDe(const QString& nombre) const {
        std::vector<const Estilo*> cadena;
        QString n = nombre;
        while (!n.isEmpty() && cadena.size() < 20) {
            auto it = estilos_.find(n);
            if (it == estilos_.end()) break;
            cadena.push_back(&*it);
            n = it->padre;
        }
        PropTexto p;
        for (auto it = cadena.rbegin(); it != cadena.rend(); ++it)
            p.sobre((*it)->texto);
        return p;
    }

    void perder(const QString& que) {
        if (!perdido_.contains(que)) perdido_.append(que);
    }

    void bloques(const Nodo& padre, QTextCursor& c, bool& primero) {
        for (const Nodo& n : padre.hijos) {
            const QString& e = n.nombre;
            if (e == QLatin1String("text:p") || e == QLatin1String("text:h")) {
                if (!primero) c.insertBlock(QTextBlockFormat(), QTextCharFormat());
                primero = false;
                parrafo(n, c);
            } else if (e == QLatin1String("table:table")) {
                tabla(n, c);
                // The table leaves an empty paragraph after it: the next one goes there.
                primero = true;
            } else if (e == QLatin1String("text:list")) {
                perder(QStringLiteral("las viñetas y los números de las listas"));
                listas(n, c, primero);
            } else if (e == QLatin1String("text:section") ||
                       e == QLatin1String("text:index-body")) {
                bloques(n, c, primero);
            } else if ((e.startsWith(QLatin1String("text:")) &&
                        e.endsWith(QLatin1String("-index"))) ||
                       e == QLatin1String("text:table-of-content")) {
                if (const Nodo* cuerpo = n.hijo(QStringLiteral("text:index-body")))
                    bloques(*cuerpo, c, primero);
            } else if (e.startsWith(QLatin1String("draw:"))) {
                dibujo(n);
            }
        }
    }

    void listas(const Nodo& lista, QTextCursor& c, bool& primero) {
        for (const Nodo& item : lista.hijos)
            if (item.nombre == QLatin1String("text:list-item") ||
                item.nombre == QLatin1String("text:list-header")) {
                for (const Nodo& n : item.hijos) {
                    if (n.nombre == QLatin1String("text:list")) {
                        listas(n, c, primero);
                    } else {
                        Nodo uno;
                        uno.hijos.push_back(n);
                        bloques(uno, c, primero);
                    }
                }
            }
    }

    void dibujo(const Nodo& n) {
        if (n.nombre == QLatin1String("draw:frame") && n.hijo(QStringLiteral("draw:image")) &&
            !n.hijo(QStringLiteral("draw:text-box")))
            perder(QStringLiteral("imágenes"));
        else
            perder(QStringLiteral("dibujos o cuadros de texto"));
    }

    void parrafo(const Nodo& p, QTextCursor& c) {
        trasEspacio_ = true;
        en(p, textoDe(p.attr(QStringLiteral("text:style-name"))), c);
    }

    void escribir(QTextCursor& c, const QString& s, const PropTexto& p) {
        if (!s.isEmpty()) c.insertText(s, p.formato());
    }

    // What a paragraph or a span holds, in the format it has reached.
    void en(const Nodo& padre, const PropTexto& p, QTextCursor& c) {
        for (const Nodo& n : padre.hijos) {
            const QString& e = n.nombre;
            if (e.isEmpty()) {
                // XML's own white space folds to one space, and none after a space.
                QString s;
                for (QChar ch : n.texto) {
                    if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') ||
                        ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
                        if (trasEspacio_) continue;
                        s += QLatin1Char(' ');
                        trasEspacio_ = true;
                    } else {
                        s += ch;
                        trasEspacio_ = false;
                    }
                }
                escribir(c, s, p);
            } else if (e == QLatin1String("text:s")) {
                const int n1 = std::clamp(n.attr(QStringLiteral("text:c")).toInt(), 1, 1000);
                escribir(c, QString(n1, QLatin1Char(' ')), p);
                trasEspacio_ = true;
            } else if (e == QLatin1String("text:tab")) {
                escribir(c, QStringLiteral("\t"), p);
                trasEspacio_ = true;
            } else if (e == QLatin1String("text:line-break")) {
                escribir(c, QString(QChar::LineSeparator), p);
                trasEspacio_ = true;
            } else if (e == QLatin1String("text:span")) {
                PropTexto q = p;
                q.sobre(textoDe(n.attr(QStringLiteral("text:style-name"))));
                en(n, q, c);
            } else if (e == QLatin1String("text:note")) {
                perder(QStringLiteral("notas al pie"));
            } else if (e == QLatin1String("office:annotation")) {
                perder(QStringLiteral("comentarios"));
            } else if (e.startsWith(QLatin1String("draw:"))) {
                dibujo(n);
            } else if (e == QLatin1String("text:ruby-text") ||
                       e == QLatin1String("text:tracked-changes") ||
                       e.startsWith(QLatin1String("text:bookmark")) ||
                       e.startsWith(QLatin1String("text:reference-mark")) ||
                       e.startsWith(QLatin1String("text:change")) ||
                       e.startsWith(QLatin1String("office:"))) {
                // Marks without text of their own.
            } else {
                // A link, a field, a meta span: its text as it shows.
                en(n, p, c);
            }
        }
    }

    // Rows and columns, with what repeats written out.
    struct CeldaLeida {
        const Nodo* nodo = nullptr; // null: covered by a merged cell
    };

    void filas(const Nodo& padre, std::vector<std::vector<CeldaLeida>>& filas, int& celdas) {
        for (const Nodo& n : padre.hijos) {
            if (n.nombre == QLatin1String("table:table-row")) {
                std::vector<CeldaLeida> fila;
                for (const Nodo& celda : n.hijos) {
                    const bool cubierta = celda.nombre == QLatin1String("table:covered-table-cell");
                    if (!cubierta && celda.nombre != QLatin1String("table:table-cell")) continue;
                    const int veces = std::clamp(
                        celda.attr(QStringLiteral("table:number-columns-repeated")).toInt(), 1,
                        kMaxColumnas);
                    for (int i = 0; i < veces && static_cast<int>(fila.size()) < kMaxColumnas; ++i)
                        fila.push_back({cubierta ? nullptr : &celda});
                }
                const int veces =
                    std::max(n.attr(QStringLiteral("table:number-rows-repeated")).toInt(), 1);
                for (int i = 0; i < veces && celdas + static_cast<int>(fila.size()) <= kMaxCeldas;
                     ++i) {
                    filas.push_back(fila);
                    celdas += static_cast<int>(fila.size());
                }
            } else if (n.nombre == QLatin1String("table:table-header-rows") ||
                       n.nombre == QLatin1String("table:table-rows") ||
                       n.nombre == QLatin1String("table:table-row-group")) {
                this->filas(n, filas, celdas);
            }
        }
    }

    void columnas(const Nodo& padre, std::vector<std::optional<double>>& anchos) {
        for (const Nodo& n : padre.hijos) {
            if (n.nombre == QLatin1String("table:table-column")) {
                const auto e = estilos_.find(n.attr(QStringLiteral("table:style-name")));
                const std::optional<double> ancho =
                    e != estilos_.end() ? e->anchoColumna : std::nullopt;
                const int veces =
                    std::clamp(n.attr(QStringLiteral("table:number-columns-repeated")).toInt(), 1,
                               kMaxColumnas);
                for (int i = 0; i < veces && static_cast<int>(anchos.size()) < kMaxColumnas; ++i)
                    anchos.push_back(ancho);
            } else if (n.nombre == QLatin1String("table:table-columns") ||
                       n.nombre == QLatin1String("table:table-header-columns") ||
                       n.nombre == QLatin1String("table:table-column-group")) {
                columnas(n, anchos);
            }
        }
    }

    void tabla(const Nodo& t, QTextCursor& c) {
        std::vector<std::vector<CeldaLeida>> lista;
        int celdas = 0;
        filas(t, lista, celdas);
        std::vector<std::optional<double>> anchos;
        columnas(t, anchos);
        int n = static_cast<int>(anchos.size());
        for (const auto& f : lista)
            n = std::max(n, static_cast<int>(f.size()));
        if (lista.empty() || n == 0) return;
        anchos.resize(n);
        bool borde = false;
        for (const auto& f : lista)
            for (const CeldaLeida& celda : f)
                if (celda.nodo) {
                    const auto e =
                        estilos_.find(celda.nodo->attr(QStringLiteral("table:style-name")));
                    if (e != estilos_.end() && e->borde) borde = true;
                }
        // As the table manager makes them.
        QTextTableFormat f;
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setCellPadding(4.0);
        f.setCellSpacing(0);
        f.setBorderCollapse(true);
        f.setBorder(borde ? 1.0 : 0);
        f.setBorderStyle(borde ? QTextFrameFormat::BorderStyle_Solid
                               : QTextFrameFormat::BorderStyle_None);
        f.setBorderBrush(Qt::black);
        QList<QTextLength> restricciones;
        for (const auto& a : anchos)
            restricciones.append(a ? QTextLength(QTextLength::FixedLength, *a * porPunto_)
                                   : QTextLength());
        f.setColumnWidthConstraints(restricciones);
        QTextTable* tabla = c.insertTable(static_cast<int>(lista.size()), n, f);
        struct Union {
            int fila, columna, filas, columnas;
        };
        std::vector<Union> uniones;
        for (int r = 0; r < static_cast<int>(lista.size()); ++r)
            for (int k = 0; k < static_cast<int>(lista[r].size()); ++k) {
                const Nodo* nodo = lista[r][k].nodo;
                if (!nodo) continue;
                QTextTableCell celda = tabla->cellAt(r, k);
                const auto e = estilos_.find(nodo->attr(QStringLiteral("table:style-name")));
                if (e != estilos_.end() && e->fondo) {
                    QTextTableCellFormat cf = celda.format().toTableCellFormat();
                    cf.setBackground(*e->fondo);
                    // The grey that a 20 % shading is written as.
                    if (*e->fondo == QColor(0xcc, 0xcc, 0xcc))
                        cf.setProperty(kPropiedadTextura, 200);
                    celda.setFormat(cf);
                }
                QTextCursor dentro = celda.firstCursorPosition();
                bool primero = true;
                bloques(*nodo, dentro, primero);
                const int filasUnidas =
                    nodo->attr(QStringLiteral("table:number-rows-spanned")).toInt();
                const int colsUnidas =
                    nodo->attr(QStringLiteral("table:number-columns-spanned")).toInt();
                if (filasUnidas > 1 || colsUnidas > 1)
                    uniones.push_back({r, k, std::max(filasUnidas, 1), std::max(colsUnidas, 1)});
            }
        for (const Union& u : uniones)
            tabla->mergeCells(u.fila, u.columna, std::min(u.filas, tabla->rows() - u.fila),
                              std::min(u.columnas, tabla->columns() - u.columna));
        c.setPosition(tabla->lastPosition() + 1);
    }

    QTextDocument& doc_;
    double porPunto_;
    QHash<QString, QString> fuentes_;
    QHash<QString, Estilo> estilos_;
    QStringList perdido_;
    bool trasEspacio_ = true;
};

} // namespace

LecturaOdt leerPartesOdt(const PartesOdt& partes, QTextDocument& documento,
                         double unidadesPorPunto) {
    LecturaOdt l;
    const std::optional<Nodo> contenido = arbol(partes.contenido);
    const std::optional<Nodo> estilos =
        partes.estilos.isEmpty() ? std::optional<Nodo>(Nodo()) : arbol(partes.estilos);
    if (!contenido || !estilos) {
        l.error = QStringLiteral("El documento está dañado.");
        return l;
    }
    return Lector(documento, unidadesPorPunto).leer(*contenido, &*estilos);
}

LecturaOdt leerOdt(const QString& ruta, QTextDocument& documento, double unidadesPorPunto) {
    std::string contenido, estilos;
    FalloPaqueteOdt fallo = FalloPaqueteOdt::ninguno;
    if (!leerPaqueteOdt(QFile::encodeName(ruta).toStdString(), contenido, estilos, &fallo)) {
        LecturaOdt l;
        switch (fallo) {
        case FalloPaqueteOdt::noEsTexto:
            l.error = QStringLiteral("No es un documento de texto de LibreOffice (.odt).");
            break;
        case FalloPaqueteOdt::incompleto:
            l.error = QStringLiteral("El documento está dañado.");
            break;
        default:
            l.error = QStringLiteral("No se puede leer el archivo.");
            break;
        }
        return l;
    }
    PartesOdt partes;
    partes.contenido = QByteArray::fromStdString(contenido);
    partes.estilos = QByteArray::fromStdString(estilos);
    return leerPartesOdt(partes, documento, unidadesPorPunto);
}

} // namespace renglero
