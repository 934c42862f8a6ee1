#include "propio/OdtPropio.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QMap>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QXmlStreamWriter>
#include <algorithm>
#include <string_view>

#include "word/PaqueteOdt.h"

namespace renglero {

namespace {

QString pt(double v) {
    return QString::number(v, 'f', 2) + QStringLiteral("pt");
}

QString colorHex(const QColor& c) {
    return c.name(QColor::HexRgb).toLower();
}

QString familiaDe(const QTextCharFormat& f) {
    const QStringList familias = f.fontFamilies().toStringList();
    return familias.isEmpty() ? QString() : familias.first();
}

// Everything that a span of text can carry, as ODF text properties.
struct EstiloTexto {
    QString fuente;
    bool negrita = false, cursiva = false, subrayado = false, tachado = false;
    int posicion = 0; // 1 raised, -1 lowered
    QString color;
    double tamano = 0;

    bool vacio() const {
        return fuente.isEmpty() && !negrita && !cursiva && !subrayado && !tachado &&
               posicion == 0 && color.isEmpty() && tamano <= 0;
    }
    QString clave() const {
        return QStringLiteral("%1|%2%3%4%5|%6|%7|%8")
            .arg(fuente)
            .arg(negrita)
            .arg(cursiva)
            .arg(subrayado)
            .arg(tachado)
            .arg(posicion)
            .arg(color)
            .arg(tamano);
    }
};

EstiloTexto estiloDe(const QTextCharFormat& f) {
    EstiloTexto e;
    e.fuente = familiaDe(f);
    e.negrita = f.fontWeight() >= QFont::Bold;
    e.cursiva = f.fontItalic();
    e.subrayado = f.fontUnderline();
    e.tachado = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) e.posicion = 1;
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) e.posicion = -1;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        e.color = colorHex(f.foreground().color());
    if (f.hasProperty(QTextFormat::FontPointSize)) e.tamano = f.fontPointSize();
    return e;
}

struct EstiloCelda {
    bool borde = true;
    QString fondo;
    QString clave() const { return QStringLiteral("%1|%2").arg(borde).arg(fondo); }
};

class Escritor {
  public:
    Escritor(const QTextDocument& doc, double unidadesPorPunto, const FondoDeCelda& otroFondo)
        : doc_(doc), porPunto_(unidadesPorPunto), otroFondo_(otroFondo), cuerpo_(&bytesCuerpo_),
          estilos_(&bytesEstilos_) {
        fuentes_.insert(doc.defaultFont().family());
    }

    PartesOdt componer(const PaginaOdt& pagina) {
        recorrer(doc_.rootFrame()->begin(), doc_.rootFrame()->end());
        PartesOdt partes;
        partes.contenido = contenido();
        partes.estilos = estilosXml(pagina);
        return partes;
    }

  private:
    void recorrer(QTextFrame::iterator it, QTextFrame::iterator fin) {
        for (; it != fin; ++it) {
            if (QTextFrame* marco = it.currentFrame()) {
                if (auto* t = qobject_cast<QTextTable*>(marco))
                    tabla(t);
                else
                    recorrer(marco->begin(), marco->end());
            } else {
                parrafo(it.currentBlock());
            }
        }
    }

    QString nombreEstiloTexto(const QTextCharFormat& f) {
        const EstiloTexto e = estiloDe(f);
        if (e.vacio()) return {};
        const QString clave = e.clave();
        auto it = nombresTexto_.find(clave);
        if (it != nombresTexto_.end()) return *it;
        const QString nombre = QStringLiteral("T%1").arg(nombresTexto_.size() + 1);
        nombresTexto_.insert(clave, nombre);
        if (!e.fuente.isEmpty()) fuentes_.insert(e.fuente);
        estilos_.writeStartElement("style:style");
        estilos_.writeAttribute("style:name", nombre);
        estilos_.writeAttribute("style:family", "text");
        estilos_.writeStartElement("style:text-properties");
        if (!e.fuente.isEmpty()) estilos_.writeAttribute("style:font-name", e.fuente);
        if (e.tamano > 0) estilos_.writeAttribute("fo:font-size", pt(e.tamano));
        if (e.negrita) estilos_.writeAttribute("fo:font-weight", "bold");
        if (e.cursiva) estilos_.writeAttribute("fo:font-style", "italic");
        if (e.subrayado) {
            estilos_.writeAttribute("style:text-underline-style", "solid");
            estilos_.writeAttribute("style:text-underline-width", "auto");
            estilos_.writeAttribute("style:text-underline-color", "font-color");
        }
        if (e.tachado) estilos_.writeAttribute("style:text-line-through-style", "solid");
        if (e.posicion > 0) estilos_.writeAttribute("style:text-position", "super 58%");
        if (e.posicion < 0) estilos_.writeAttribute("style:text-position", "sub 58%");
        if (!e.color.isEmpty()) estilos_.writeAttribute("fo:color", e.color);
        estilos_.writeEndElement();
        estilos_.writeEndElement();
        return nombre;
    }

