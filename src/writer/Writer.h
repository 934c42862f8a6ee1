#pragma once
// LibreOffice Writer as the notebook's word processor, driven over UNO. The
// document is Writer's current text document; its view cursor is the
// selection. Every call throws ErrorWord: sinDocumento when Writer has no
// text document open (or is not running any more), otro for the rest.
//
// Threads: Writer's events arrive on UNO's threads. They are never run
// there: each is handed to the poster given at construction, which must be
// callable from any thread and run what it is given later on the notebook's
// thread (the Qt door queues it on the event loop, the headless driver keeps
// it until it drains its queue). The handlers of suscribir() therefore run
// on the notebook's thread only.
#include <functional>
#include <memory>
#include <string>

#include "word/Word.h"
#include "writer/ConexionWriter.h"

namespace renglero {

class Writer : public Word, public ManejoDocumento {
  public:
    using Poster = std::function<void(std::function<void()>)>;

    // Nothing is connected yet: mostrarAplicacion() joins or starts
    // LibreOffice (arrancar = false only joins one that listens already);
    // every other call joins one that listens, without starting it.
    Writer(std::string tubo, Poster poster, bool arrancar = true);
    ~Writer() override;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    ConexionWriter& conexion() { return *conexion_; }
    // Takes over a connection to the same pipe made elsewhere (on another
    // thread, so that the notebook's window did not wait for it).
    void adoptarConexion(std::unique_ptr<ConexionWriter> conexion);
    // The X11 window of the current document's frame (the document that the
    // pupil last had in front, the one F9 writes into); 0 when there is none
    // or it is no X11 window (a Writer running on Wayland).
    unsigned long ventanaDelDocumento();
    // Joins the LibreOffice on the pipe again after it went away.
    bool reconectar();
    // The last connection attempt found no soffice to start.
    bool noInstalado() const { return noInstalado_; }

    // Word.
    void mostrarAplicacion() override;
    void suscribir(EventosWord eventos) override;
    std::string textoPrimerParrafo() override;
    void insertarTexto(const std::string& texto) override;
    void fuenteSeleccion(const std::string& nombre) override;
    void formatear(int desde, int largo, Atributo atributo, Color color = 0) override;
    void contraerSeleccion(bool alInicio) override;
    void finIgualAInicio() override;
    // The whole block with one insertion, however many runs it has.
    void insertarBloque(const std::string& texto, const std::string& fuente,
                        const std::vector<FormatoCaracter>& formatos) override;
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

    // ManejoDocumento. nuevoDocumento() opens a document like the embedded
    // one's first: A4, 2.5 cm margins, Times New Roman 12 points.
    void escribir(const std::string& texto) override;
    void moverCursor(int caracteres) override;
    void fijarPagina(float ancho, float margenIzquierdo, float margenDerecho) override;
    void cerrarDocumento() override;
    void nuevoDocumento() override;
    void salir() override;
    bool guardar(const std::string& ruta) override;

    // The UNO side (writer/uno.h).
    struct Estado;

  private:
    template <class F> auto proteger(F&& f) -> decltype(f());
    [[noreturn]] void fallo(const std::string& que);
    void conectarSiHaceFalta();
    void documento(); // sets the current document in estado_, or throws
    void terminarLote();
    void prepararLote();
    void engancharAplicacion();
    void engancharSeleccion();
    void soltarDocumento();
    void soltarAplicacion();
    void soltarConexion();

    Poster poster_;
    bool arrancar_;
    bool noInstalado_ = false;
    std::unique_ptr<ConexionWriter> conexion_;
    std::unique_ptr<Estado> estado_;

    friend struct OperacionesTabla;
};

} // namespace renglero
