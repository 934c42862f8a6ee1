#pragma once
// The embedded document: the word processor that the notebook brings along.
// A QTextDocument with one cursor of its own as the selection. No widgets,
// so it also runs in the headless driver (QGuiApplication, any platform);
// its window (VentanaDocumento) shows the same document and shares the
// same cursor.
#include <QBrush>
#include <QObject>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>
#include <vector>

#include "propio/LecturaOdt.h"
#include "propio/OdtPropio.h"
#include "word/Word.h"

class QTextTable;
class QTextTableCell;

namespace renglero {

class DocumentoPropio : public QObject, public Word, public ManejoDocumento {
    Q_OBJECT

  public:
    // A4 with 2.5 cm margins, in points.
    static constexpr float kAnchoA4 = 595.3f;
    static constexpr float kAltoA4 = 841.9f;
    static constexpr float kMargenA4 = 70.87f;
    // The document's own lengths are screen pixels at 96 per inch, so that
    // its window shows it at its real size.
    static constexpr double kPxPorPunto = 96.0 / 72.0;

    // Starts with one empty document open, its cursor in its only paragraph.
    explicit DocumentoPropio(QObject* padre = nullptr);
    ~DocumentoPropio() override;

    // Word.
    void mostrarAplicacion() override;
    void suscribir(EventosWord eventos) override;
    std::string textoPrimerParrafo() override;
    void insertarTexto(const std::string& texto) override;
    void fuenteSeleccion(const std::string& nombre) override;
    void formatear(int desde, int largo, Atributo atributo, Color color = 0) override;
    void contraerSeleccion(bool alInicio) override;
    void finIgualAInicio() override;
    bool enTabla() override;
    void agregarTabla(int filas, int columnas) override;
    void formatoTabla(bool cuadricula) override;
    void permitirAutoajuste() override;
    void mostrarLineasDeTabla() override;
    int filasTabla() override;
    int columnasTabla() override;
    void agregarFila() override;
    void agregarColumna() override;
    void igualarColumnas() override;
    bool bordeVisible(int borde) override;
    int filaCelda() override;
    int columnaCelda() override;
    void moverCeldas(int n) override;
    void expandir(Unidad unidad) override;
    void borrarCeldasSeleccionadas() override;
    void vaciarPrimeraCelda() override;
    void sombrearPrimeraCelda(int textura) override;
    void marcarCelda() override;
    void desmarcarCelda() override;
    float anchoColumna() override;
    void fijarAnchoColumna(float puntos) override;
    void ajustarAVentana() override;
    Pagina pagina() override;
    DocumentoLeido leer() override;

    // ManejoDocumento.
    void escribir(const std::string& texto) override;
    void moverCursor(int caracteres) override;
    void fijarPagina(float ancho, float margenIzquierdo, float margenDerecho) override;
    void cerrarDocumento() override;
    void nuevoDocumento() override;
    void salir() override;
    bool guardar(const std::string& ruta) override;

    // For the window and the drivers.
    QTextDocument* documento() const { return doc_; }
    const QTextCursor& seleccion() const { return cursor_; }
    // The file the document was opened from or last saved to; empty for a
    // new one. Incompleto: it was opened without what the document cannot
    // show, so saving over it would lose that.
    const QString& archivo() const { return archivo_; }
    bool archivoIncompleto() const { return incompleto_; }
    // Opens an OpenDocument text file in place of the document. Where it
    // cannot be read, the document stays as it was.
    LecturaOdt abrir(const QString& ruta);
    // The document as a recovery copy keeps it: its two XML parts as it
    // would be saved, without the notebook's mark on a table cell, and
    // where it stands.
    struct Copia {
        PartesOdt partes;
        QString archivo;
        bool incompleto = false;
        bool modificado = false;
        int ancla = 0, posicion = 0;
    };
    Copia copia() const;
    // Takes a copy back; false (nothing changes) when it cannot be read.
    bool restaurar(const Copia& copia);