    // ODF folds runs of spaces: each space after the first of a run, and a
    // space that opens the paragraph, is written as <text:s/>, so that the
    // notebook's columns stay where they were.
    void texto(const QString& s) {
        QString pendiente;
        auto soltar = [&] {
            if (!pendiente.isEmpty()) cuerpo_.writeCharacters(pendiente);
            pendiente.clear();
        };
        for (int i = 0; i < s.size();) {
            const QChar ch = s[i];
            if (ch == QLatin1Char(' ')) {
                int n = 0;
                while (i < s.size() && s[i] == QLatin1Char(' '))
                    ++n, ++i;
                if (!trasEspacio_) {
                    pendiente += QLatin1Char(' ');
                    --n;
                }
                soltar();
                if (n > 0) {
                    cuerpo_.writeEmptyElement("text:s");
                    if (n > 1) cuerpo_.writeAttribute("text:c", QString::number(n));
                }
                trasEspacio_ = true;
                continue;
            }
            ++i;
            if (ch == QLatin1Char('\t')) {
                soltar();
                cuerpo_.writeEmptyElement("text:tab");
                trasEspacio_ = true;
            } else if (ch == QChar::LineSeparator) {
                soltar();
                cuerpo_.writeEmptyElement("text:line-break");
                trasEspacio_ = true;
            } else if (ch.unicode() < 0x20 || ch == QChar::ObjectReplacementCharacter ||
                       ch == QChar::ParagraphSeparator || ch.unicode() == 0xFDD0 ||
                       ch.unicode() == 0xFDD1 || ch.unicode() == 0xFFFE || ch.unicode() == 0xFFFF) {
                // Structure marks and what XML cannot hold.
            } else {
                pendiente += ch;
                trasEspacio_ = false;
            }
        }
        soltar();
    }

