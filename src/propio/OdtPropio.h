#pragma once
// Saving the embedded document as OpenDocument text. Qt's own ODF writer
// names every font "Sans" and drops cell shading, so the package is written
// here: every font by its name, bold, italic, underline, strike-out, colour,
// raised and lowered text, tables with their borders, column widths and
// shaded cells, and the page.
#include <QBrush>
#include <QByteArray>
#include <QString>
#include <QTextFormat>
#include <optional>
#include <string>

class QTextDocument;

namespace renglero {

// Properties that the embedded document keeps on its formats.
constexpr int kPropiedadTextura = QTextFormat::UserProperty + 1;    // cell: shading texture
constexpr int kPropiedadAutoajuste = QTextFormat::UserProperty + 2; // table: may auto-fit

// Page metrics in points.
struct PaginaOdt {
    double ancho = 595.3, alto = 841.9;
    double izquierdo = 70.87, derecho = 70.87, superior = 70.87, inferior = 70.87;
};

struct PartesOdt {
    QByteArray contenido; // content.xml
    QByteArray estilos;   // styles.xml
};

// A table cell written with another shading than it shows: the cell whose
// first position is `posicion`, with `fondo` (none: no shading).
struct FondoDeCelda {
    int posicion = -1;
    std::optional<QBrush> fondo;
};

// The two XML parts of the document. unidadesPorPunto converts the
// document's own lengths (fixed column widths) to points.
PartesOdt componerOdt(const QTextDocument& documento, const PaginaOdt& pagina,
                      double unidadesPorPunto, const FondoDeCelda& otroFondo = {});

// Writes the whole package at ruta, the file system's own bytes (a name
// need not be UTF-8). False (and why, in error) on failure.
bool guardarOdt(const QTextDocument& documento, const PaginaOdt& pagina, double unidadesPorPunto,
                const std::string& ruta, QString* error = nullptr);

} // namespace renglero
