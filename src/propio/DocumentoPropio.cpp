#include "propio/DocumentoPropio.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <numeric>

#include "propio/OdtPropio.h"

namespace renglero {

namespace {

// Padding and border of new tables, in the document's pixels.
constexpr double kRellenoCelda = 4.0;
constexpr double kGrosorBorde = 1.0;

ErrorWord errorOtro(const char* que) {
    return ErrorWord(ErrorWord::Tipo::otro, que);
}

int puntosDeCodigo(const QString& s) {
    int n = 0;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
        ++n;
    }
    return n;
}

QString fuenteDe(const QTextCharFormat& f, const QTextDocument& doc) {
    const QStringList familias = f.fontFamilies().toStringList();
    if (!familias.isEmpty() && !familias.first().isEmpty()) return familias.first();
    return doc.defaultFont().family();
}

TramoLeido tramoDe(const QTextCharFormat& f, const QTextDocument& doc) {
    TramoLeido t;
    t.fuente = fuenteDe(f, doc).toStdString();
    t.negrita = f.fontWeight() >= QFont::Bold;
    t.cursiva = f.fontItalic();
    t.subrayado = f.fontUnderline();
    t.tachado = f.fontStrikeOut();
    t.superindice = f.verticalAlignment() == QTextCharFormat::AlignSuperScript;
    t.subindice = f.verticalAlignment() == QTextCharFormat::AlignSubScript;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
        const QColor c = f.foreground().color();
        t.color = rgb(c.red(), c.green(), c.blue());
    }
    return t;
}

bool mismoFormato(const TramoLeido& a, const TramoLeido& b) {
    return a.fuente == b.fuente && a.negrita == b.negrita && a.cursiva == b.cursiva &&
           a.subrayado == b.subrayado && a.tachado == b.tachado && a.superindice == b.superindice &&
           a.subindice == b.subindice && a.color == b.color;
}

ParrafoLeido parrafoDe(const QTextBlock& b, const QTextDocument& doc) {
    ParrafoLeido p;
    p.texto = b.text().toStdString();
    int inicio = 0;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment fr = it.fragment();
        TramoLeido t = tramoDe(fr.charFormat(), doc);
        t.inicio = inicio;
        t.largo = puntosDeCodigo(fr.text());
        inicio += t.largo;
        if (!p.tramos.empty() && mismoFormato(p.tramos.back(), t))
            p.tramos.back().largo += t.largo;
        else
            p.tramos.push_back(t);
    }
    return p;
}

std::string textoCelda(const QTextTableCell& celda, QTextDocument* doc) {
    QTextCursor c(doc);
    c.setPosition(celda.firstPosition());
    c.setPosition(celda.lastPosition(), QTextCursor::KeepAnchor);
    QString s = c.selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s.toStdString();
}

// The distinct cells of a table in reading order (a merged cell once).
std::vector<QTextTableCell> celdasEnOrden(QTextTable* t) {
    std::vector<QTextTableCell> celdas;
    for (int r = 0; r < t->rows(); ++r)
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell celda = t->cellAt(r, c);
            if (celda.row() == r && celda.column() == c) celdas.push_back(celda);
        }
    return celdas;
}

QFont fuentePorDefecto() {
    QFont fuente;
    fuente.setFamilies({QStringLiteral("Times New Roman")});
    fuente.setPointSizeF(12);
    return fuente;
}

} // namespace

DocumentoPropio::DocumentoPropio(QObject* padre) : QObject(padre), doc_(new QTextDocument(this)) {
    doc_->setDefaultFont(fuentePorDefecto());
    // A text change may bring characters outside the BMP; formatting cannot.
    connect(doc_, &QTextDocument::contentsChanged, this, [this] {
        if (!formateando_) revisarSustitutos_ = true;
    });
    aplicarPagina();
    cursor_ = QTextCursor(doc_);
    anclaVista_ = posicionVista_ = 0;
}

DocumentoPropio::~DocumentoPropio() {
    cerrarLote();
}

// ---- events ---------------------------------------------------------------

void DocumentoPropio::suscribir(EventosWord eventos) {
    eventos_ = std::move(eventos);
}

void DocumentoPropio::encolar(Evento e) {
    // Several moves of the selection before the notebook looks make one event.
    if (e == Evento::cambioDeSeleccion &&
        std::find(pendientes_.begin(), pendientes_.end(), e) != pendientes_.end())
        return;
    pendientes_.push_back(e);
    if (!entregaPedida_) {
        entregaPedida_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                entregaPedida_ = false;
                entregarEventos();
            },
            Qt::QueuedConnection);
    }
}

