#pragma once
// The word processor as the notebook sees it: the operations of its
// automation component. Every call can fail with ErrorWord, which tells "no
// document open" apart from every other failure. Texts are UTF-8; a
// character number k counts the characters (code points) of the selection
// from 1. Nothing outside the backends touches a document.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Colores.h"

namespace renglero {

class ErrorWord : public std::runtime_error {
  public:
    // arrancando: the word processor is still being joined or started and
    // cannot be asked yet. noResponde: it did not answer within the time a
    // call may take (it hangs, or is stopped); cerrado: it has gone (it
    // crashed, or was killed) and can be started again.
    enum class Tipo { sinDocumento, otro, arrancando, noResponde, cerrado };
    ErrorWord(Tipo tipo, const std::string& que) : std::runtime_error(que), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

  private:
    Tipo tipo_;
};

// Page metrics of the active document, in points.
struct Pagina {
    float ancho = 0;
    float margenIzquierdo = 0;
    float margenDerecho = 0;
};

// One character attribute that the notebook switches on.
enum class Atributo {
    simbolo,
    superindice,
    subindice,
    negrita,
    subrayado,
    tachado,
    cursiva,
    color
};

// What the notebook switches on for one character of a block it sends.
struct FormatoCaracter {
    bool simbolo = false, superindice = false, subindice = false, negrita = false,
         subrayado = false, tachado = false, cursiva = false;
    std::optional<Color> color;
    bool operator==(const FormatoCaracter&) const = default;
};

// Units to which a selection in a table is expanded.
enum class Unidad { columna = 9, fila = 10, tabla = 15 };

// The word processor's application events, delivered on the notebook's
// thread.
struct EventosWord {
    std::function<void()> antesDeCerrarDocumento;
    std::function<void()> cambioDeDocumento;
    std::function<void()> documentoAbierto;
    std::function<void()> salir;
    std::function<void()> ventanaActivada;
    std::function<void()> ventanaDesactivada;
    std::function<void()> cambioDeSeleccion;
};

// A document read back, for tests and for the headless driver.
struct TramoLeido {
    int inicio = 0, largo = 0;
    std::string fuente;
    bool negrita = false, cursiva = false, subrayado = false, tachado = false;
    bool superindice = false, subindice = false;
    std::optional<Color> color;
};
struct ParrafoLeido {
    std::string texto;
    std::vector<TramoLeido> tramos;
};
struct TablaLeida {
    int despuesDe = -1; // index of the paragraph the table follows
    int filas = 0, columnas = 0;
    bool cuadricula = true;
    std::vector<double> anchos;
    std::vector<std::pair<int, int>> sombreadas; // 1-based (row, column)
    std::vector<std::vector<std::string>> texto;
    // Each cell's paragraphs with their runs, by row and column.
    std::vector<std::vector<std::vector<ParrafoLeido>>> parrafos;
};
struct DocumentoLeido {
    bool abierto = false;
    std::string idioma; // the text's language, as "es-ES"; "" where not known
    std::vector<ParrafoLeido> parrafos;
    std::vector<TablaLeida> tablas;
    int parrafoCursor = -1;                      // -1 when the cursor is in a table
    std::optional<std::vector<int>> tablaCursor; // table index, 1-based row and column
};

class Word {
  public:
    virtual ~Word() = default;

    // Application.
    virtual void mostrarAplicacion() = 0;
    virtual void suscribir(EventosWord eventos) = 0;

    // Selection and text.
    virtual std::string textoPrimerParrafo() = 0; // ends with its paragraph mark "\r"
    // "\r" is a paragraph break; the selection then spans the new text.
    virtual void insertarTexto(const std::string& texto) = 0;
    virtual void fuenteSeleccion(const std::string& nombre) = 0;
    // Switches one attribute on for characters desde .. desde + largo - 1 of
    // the selection (color: the given colour).
    virtual void formatear(int desde, int largo, Atributo atributo, Color color = 0) = 0;
    virtual void contraerSeleccion(bool alInicio) = 0;
    virtual void finIgualAInicio() = 0;
    // A whole block: the text inserted at the selection in the font given,
    // then for each character k (formatos[k - 1]) what differs from plain
    // text switched on; the selection then spans the block. By default
    // through the calls above, one formatear per run of characters that
    // switch on the same attribute; a backend may do it in fewer calls.
    virtual void insertarBloque(const std::string& texto, const std::string& fuente,
                                const std::vector<FormatoCaracter>& formatos);

    // Tables.
    virtual bool enTabla() = 0;
    // A table at the selection; grid lines shown or not, auto-fit off,
    // preferred width in percent.
    virtual void agregarTabla(int filas, int columnas) = 0;
    virtual void formatoTabla(bool cuadricula) = 0;
    virtual void permitirAutoajuste() = 0;
    virtual void mostrarLineasDeTabla() = 0;
    virtual int filasTabla() = 0;
    virtual int columnasTabla() = 0;
    virtual void agregarFila() = 0;
    virtual void agregarColumna() = 0;
    virtual void igualarColumnas() = 0;
    virtual bool bordeVisible(int borde) = 0; // -1 top, -5 inside horizontal
    virtual int filaCelda() = 0;              // 1-based
    virtual int columnaCelda() = 0;           // 1-based
    virtual void moverCeldas(int n) = 0;      // negative = back
    virtual void expandir(Unidad unidad) = 0;
    virtual void borrarCeldasSeleccionadas() = 0;
    virtual void vaciarPrimeraCelda() = 0;
    virtual void sombrearPrimeraCelda(int textura) = 0; // 0 or 200 (20 %)
    // The cell mark. marcarCelda shades the first cell of the selection (the
    // mark leaves any other cell first); desmarcarCelda takes it off the cell
    // that carries it, wherever the selection has gone since (the pupil's
    // click, keys, another program, another document in front). By default
    // both shade the selection's first cell, as the texture calls do.
    virtual void marcarCelda() { sombrearPrimeraCelda(200); }
    virtual void desmarcarCelda() { sombrearPrimeraCelda(0); }
    virtual float anchoColumna() = 0; // points
    virtual void fijarAnchoColumna(float puntos) = 0;
    virtual void ajustarAVentana() = 0;

    virtual Pagina pagina() = 0;

    // The whole document, as read back.
    virtual DocumentoLeido leer() = 0;
};

// What the pupil does in the document: typing, moving, page set-up, closing,
// saving. The document's own window and the headless driver use it.
class ManejoDocumento {
  public:
    virtual ~ManejoDocumento() = default;
    virtual void escribir(const std::string& texto) = 0; // "\n" = paragraph break
    virtual void moverCursor(int caracteres) = 0;        // negative = back
    virtual void fijarPagina(float ancho, float margenIzquierdo, float margenDerecho) = 0;
    virtual void cerrarDocumento() = 0;                // no document open afterwards
    virtual void nuevoDocumento() = 0;                 // a new empty one
    virtual void salir() = 0;                          // the word processor quits
    virtual bool guardar(const std::string& ruta) = 0; // .odt; ruta in the file system's bytes
};

} // namespace renglero
