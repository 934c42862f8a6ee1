#pragma once
// Opening OpenDocument text in the embedded document: paragraphs, runs with
// their fonts, sizes, bold, italic, underline, strike-out, raised and lowered
// text and colour, tables with their column widths, grid lines, shading and
// cell text, and the page. What the embedded document cannot show (images,
// drawings, notes, comments) is left out and named.
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

#include "propio/OdtPropio.h"

class QTextDocument;

namespace renglero {

struct LecturaOdt {
    bool hecho = false;
    // Why it could not be read, for the pupil.
    QString error;
    // What was left out, for the pupil ("imágenes", "notas al pie", ...).
    QStringList perdido;
    std::optional<PaginaOdt> pagina;
    // The document's own default font, where it gives one.
    std::optional<QFont> fuente;
};

// Reads the two XML parts into documento, which is emptied first; where they
// are not well-formed nothing is touched. unidadesPorPunto converts points
// to the document's own lengths.
LecturaOdt leerPartesOdt(const PartesOdt& partes, QTextDocument& documento,
                         double unidadesPorPunto);

// The same from the package at ruta.
LecturaOdt leerOdt(const QString& ruta, QTextDocument& documento, double unidadesPorPunto);

} // namespace renglero