void DocumentoPropio::entregarEventos() {
    cerrarLote();
    // Only those pending now: what a handler causes comes on the next pass.
    std::vector<Evento> lote;
    lote.swap(pendientes_);
    for (Evento e : lote) {
        std::function<void()>* f = nullptr;
        switch (e) {
        case Evento::antesDeCerrarDocumento:
            f = &eventos_.antesDeCerrarDocumento;
            break;
        case Evento::cambioDeDocumento:
            f = &eventos_.cambioDeDocumento;
            break;
        case Evento::documentoAbierto:
            f = &eventos_.documentoAbierto;
            break;
        case Evento::salir:
            f = &eventos_.salir;
            break;
        case Evento::ventanaActivada:
            f = &eventos_.ventanaActivada;
            break;
        case Evento::ventanaDesactivada:
            f = &eventos_.ventanaDesactivada;
            break;
        case Evento::cambioDeSeleccion:
            f = &eventos_.cambioDeSeleccion;
            break;
        }
        if (f && *f) (*f)();
    }
}

void DocumentoPropio::avisarActivacion(bool activa) {
    cerrarLote();
    if (terminado_) return;
    encolar(activa ? Evento::ventanaActivada : Evento::ventanaDesactivada);
}

void DocumentoPropio::seleccionTocada() {
    if (cursor_.anchor() == anclaVista_ && cursor_.position() == posicionVista_) return;
    anclaVista_ = cursor_.anchor();
    posicionVista_ = cursor_.position();
    emit seleccionMovida();
    encolar(Evento::cambioDeSeleccion);
}

void DocumentoPropio::fijarSeleccion(const QTextCursor& cursor) {
    // While an operation edits the document the window's cursor is dragged
    // along; the operation sets the selection itself when it ends.
    if (ocupado_ || cursor.document() != doc_) return;
    cerrarLote();
    cursor_ = cursor;
    if (cursor_.anchor() == anclaVista_ && cursor_.position() == posicionVista_) return;
    anclaVista_ = cursor_.anchor();
    posicionVista_ = cursor_.position();
    encolar(Evento::cambioDeSeleccion);
}

// ---- the application and the page -----------------------------------------

void DocumentoPropio::abrirLote() {
    if (loteAbierto_) return;
    lote_ = QTextCursor(doc_);
    lote_.beginEditBlock();
    loteAbierto_ = true;
    // The batch ends when the notebook lets events run, at the latest.
    QMetaObject::invokeMethod(
        this, [this] { cerrarLote(); }, Qt::QueuedConnection);
}

void DocumentoPropio::cerrarLote() {
    if (!loteAbierto_) return;
    loteAbierto_ = false;
    formateando_ = true;
    lote_.endEditBlock();
    formateando_ = false;
}

void DocumentoPropio::comprobarDocumento(bool formato) {
    if (!formato) cerrarLote();
    if (terminado_) throw errorOtro("El procesador de textos ya no está en marcha.");
    if (!abierto_)
        throw ErrorWord(ErrorWord::Tipo::sinDocumento, "No hay ningún documento abierto.");
}

void DocumentoPropio::mostrarAplicacion() {
    cerrarLote();
    if (terminado_) throw errorOtro("El procesador de textos ya no está en marcha.");
    emit mostrarPedido();
}

void DocumentoPropio::aplicarPagina() {
    // The page set-up is no change to the pupil's text.
    const bool modificado = doc_->isModified();
    QTextFrameFormat f = doc_->rootFrame()->frameFormat();
    f.setLeftMargin(margenIzq_ * kPxPorPunto);
    f.setRightMargin(margenDer_ * kPxPorPunto);
    f.setTopMargin(kMargenA4 * kPxPorPunto);
    f.setBottomMargin(kMargenA4 * kPxPorPunto);
    doc_->rootFrame()->setFrameFormat(f);
    doc_->setModified(modificado);
}

Pagina DocumentoPropio::pagina() {
    comprobarDocumento();
    return Pagina{ancho_, margenIzq_, margenDer_};
}

void DocumentoPropio::fijarPagina(float ancho, float margenIzquierdo, float margenDerecho) {
    cerrarLote();
    ancho_ = ancho;
    margenIzq_ = margenIzquierdo;
    margenDer_ = margenDerecho;
    aplicarPagina();
    emit paginaCambiada();
}

// ---- selection and text ---------------------------------------------------

bool DocumentoPropio::haySustitutos() {
    if (revisarSustitutos_) {
        const QString t = doc_->toRawText();
        haySustitutos_ = std::any_of(t.begin(), t.end(), [](QChar c) { return c.isSurrogate(); });
        revisarSustitutos_ = false;
    }
    return haySustitutos_;
}