    void parrafo(const QTextBlock& b) {
        cuerpo_.writeStartElement("text:p");
        cuerpo_.writeAttribute("text:style-name", "Standard");
        trasEspacio_ = true;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const QString estilo = nombreEstiloTexto(fr.charFormat());
            if (!estilo.isEmpty()) {
                cuerpo_.writeStartElement("text:span");
                cuerpo_.writeAttribute("text:style-name", estilo);
            }
            texto(fr.text());
            if (!estilo.isEmpty()) cuerpo_.writeEndElement();
        }
        cuerpo_.writeEndElement();
    }

    QString nombreEstiloCelda(const EstiloCelda& e) {
        const QString clave = e.clave();
        auto it = nombresCelda_.find(clave);
        if (it != nombresCelda_.end()) return *it;
        const QString nombre = QStringLiteral("Celda%1").arg(nombresCelda_.size() + 1);
        nombresCelda_.insert(clave, nombre);
        estilos_.writeStartElement("style:style");
        estilos_.writeAttribute("style:name", nombre);
        estilos_.writeAttribute("style:family", "table-cell");
        estilos_.writeEmptyElement("style:table-cell-properties");
        estilos_.writeAttribute("fo:padding", "0.10cm");
        estilos_.writeAttribute("fo:border", e.borde ? "0.5pt solid #000000" : "none");
        if (!e.fondo.isEmpty()) estilos_.writeAttribute("fo:background-color", e.fondo);
        estilos_.writeEndElement();
        return nombre;
    }

    // Columns with a fixed width keep it; the others share the rest of the
    // page's line.
    std::vector<double> anchosEnPuntos(QTextTable* t) const {
        const QList<QTextLength> restricciones = t->format().columnWidthConstraints();
        std::vector<double> anchos(t->columns(), 0);
        double fijo = 0;
        int libres = 0;
        for (int i = 0; i < t->columns(); ++i) {
            const QTextLength l = i < restricciones.size() ? restricciones[i] : QTextLength();
            if (l.type() == QTextLength::FixedLength)
                anchos[i] = l.rawValue() / porPunto_;
            else if (l.type() == QTextLength::PercentageLength)
                anchos[i] = l.rawValue() * lineaPagina_ / 100.0;
            if (anchos[i] > 0)
                fijo += anchos[i];
            else
                ++libres;
        }
        const double resto = std::max(lineaPagina_ - fijo, 36.0 * libres) / std::max(libres, 1);
        for (double& a : anchos)
            if (a <= 0) a = resto;
        return anchos;
    }

    void tabla(QTextTable* t) {
        const int n = ++tablas_;
        const QString nombre = QStringLiteral("Tabla%1").arg(n);
        const std::vector<double> anchos = anchosEnPuntos(t);
        double total = 0;
        for (double a : anchos)
            total += a;
        estilos_.writeStartElement("style:style");
        estilos_.writeAttribute("style:name", nombre);
        estilos_.writeAttribute("style:family", "table");
        estilos_.writeEmptyElement("style:table-properties");
        estilos_.writeAttribute("style:width", pt(total));
        estilos_.writeAttribute("table:align", "left");
        estilos_.writeEndElement();
        for (size_t i = 0; i < anchos.size(); ++i) {
            estilos_.writeStartElement("style:style");
            estilos_.writeAttribute("style:name", QStringLiteral("%1.C%2").arg(nombre).arg(i + 1));
            estilos_.writeAttribute("style:family", "table-column");
            estilos_.writeEmptyElement("style:table-column-properties");
            estilos_.writeAttribute("style:column-width", pt(anchos[i]));
            estilos_.writeEndElement();
        }
        const QTextTableFormat tf = t->format();
        const bool borde =
            tf.border() > 0 && tf.borderStyle() != QTextFrameFormat::BorderStyle_None;

        cuerpo_.writeStartElement("table:table");
        cuerpo_.writeAttribute("table:name", nombre);
        cuerpo_.writeAttribute("table:style-name", nombre);
        for (size_t i = 0; i < anchos.size(); ++i) {
            cuerpo_.writeEmptyElement("table:table-column");
            cuerpo_.writeAttribute("table:style-name",
                                   QStringLiteral("%1.C%2").arg(nombre).arg(i + 1));
        }
        for (int r = 0; r < t->rows(); ++r) {
            cuerpo_.writeStartElement("table:table-row");
            for (int c = 0; c < t->columns(); ++c) {
                const QTextTableCell celda = t->cellAt(r, c);
                if (celda.row() != r || celda.column() != c) {
                    cuerpo_.writeEmptyElement("table:covered-table-cell");
                    continue;
                }
                const QTextCharFormat cf = celda.format();
                EstiloCelda e;
                e.borde = borde;
                std::optional<QBrush> fondo;
                if (cf.hasProperty(QTextFormat::BackgroundBrush)) fondo = cf.background();
                if (celda.firstPosition() == otroFondo_.posicion) fondo = otroFondo_.fondo;
                if (fondo && fondo->style() != Qt::NoBrush) e.fondo = colorHex(fondo->color());
                cuerpo_.writeStartElement("table:table-cell");
                cuerpo_.writeAttribute("table:style-name", nombreEstiloCelda(e));
                cuerpo_.writeAttribute("office:value-type", "string");
                if (celda.rowSpan() > 1)
                    cuerpo_.writeAttribute("table:number-rows-spanned",
                                           QString::number(celda.rowSpan()));
                if (celda.columnSpan() > 1)
                    cuerpo_.writeAttribute("table:number-columns-spanned",
                                           QString::number(celda.columnSpan()));
                recorrer(celda.begin(), celda.end());
                cuerpo_.writeEndElement();
            }
            cuerpo_.writeEndElement();
        }
        cuerpo_.writeEndElement();
    }

    void declararFuentes(QXmlStreamWriter& w) const {
        w.writeStartElement("office:font-face-decls");
        QStringList nombres(fuentes_.begin(), fuentes_.end());
        nombres.sort();
        for (const QString& f : nombres) {
            w.writeEmptyElement("style:font-face");
            w.writeAttribute("style:name", f);
            w.writeAttribute("svg:font-family",
                             f.contains(QLatin1Char(' ')) ? QStringLiteral("'%1'").arg(f) : f);
            if (f.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive))
                w.writeAttribute("style:font-pitch", "fixed");
        }
        w.writeEndElement();
    }

    QByteArray contenido() const {
        QByteArray fuentes;
        QXmlStreamWriter w(&fuentes);
        declararFuentes(w);
        QByteArray x = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                         "<office:document-content");
        x += kEspaciosDeNombresOdt;
        x += '>';
        x += fuentes;
        x += "<office:automatic-styles>" + bytesEstilos_ + "</office:automatic-styles>";
        x += "<office:body><office:text>" + bytesCuerpo_ + "</office:text></office:body>";
        x += "</office:document-content>\n";
        return x;
    }

    QByteArray estilosXml(const PaginaOdt& p) const {
        QByteArray cuerpo;
        QXmlStreamWriter w(&cuerpo);
        declararFuentes(w);
        w.writeStartElement("office:styles");
        w.writeStartElement("style:default-style");
        w.writeAttribute("style:family", "paragraph");
        w.writeEmptyElement("style:text-properties");
        w.writeAttribute("style:font-name", doc_.defaultFont().family());
        w.writeAttribute("fo:font-size", pt(doc_.defaultFont().pointSizeF()));
        w.writeAttribute("fo:language", "es");
        w.writeAttribute("fo:country", "ES");
        w.writeEndElement();
        w.writeStartElement("style:style");
        w.writeAttribute("style:name", "Standard");
        w.writeAttribute("style:family", "paragraph");
        w.writeAttribute("style:class", "text");
        w.writeEmptyElement("style:paragraph-properties");
        w.writeAttribute("fo:margin-top", "0pt");
        w.writeAttribute("fo:margin-bottom", "0pt");
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement("office:automatic-styles");
        w.writeStartElement("style:page-layout");
        w.writeAttribute("style:name", "pm1");
        w.writeEmptyElement("style:page-layout-properties");
        w.writeAttribute("fo:page-width", pt(p.ancho));
        w.writeAttribute("fo:page-height", pt(p.alto));
        w.writeAttribute("style:print-orientation", "portrait");
        w.writeAttribute("fo:margin-top", pt(p.superior));
        w.writeAttribute("fo:margin-bottom", pt(p.inferior));
        w.writeAttribute("fo:margin-left", pt(p.izquierdo));
        w.writeAttribute("fo:margin-right", pt(p.derecho));
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement("office:master-styles");
        w.writeEmptyElement("style:master-page");
        w.writeAttribute("style:name", "Standard");
        w.writeAttribute("style:page-layout-name", "pm1");
        w.writeEndElement();
        QByteArray x = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                         "<office:document-styles");
        x += kEspaciosDeNombresOdt;
        x += '>' + cuerpo + "</office:document-styles>\n";
        return x;
    }

  public:
    double lineaPagina_ = 453.5;

  private:
    const QTextDocument& doc_;
    double porPunto_;
    FondoDeCelda otroFondo_;
    QByteArray bytesCuerpo_, bytesEstilos_;
    QXmlStreamWriter cuerpo_, estilos_;
    QMap<QString, QString> nombresTexto_, nombresCelda_;
    QSet<QString> fuentes_;
    int tablas_ = 0;
    bool trasEspacio_ = true;
};