    // The window's cursor moved (the pupil clicked, typed or selected).
    void fijarSeleccion(const QTextCursor& cursor);
    bool abierto() const { return abierto_; }
    bool enMarcha() const { return !terminado_; }
    float anchoPagina() const { return ancho_; }
    float altoPagina() const { return kAltoA4; }
    float margenIzquierdo() const { return margenIzq_; }
    float margenDerecho() const { return margenDer_; }
    float anchoLinea() const { return ancho_ - margenIzq_ - margenDer_; }
    // In an empty table cell Qt gives new text the cell's own format, its
    // shading included; this gives the cursor a plain one instead. True
    // when it did.
    static bool limpiarFormatoDeCelda(QTextCursor& cursor);
    // The document window became the active window, or stopped being it.
    void avisarActivacion(bool activa);
    // Events are delivered as a word processor delivers them: later, on the
    // notebook's thread, from its event loop. This delivers the pending ones
    // now (for a driver's "let pending events run").
    void entregarEventos();

  signals:
    // The backend moved the selection (the window follows it).
    void seleccionMovida();
    // A document was opened or closed, or the word processor quit.
    void estadoCambiado();
    void paginaCambiada();
    void mostrarPedido();
    // The file the document belongs to changed (opened, saved as, new).
    void archivoCambiado();

  private:
    enum class Evento {
        antesDeCerrarDocumento,
        cambioDeDocumento,
        documentoAbierto,
        salir,
        ventanaActivada,
        ventanaDesactivada,
        cambioDeSeleccion
    };
    void encolar(Evento e);
    // Throws unless a document is open. Every operation but formatting
    // first ends a batch of formatting.
    void comprobarDocumento(bool formato = false);
    QTextTable* tablaSeleccion(); // throws when there is none
    QTextTableCell primeraCelda(QTextTable** tabla = nullptr);
    void abrirLote();
    void cerrarLote();
    void seleccionTocada();
    void aplicarPagina();
    void vaciarDocumento();
    PaginaOdt paginaOdt() const;
    // Puts what was read in place: a new document for the notebook's events.
    void ponerLeido(const LecturaOdt& l, const QString& ruta);
    bool haySustitutos();
    int posicionCaracter(int k);
    int largoSeleccion();
    void insertarConSaltos(QTextCursor& c, const QString& texto);
    double anchoLineaPx() const { return anchoLinea() * kPxPorPunto; }
    std::vector<double> anchosPx(QTextTable* t) const;
    void fijarAnchosPx(QTextTable* t, const std::vector<double>& anchos);

    QTextDocument* doc_;
    QTextCursor cursor_;
    // The cell that carries the mark (a cursor follows it through edits) and
    // the shading it had before.
    struct Marca {
        QTextCursor celda;
        std::optional<QBrush> fondo;
        QVariant textura;
    };
    std::optional<Marca> marca_;
    EventosWord eventos_;
    std::vector<Evento> pendientes_;
    bool entregaPedida_ = false;
    bool abierto_ = true;
    QString archivo_;
    bool incompleto_ = false;
    bool terminado_ = false;
    float ancho_ = kAnchoA4, margenIzq_ = kMargenA4, margenDer_ = kMargenA4;
    int anclaVista_ = -1, posicionVista_ = -1; // selection last reported
    bool formateando_ = false;                 // a change of format only: no new characters
    bool ocupado_ = false;                     // an operation is editing the document
    struct Ocupado {
        bool& b;
        bool antes;
        explicit Ocupado(bool& bandera) : b(bandera), antes(bandera) { b = true; }
        ~Ocupado() { b = antes; }
    };
    bool revisarSustitutos_ = true;
    bool haySustitutos_ = false;
    // The unit that the last expandir selected, while the selection stays put.
    struct Expansion {
        Unidad unidad;
        int ancla, posicion;
    };
    std::optional<Expansion> expansion_;
    // Formatting calls in a row make one edit: one undo step, one layout.
    QTextCursor lote_;
    bool loteAbierto_ = false;
};

} // namespace renglero