int DocumentoPropio::largoSeleccion() {
    const int a = cursor_.selectionStart(), b = cursor_.selectionEnd();
    if (!haySustitutos()) return b - a;
    int n = 0;
    for (int p = a; p < b; ++p, ++n)
        if (doc_->characterAt(p).isHighSurrogate()) ++p;
    return n;
}

int DocumentoPropio::posicionCaracter(int k) {
    const int a = cursor_.selectionStart();
    if (!haySustitutos()) return a + k - 1;
    int p = a;
    for (int i = 1; i < k; ++i)
        p += doc_->characterAt(p).isHighSurrogate() ? 2 : 1;
    return p;
}

bool DocumentoPropio::limpiarFormatoDeCelda(QTextCursor& c) {
    if (c.hasSelection()) return false;
    QTextCharFormat f = c.charFormat();
    if (f.objectType() != QTextFormat::TableCellObject) return false;
    f.clearProperty(QTextFormat::ObjectType);
    f.clearBackground();
    f.clearProperty(kPropiedadTextura);
    for (int p = QTextFormat::TableCellRowSpan; p <= QTextFormat::TableCellRightBorderBrush; ++p)
        f.clearProperty(p);
    c.setCharFormat(f);
    return true;
}

void DocumentoPropio::insertarConSaltos(QTextCursor& c, const QString& texto) {
    limpiarFormatoDeCelda(c);
    QString tramo;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar ch = texto[i];
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < texto.size() &&
                texto[i + 1] == QLatin1Char('\n'))
                ++i;
            if (!tramo.isEmpty()) c.insertText(tramo);
            tramo.clear();
            c.insertBlock();
        } else if (ch == QLatin1Char('\v')) {
            tramo += QChar::LineSeparator; // a line break inside the paragraph
        } else {
            tramo += ch;
        }
    }
    if (!tramo.isEmpty()) c.insertText(tramo);
}

std::string DocumentoPropio::textoPrimerParrafo() {
    comprobarDocumento();
    const QTextBlock b = doc_->findBlock(cursor_.selectionStart());
    return (b.text() + QLatin1Char('\r')).toStdString();
}