QByteArray metadatos() {
    QByteArray x = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<office:document-meta");
    x += kEspaciosDeNombresOdt;
    x += "><office:meta><meta:generator>Renglero</meta:generator></office:meta>"
         "</office:document-meta>\n";
    return x;
}

} // namespace

PartesOdt componerOdt(const QTextDocument& documento, const PaginaOdt& pagina,
                      double unidadesPorPunto, const FondoDeCelda& otroFondo) {
    Escritor e(documento, unidadesPorPunto, otroFondo);
    e.lineaPagina_ = pagina.ancho - pagina.izquierdo - pagina.derecho;
    return e.componer(pagina);
}

bool guardarOdt(const QTextDocument& documento, const PaginaOdt& pagina, double unidadesPorPunto,
                const std::string& ruta, QString* error) {
    const PartesOdt partes = componerOdt(documento, pagina, unidadesPorPunto);
    const QByteArray meta = metadatos();
    auto vista = [](const QByteArray& b) {
        return std::string_view(b.constData(), static_cast<std::size_t>(b.size()));
    };
    std::string porque;
    const bool hecho = escribirPaqueteOdt(ruta,
                                          {{"meta.xml", vista(meta)},
                                           {"styles.xml", vista(partes.estilos)},
                                           {"content.xml", vista(partes.contenido)}},
                                          &porque);
    if (!hecho && error) *error = QString::fromStdString(porque);
    return hecho;
}

} // namespace renglero
