#pragma once
// LibreOffice Writer as the notebook's word processor, driven over UNO. The
// document is Writer's current text document; its view cursor is the
// selection. Every call throws ErrorWord: sinDocumento when Writer has no
// text document open, cerrado when the LibreOffice it worked with has gone
// (crashed, killed, quit), arrancando while it is being started, noResponde
// when it does not answer within the deadline, otro for the rest.
//
// Threads: every call into LibreOffice runs on the backend's own thread
// (writer/HiloWriter.h); the caller waits no longer than the deadline given
// at construction. What the pupil does in Writer (documents, selection,
// window) the backend finds by looking, on that thread, while idle and after
// its own calls; LibreOffice's end arrives on one of UNO's threads. Either way
// the handler is handed to the poster given at construction, which must be
// callable from any thread and run what it is given later on the notebook's
// thread (the Qt door queues it on the event loop, the headless driver
// keeps it until it drains its queue). The handlers of suscribir() therefore
// run on the notebook's thread only.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "word/Word.h"
#include "writer/ConexionWriter.h"

namespace renglero {

class HiloWriter;

class Writer : public Word, public ManejoDocumento {
  public:
    using Poster = std::function<void(std::function<void()>)>;

    // How long a caller waits for LibreOffice by default: tools and tests,
    // which can wait; the notebook's window gives its own, short one.
    static constexpr std::chrono::milliseconds kPlazoPorDefecto = std::chrono::seconds(60);
    // How long a restarted LibreOffice may take to answer on its pipe.
    static constexpr std::chrono::milliseconds kEsperaArranque = std::chrono::seconds(120);
    // How often, while idle, the backend looks at what the pupil does in
    // Writer (at the selection also after each call).
    static constexpr std::chrono::milliseconds kCadaSondeo = std::chrono::milliseconds(200);

    // Nothing is connected yet: mostrarAplicacion() joins LibreOffice, or
    // (arrancar) starts it in the background as adoptarConexion() goes on;
    // every other call joins one that listens, without starting it.
    Writer(std::string tubo, Poster poster, bool arrancar = true,
           std::chrono::milliseconds plazo = kPlazoPorDefecto);
    // Lets go of LibreOffice (terminar) and waits for the backend's thread.
    ~Writer() override;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Lets go of LibreOffice within the deadline and ends the backend's
    // thread. False when LibreOffice does not answer: the thread still uses
    // this object, which must then be left alone, never destroyed.
    bool terminar();
    // Takes over a connection to the same pipe made elsewhere (on another
    // thread, so that the notebook's window did not wait for it); calls say
    // that Writer is starting until it has a document to work with: the one
    // the pupil has in front, or a new one where Writer has none.
    void adoptarConexion(std::unique_ptr<ConexionWriter> conexion);
    // The X11 window of the current document's frame (the document that the
    // pupil last had in front, the one F9 writes into); 0 when there is none
    // or it is no X11 window (a Writer running on Wayland).
    unsigned long ventanaDelDocumento();
    // Joins the LibreOffice on the pipe again after it went away.
    bool reconectar();
    // The last start found no soffice to start.
    bool noInstalado() const { return noInstalado_; }

    // The language of the document that the notebook makes where Writer has
    // none, from the pupil's locale (LC_ALL, LC_MESSAGES, LANG, the first
    // one set): "es" and its country for a Spanish one, es-ES where none is
    // set (or "C", "POSIX"); nothing (Writer's own default) otherwise.
    struct Idioma {
        std::string lengua, pais;
        bool operator==(const Idioma&) const = default;
    };
    static std::optional<Idioma> idiomaDelDocumento(const char* lcAll, const char* lcMessages,
                                                    const char* lang);

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
    // Runs `f` on the backend's thread within the deadline (and `mas`), its
    // UNO failures made ErrorWord; while LibreOffice is being started it
    // throws at once.
    template <class F>
    auto llamar(F f, std::chrono::milliseconds mas = std::chrono::milliseconds(0)) -> decltype(f());
    template <class F> auto proteger(F&& f) -> decltype(f());
    [[noreturn]] void fallo(const std::string& que);
    void conectarSiHaceFalta();
    void documento(); // sets the current document in estado_, or throws
    void terminarLote();
    void prepararLote();
    void engancharAplicacion();
    // The view of estado_->modelo, as it stands now.
    void tomarVista();
    // Looks at what the pupil did in Writer and tells it to the handlers:
    // the selection, and with `todo` the documents and the window too.
    void sondear(bool todo) noexcept;
    void mirarDocumentos();
    void mirarVentana();
    // The selection is not where the last look saw it; the first look only
    // takes it.
    bool seleccionMovida();
    void soltarDocumento();
    void soltarAplicacion();
    void soltarConexion();
    // On the backend's thread, while calls say that Writer is starting:
    // LibreOffice joined or started, then a text document to work with.
    void arrancarEnSegundoPlano(bool conectar);
    void esperarDocumento();
    // Whether Writer has a text document with a window to work in; an empty
    // one takes the pupil's language.
    bool adoptarDocumentoDeTexto();
    bool muestraCentroDeInicio();
    void crearDocumento();

    Poster poster_;
    bool arrancar_;
    std::chrono::milliseconds plazo_;
    std::atomic<bool> noInstalado_{false};
    std::atomic<bool> arrancando_{false};
    std::atomic<bool> cancelado_{false};
    bool terminado_ = false;
    std::unique_ptr<ConexionWriter> conexion_;
    std::unique_ptr<Estado> estado_;
    std::unique_ptr<HiloWriter> hilo_;

    friend struct OperacionesTabla;
};

} // namespace renglero