void DocumentoPropio::insertarTexto(const std::string& texto) {
    comprobarDocumento();
    Ocupado o(ocupado_);
    // Goes after the selection: nothing the pupil wrote is replaced.
    const int inicio = cursor_.selectionEnd();
    QTextCursor c(doc_);
    c.setPosition(inicio);
    c.beginEditBlock();
    insertarConSaltos(c, QString::fromStdString(texto));
    c.endEditBlock();
    cursor_.setPosition(inicio);
    cursor_.setPosition(c.position(), QTextCursor::KeepAnchor);
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::fuenteSeleccion(const std::string& nombre) {
    comprobarDocumento(true);
    abrirLote();
    QTextCharFormat f;
    f.setFontFamilies({QString::fromStdString(nombre)});
    formateando_ = true;
    cursor_.mergeCharFormat(f);
    // What the pupil types in the paragraph after the block keeps the
    // document's own font, not the notebook's.
    QTextCursor despues(doc_);
    despues.setPosition(cursor_.selectionEnd());
    if (despues.atBlockStart() && despues.block().length() == 1)
        despues.setBlockCharFormat(QTextCharFormat());
    formateando_ = false;
}

void DocumentoPropio::formatear(int desde, int largo, Atributo atributo, Color color) {
    comprobarDocumento(true);
    if (desde < 1 || largo < 1 || desde + largo - 1 > largoSeleccion())
        throw errorOtro("El carácter no está en la selección.");
    QTextCharFormat f;
    switch (atributo) {
    case Atributo::simbolo:
        f.setFontFamilies({QStringLiteral("Symbol")});
        break;
    case Atributo::superindice:
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case Atributo::subindice:
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case Atributo::negrita:
        f.setFontWeight(QFont::Bold);
        break;
    case Atributo::subrayado:
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        break;
    case Atributo::tachado:
        f.setFontStrikeOut(true);
        break;
    case Atributo::cursiva:
        f.setFontItalic(true);
        break;
    case Atributo::color:
        f.setForeground(QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
        break;
    }
    abrirLote();
    QTextCursor c(doc_);
    c.setPosition(posicionCaracter(desde));
    c.setPosition(posicionCaracter(desde + largo), QTextCursor::KeepAnchor);
    formateando_ = true;
    c.mergeCharFormat(f);
    formateando_ = false;
}

void DocumentoPropio::contraerSeleccion(bool alInicio) {
    comprobarDocumento();
    cursor_.setPosition(alInicio ? cursor_.selectionStart() : cursor_.selectionEnd());
    seleccionTocada();
}

void DocumentoPropio::finIgualAInicio() {
    contraerSeleccion(true);
}

// ---- tables ---------------------------------------------------------------

bool DocumentoPropio::enTabla() {
    comprobarDocumento();
    QTextCursor c(doc_);
    c.setPosition(cursor_.selectionStart());
    return c.currentTable() != nullptr;
}

QTextTable* DocumentoPropio::tablaSeleccion() {
    comprobarDocumento();
    QTextCursor c(doc_);
    c.setPosition(cursor_.selectionStart());
    QTextTable* t = c.currentTable();
    if (!t) throw errorOtro("La selección no está en una tabla.");
    return t;
}

QTextTableCell DocumentoPropio::primeraCelda(QTextTable** tabla) {
    QTextTable* t = tablaSeleccion();
    if (tabla) *tabla = t;
    if (cursor_.hasComplexSelection()) {
        int fila, filas, col, cols;
        cursor_.selectedTableCells(&fila, &filas, &col, &cols);
        if (fila >= 0 && col >= 0) return t->cellAt(fila, col);
    }
    return t->cellAt(cursor_.selectionStart());
}

std::vector<double> DocumentoPropio::anchosPx(QTextTable* t) const {
    const QList<QTextLength> restricciones = t->format().columnWidthConstraints();
    const int n = t->columns();
    const double linea = anchoLineaPx();
    std::vector<double> anchos(n, -1);
    double fijo = 0;
    int libres = 0;
    for (int i = 0; i < n; ++i) {
        const QTextLength l = i < restricciones.size() ? restricciones[i] : QTextLength();
        if (l.type() == QTextLength::FixedLength)
            anchos[i] = l.rawValue();
        else if (l.type() == QTextLength::PercentageLength)
            anchos[i] = l.rawValue() * linea / 100.0;
        if (anchos[i] >= 0)
            fijo += anchos[i];
        else
            ++libres;
    }
    // Columns without a width share what the others leave of the line.
    const double resto = linea - fijo > 0 ? (linea - fijo) / std::max(libres, 1) : linea / n;
    for (double& a : anchos)
        if (a < 0) a = resto;
    return anchos;
}

void DocumentoPropio::fijarAnchosPx(QTextTable* t, const std::vector<double>& anchos) {
    QList<QTextLength> restricciones;
    for (double a : anchos)
        restricciones.append(QTextLength(QTextLength::FixedLength, a));
    QTextTableFormat f = t->format();
    f.setColumnWidthConstraints(restricciones);
    formateando_ = true;
    t->setFormat(f);
    formateando_ = false;
}

void DocumentoPropio::agregarTabla(int filas, int columnas) {
    comprobarDocumento();
    if (filas < 1 || columnas < 1 || columnas > 63)
        throw errorOtro("El número de filas o de columnas no es válido.");
    Ocupado o(ocupado_);
    QTextCursor c(doc_);
    c.setPosition(cursor_.selectionStart());
    QTextTableFormat f;
    f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    f.setCellPadding(kRellenoCelda);
    f.setCellSpacing(0);
    f.setBorderCollapse(true);
    f.setBorder(kGrosorBorde);
    f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    f.setBorderBrush(Qt::black);
    f.setProperty(kPropiedadAutoajuste, false);
    QTextTable* t = c.insertTable(filas, columnas, f);
    fijarAnchosPx(t, std::vector<double>(columnas, anchoLineaPx() / columnas));
    cursor_ = t->cellAt(0, 0).firstCursorPosition();
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::formatoTabla(bool cuadricula) {
    QTextTable* t = tablaSeleccion();
    QTextTableFormat f = t->format();
    f.setBorder(cuadricula ? kGrosorBorde : 0);
    f.setBorderStyle(cuadricula ? QTextFrameFormat::BorderStyle_Solid
                                : QTextFrameFormat::BorderStyle_None);
    f.setProperty(kPropiedadAutoajuste, false);
    formateando_ = true;
    t->setFormat(f);
    formateando_ = false;
}

void DocumentoPropio::permitirAutoajuste() {
    QTextTable* t = tablaSeleccion();
    QTextTableFormat f = t->format();
    f.setProperty(kPropiedadAutoajuste, true);
    formateando_ = true;
    t->setFormat(f);
    formateando_ = false;
}

// The window always draws a table's cell edges: nothing to switch on.
void DocumentoPropio::mostrarLineasDeTabla() {
    comprobarDocumento();
}

int DocumentoPropio::filasTabla() {
    return tablaSeleccion()->rows();
}

int DocumentoPropio::columnasTabla() {
    return tablaSeleccion()->columns();
}

void DocumentoPropio::agregarFila() {
    QTextTable* t = nullptr;
    const QTextTableCell celda = primeraCelda(&t);
    const int fila = celda.row(), columna = celda.column();
    Ocupado o(ocupado_);
    t->appendRows(1);
    // The selection stays in its cell, as in a word processor.
    cursor_ = t->cellAt(fila, columna).firstCursorPosition();
    seleccionTocada();
}

void DocumentoPropio::agregarColumna() {
    QTextTable* t = tablaSeleccion();
    Ocupado o(ocupado_);
    std::vector<double> anchos = anchosPx(t);
    anchos.push_back(anchos.back()); // as wide as the last one
    const QTextTableCell celda = primeraCelda();
    const int fila = celda.row(), columna = celda.column();
    t->appendColumns(1);
    fijarAnchosPx(t, anchos);
    // The selection stays in its cell, as in a word processor.
    cursor_ = t->cellAt(fila, columna).firstCursorPosition();
    seleccionTocada();
}

void DocumentoPropio::igualarColumnas() {
    QTextTable* t = tablaSeleccion();
    std::vector<double> anchos = anchosPx(t);
    const double total = std::accumulate(anchos.begin(), anchos.end(), 0.0);
    std::fill(anchos.begin(), anchos.end(), total / anchos.size());
    fijarAnchosPx(t, anchos);
}

bool DocumentoPropio::bordeVisible(int borde) {
    QTextTable* t = tablaSeleccion();
    if (borde > -1 || borde < -6) throw errorOtro("No existe ese borde.");
    const QTextTableFormat f = t->format();
    return f.border() > 0 && f.borderStyle() != QTextFrameFormat::BorderStyle_None;
}

int DocumentoPropio::filaCelda() {
    return primeraCelda().row() + 1;
}

int DocumentoPropio::columnaCelda() {
    return primeraCelda().column() + 1;
}

void DocumentoPropio::moverCeldas(int n) {
    QTextTable* t = nullptr;
    const QTextTableCell actual = primeraCelda(&t);
    const std::vector<QTextTableCell> celdas = celdasEnOrden(t);
    int i = 0;
    while (i < static_cast<int>(celdas.size()) && celdas[i] != actual)
        ++i;
    i = std::clamp(i + n, 0, static_cast<int>(celdas.size()) - 1);
    cursor_ = celdas[i].firstCursorPosition();
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::expandir(Unidad unidad) {
    QTextTable* t = nullptr;
    const QTextTableCell celda = primeraCelda(&t);
    int f0 = 0, c0 = 0, f1 = t->rows() - 1, c1 = t->columns() - 1;
    if (unidad == Unidad::columna) c0 = c1 = celda.column();
    if (unidad == Unidad::fila) f0 = f1 = celda.row();
    cursor_.setPosition(t->cellAt(f0, c0).firstPosition());
    cursor_.setPosition(t->cellAt(f1, c1).lastPosition(), QTextCursor::KeepAnchor);
    expansion_ = Expansion{unidad, cursor_.anchor(), cursor_.position()};
    seleccionTocada();
}

void DocumentoPropio::borrarCeldasSeleccionadas() {
    QTextTable* t = nullptr;
    const QTextTableCell primera = primeraCelda(&t);
    // The cell itself may go: keep where it was.
    const int filaPrimera = primera.row(), colPrimera = primera.column();
    int fila = filaPrimera, filas = 1, col = colPrimera, cols = 1;
    if (expansion_ && expansion_->ancla == cursor_.anchor() &&
        expansion_->posicion == cursor_.position()) {
        if (expansion_->unidad != Unidad::fila) fila = 0, filas = t->rows();
        if (expansion_->unidad != Unidad::columna) col = 0, cols = t->columns();
    } else if (cursor_.hasComplexSelection()) {
        cursor_.selectedTableCells(&fila, &filas, &col, &cols);
    }
    Ocupado o(ocupado_);
    const bool todasLasFilas = fila == 0 && filas == t->rows();
    const bool todasLasColumnas = col == 0 && cols == t->columns();
    if (todasLasFilas && todasLasColumnas) {
        // The whole table goes; the cursor stays where it stood.
        QTextCursor c(doc_);
        c.setPosition(t->firstPosition() - 1);
        c.setPosition(t->lastPosition() + 1, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        cursor_ = c;
    } else if (todasLasColumnas) {
        t->removeRows(fila, filas);
        cursor_ = t->cellAt(std::min(fila, t->rows() - 1), colPrimera).firstCursorPosition();
    } else if (todasLasFilas) {
        t->removeColumns(col, cols);
        cursor_ = t->cellAt(filaPrimera, std::min(col, t->columns() - 1)).firstCursorPosition();
    } else {
        // Cells that are not whole rows or columns only lose their text.
        for (int r = fila; r < fila + filas; ++r)
            for (int c = col; c < col + cols; ++c) {
                const QTextTableCell celda = t->cellAt(r, c);
                QTextCursor cc(doc_);
                cc.setPosition(celda.firstPosition());
                cc.setPosition(celda.lastPosition(), QTextCursor::KeepAnchor);
                cc.removeSelectedText();
            }
        cursor_ = t->cellAt(fila, col).firstCursorPosition();
    }
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::vaciarPrimeraCelda() {
    const QTextTableCell celda = primeraCelda();
    Ocupado o(ocupado_);
    QTextCursor c(doc_);
    c.setPosition(celda.firstPosition());
    c.setPosition(celda.lastPosition(), QTextCursor::KeepAnchor);
    c.removeSelectedText();
    seleccionTocada();
}

void DocumentoPropio::sombrearPrimeraCelda(int textura) {
    QTextTableCell celda = primeraCelda();
    if (textura < 0 || textura > 1000) throw errorOtro("Textura no válida.");
    QTextTableCellFormat f = celda.format().toTableCellFormat();
    if (textura == 0) {
        f.clearBackground();
        f.clearProperty(kPropiedadTextura);
    } else {
        // Texture in tenths of a percent of black over white.
        const int gris = 255 - static_cast<int>(std::lround(255.0 * textura / 1000.0));
        f.setBackground(QColor(gris, gris, gris));
        f.setProperty(kPropiedadTextura, textura);
    }
    formateando_ = true;
    celda.setFormat(f);
    formateando_ = false;
}

void DocumentoPropio::marcarCelda() {
    // One cell carries the mark at a time.
    desmarcarCelda();
    const QTextTableCell celda = primeraCelda();
    const QTextTableCellFormat antes = celda.format().toTableCellFormat();
    Marca m;
    m.celda = celda.firstCursorPosition();
    if (antes.hasProperty(QTextFormat::BackgroundBrush)) m.fondo = antes.background();
    m.textura = antes.property(kPropiedadTextura);
    sombrearPrimeraCelda(200);
    marca_ = std::move(m);
}

void DocumentoPropio::desmarcarCelda() {
    if (!marca_) return;
    const Marca m = std::move(*marca_);
    marca_.reset();
    // The cell may be gone, with its table or the document's text.
    if (!abierto_ || m.celda.isNull() || m.celda.document() != doc_) return;
    QTextTable* t = m.celda.currentTable();
    if (t == nullptr) return;
    QTextTableCell celda = t->cellAt(m.celda);
    if (!celda.isValid()) return;
    QTextTableCellFormat f = celda.format().toTableCellFormat();
    if (m.fondo)
        f.setBackground(*m.fondo);
    else
        f.clearBackground();
    if (m.textura.isValid())
        f.setProperty(kPropiedadTextura, m.textura);
    else
        f.clearProperty(kPropiedadTextura);
    formateando_ = true;
    celda.setFormat(f);
    formateando_ = false;
}

float DocumentoPropio::anchoColumna() {
    QTextTable* t = nullptr;
    const QTextTableCell celda = primeraCelda(&t);
    return static_cast<float>(anchosPx(t)[celda.column()] / kPxPorPunto);
}

void DocumentoPropio::fijarAnchoColumna(float puntos) {
    QTextTable* t = nullptr;
    const QTextTableCell celda = primeraCelda(&t);
    if (!(puntos > 0)) throw errorOtro("Ancho de columna no válido.");
    std::vector<double> anchos = anchosPx(t);
    anchos[celda.column()] = puntos * kPxPorPunto;
    fijarAnchosPx(t, anchos);
}

void DocumentoPropio::ajustarAVentana() {
    QTextTable* t = tablaSeleccion();
    std::vector<double> anchos = anchosPx(t);
    const double total = std::accumulate(anchos.begin(), anchos.end(), 0.0);
    for (double& a : anchos)
        a = a * anchoLineaPx() / total;
    fijarAnchosPx(t, anchos);
}

// ---- reading back ---------------------------------------------------------

DocumentoLeido DocumentoPropio::leer() {
    cerrarLote();
    DocumentoLeido d;
    if (terminado_ || !abierto_) return d;
    d.abierto = true;
    const int cursor = cursor_.position();
    QTextCursor enCursor(doc_);
    enCursor.setPosition(cursor);
    // The cursor's table as listed: the outermost one around it.
    QTextTable* exterior = nullptr;
    for (QTextFrame* f = enCursor.currentFrame(); f && f != doc_->rootFrame(); f = f->parentFrame())
        if (auto* t = qobject_cast<QTextTable*>(f)) exterior = t;

    std::function<void(QTextFrame*)> recorrer = [&](QTextFrame* marco) {
        for (auto it = marco->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* hijo = it.currentFrame()) {
                auto* t = qobject_cast<QTextTable*>(hijo);
                if (!t) {
                    recorrer(hijo);
                    continue;
                }
                TablaLeida tl;
                tl.despuesDe = static_cast<int>(d.parrafos.size()) - 1;
                tl.filas = t->rows();
                tl.columnas = t->columns();
                const QTextTableFormat tf = t->format();
                tl.cuadricula =
                    tf.border() > 0 && tf.borderStyle() != QTextFrameFormat::BorderStyle_None;
                for (double a : anchosPx(t))
                    tl.anchos.push_back(a / kPxPorPunto);
                tl.texto.assign(tl.filas, std::vector<std::string>(tl.columnas));
                tl.parrafos.assign(tl.filas, std::vector<std::vector<ParrafoLeido>>(tl.columnas));
                for (int r = 0; r < tl.filas; ++r)
                    for (int c = 0; c < tl.columnas; ++c) {
                        const QTextTableCell celda = t->cellAt(r, c);
                        tl.texto[r][c] = textoCelda(celda, doc_);
                        for (QTextBlock b = celda.firstCursorPosition().block();
                             b.isValid() && b.position() <= celda.lastPosition(); b = b.next())
                            tl.parrafos[r][c].push_back(parrafoDe(b, *doc_));
                        if (celda.row() == r && celda.column() == c &&
                            celda.format().intProperty(kPropiedadTextura) == 200)
                            tl.sombreadas.emplace_back(r + 1, c + 1);
                    }
                if (t == exterior) {
                    const QTextTableCell celda = t->cellAt(cursor);
                    d.tablaCursor = std::vector<int>{static_cast<int>(d.tablas.size()),
                                                     celda.row() + 1, celda.column() + 1};
                }
                d.tablas.push_back(std::move(tl));
            } else {
                const QTextBlock b = it.currentBlock();
                if (!exterior && b.contains(cursor))
                    d.parrafoCursor = static_cast<int>(d.parrafos.size());
                d.parrafos.push_back(parrafoDe(b, *doc_));
            }
        }
    };
    recorrer(doc_->rootFrame());
    return d;
}

// ---- what the pupil does --------------------------------------------------

void DocumentoPropio::escribir(const std::string& texto) {
    cerrarLote();
    if (terminado_ || !abierto_) return;
    Ocupado o(ocupado_);
    QTextCursor c = cursor_;
    c.beginEditBlock();
    if (c.hasSelection()) c.removeSelectedText(); // typing replaces the selection
    insertarConSaltos(c, QString::fromStdString(texto));
    c.endEditBlock();
    cursor_ = c;
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::moverCursor(int caracteres) {
    cerrarLote();
    if (terminado_ || !abierto_) return;
    // The least int has no positive counterpart; no document is that long.
    const int cuantos = caracteres < 0 ? -std::max(caracteres, -INT_MAX) : caracteres;
    cursor_.movePosition(caracteres < 0 ? QTextCursor::PreviousCharacter
                                        : QTextCursor::NextCharacter,
                         QTextCursor::MoveAnchor, cuantos);
    expansion_.reset();
    seleccionTocada();
}

void DocumentoPropio::vaciarDocumento() {
    Ocupado o(ocupado_);
    doc_->clear();
    doc_->setDefaultFont(fuentePorDefecto());
    if (!archivo_.isEmpty()) {
        archivo_.clear();
        incompleto_ = false;
        emit archivoCambiado();
    }
    aplicarPagina();
    doc_->setModified(false);
    cursor_ = QTextCursor(doc_);
    expansion_.reset();
    revisarSustitutos_ = true;
}

void DocumentoPropio::cerrarDocumento() {
    cerrarLote();
    if (terminado_ || !abierto_) return;
    encolar(Evento::antesDeCerrarDocumento);
    vaciarDocumento();
    abierto_ = false;
    emit estadoCambiado();
    seleccionTocada();
}

void DocumentoPropio::nuevoDocumento() {
    cerrarLote();
    // After quitting, a new document starts the word processor again.
    terminado_ = false;
    vaciarDocumento();
    abierto_ = true;
    encolar(Evento::documentoAbierto);
    encolar(Evento::cambioDeDocumento);
    emit estadoCambiado();
    anclaVista_ = posicionVista_ = -1;
    seleccionTocada();
}

void DocumentoPropio::salir() {
    cerrarLote();
    if (terminado_) return;
    if (abierto_) encolar(Evento::antesDeCerrarDocumento);
    vaciarDocumento();
    abierto_ = false;
    terminado_ = true;
    encolar(Evento::salir);
    emit estadoCambiado();
}

PaginaOdt DocumentoPropio::paginaOdt() const {
    PaginaOdt p;
    p.ancho = ancho_;
    p.alto = kAltoA4;
    p.izquierdo = margenIzq_;
    p.derecho = margenDer_;
    p.superior = p.inferior = kMargenA4;
    return p;
}

bool DocumentoPropio::guardar(const std::string& ruta) {
    cerrarLote();
    if (terminado_ || !abierto_) return false;
    // The path is the file system's own bytes; shown and saved again as Qt reads them.
    if (!guardarOdt(*doc_, paginaOdt(), kPxPorPunto, ruta)) return false;
    const QString archivo = QFile::decodeName(QByteArray::fromStdString(ruta));
    doc_->setModified(false);
    // The document is now that file, whole.
    archivo_ = archivo;
    incompleto_ = false;
    emit archivoCambiado();
    return true;
}

LecturaOdt DocumentoPropio::abrir(const QString& ruta) {
    cerrarLote();
    // A file that cannot be read leaves the document as it was.
    const LecturaOdt l = leerOdt(ruta, *doc_, kPxPorPunto);
    if (l.hecho) ponerLeido(l, ruta);
    return l;
}

void DocumentoPropio::ponerLeido(const LecturaOdt& l, const QString& ruta) {
    // The document that was there closes; the one read opens.
    if (abierto_ && !terminado_) encolar(Evento::antesDeCerrarDocumento);
    terminado_ = false;
    abierto_ = true;
    marca_.reset();
    expansion_.reset();
    revisarSustitutos_ = true;
    // What was done to the other document cannot be undone in this one.
    doc_->setUndoRedoEnabled(false);
    doc_->setUndoRedoEnabled(true);
    if (!l.fuente) doc_->setDefaultFont(fuentePorDefecto());
    if (l.pagina) {
        ancho_ = static_cast<float>(l.pagina->ancho);
        margenIzq_ = static_cast<float>(l.pagina->izquierdo);
        margenDer_ = static_cast<float>(l.pagina->derecho);
    }
    aplicarPagina();
    doc_->setModified(false);
    cursor_ = QTextCursor(doc_);
    archivo_ = ruta;
    incompleto_ = !l.perdido.isEmpty();
    encolar(Evento::documentoAbierto);
    encolar(Evento::cambioDeDocumento);
    emit paginaCambiada();
    emit estadoCambiado();
    emit archivoCambiado();
    anclaVista_ = posicionVista_ = -1;
    seleccionTocada();
}

DocumentoPropio::Copia DocumentoPropio::copia() const {
    Copia c;
    FondoDeCelda sinMarca;
    // The mark on the cell under the document's cursor is the notebook's,
    // not the pupil's: the copy has the cell as it was.
    if (marca_ && !marca_->celda.isNull()) {
        if (QTextTable* t = marca_->celda.currentTable()) {
            const QTextTableCell celda = t->cellAt(marca_->celda);
            if (celda.isValid()) sinMarca = {celda.firstPosition(), marca_->fondo};
        }
    }
    c.partes = componerOdt(*doc_, paginaOdt(), kPxPorPunto, sinMarca);
    c.archivo = archivo_;
    c.incompleto = incompleto_;
    c.modificado = doc_->isModified();
    c.ancla = cursor_.anchor();
    c.posicion = cursor_.position();
    return c;
}

bool DocumentoPropio::restaurar(const Copia& copia) {
    cerrarLote();
    const LecturaOdt l = leerPartesOdt(copia.partes, *doc_, kPxPorPunto);
    if (!l.hecho) return false;
    ponerLeido(l, copia.archivo);
    incompleto_ = copia.incompleto;
    // Unsaved work stays unsaved: the title says so and closing asks.
    doc_->setModified(copia.modificado);
    const int fin = std::max(doc_->characterCount() - 1, 0);
    cursor_.setPosition(std::clamp(copia.ancla, 0, fin));
    cursor_.setPosition(std::clamp(copia.posicion, 0, fin), QTextCursor::KeepAnchor);
    seleccionTocada();
    return true;
}

} // namespace renglero
