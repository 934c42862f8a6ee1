#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class QObject;

#include "programa/Opciones.h"

namespace renglero {

class Form1;
class PlataformaQt;
class VentanaQt;
class DocumentoPropio;
class VentanaDocumento;
class Word;
class GuardiaArranque;
class Recuperacion;

// The notebook on Qt: its desktop, its state and its window, built together.
// Needs a QApplication; it does not run the event loop, so a test can drive
// the window with events of its own.
class CuadernoQt {
  public:
    // Which word processor: the embedded document, LibreOffice Writer, or
    // Writer where a LibreOffice listens or can be started with a window.
    using Documento = Opciones::Documento;

    explicit CuadernoQt(Documento documento = Documento::propio);
    ~CuadernoQt();
    CuadernoQt(const CuadernoQt&) = delete;
    CuadernoQt& operator=(const CuadernoQt&) = delete;

    // Creation and load, the window shown, then its first activation. Writer
    // is joined or started meanwhile on a thread of its own; the outcome
    // arrives through the event loop (Writer, or the embedded document when
    // none answers).
    void arrancar();
    // Keeps a recovery copy of the pupil's work in a slot of its own under
    // carpeta, after offering the copy that a notebook which ended without
    // the pupil's choice left there; after arrancar.
    void recuperar(const std::string& carpeta);
    // The notebook has ended: its copy stays unless the pupil chose the end.
    void despedir();
    Recuperacion* recuperacion() { return recuperacion_.get(); }
    // True while Writer is still being joined or started.
    bool esperandoWriter() const { return esperandoWriter_; }

    PlataformaQt& plataforma() { return *plataforma_; }
    Form1& form() { return *form_; }
    VentanaQt& ventana() { return *ventana_; }
    DocumentoPropio& documento() { return *documento_; }
    VentanaDocumento& ventanaDocumento() { return *ventanaDocumento_; }
    bool conWriter() const { return writer_ != nullptr; }
    // The window's zoom step asked for on the command line (1: normal size).
    void ponerZoom(int pasos) { zoom_ = pasos; }
    int zoom() const { return zoom_; }

  private:
    void usarDocumentoPropio();
    void empezarWriter();
    void traerWriter();
    void avisarSinX11();
    std::unique_ptr<PlataformaQt> plataforma_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<DocumentoPropio> documento_;
    std::unique_ptr<VentanaDocumento> ventanaDocumento_;
    std::unique_ptr<Word> writer_;
    std::unique_ptr<VentanaQt> ventana_;
    // Keeps the keyboard in the notebook while Writer comes up.
    std::unique_ptr<GuardiaArranque> guardia_;
    std::unique_ptr<Recuperacion> recuperacion_;
    int zoom_ = kZoomNormal;
    // Where the thread that joins Writer hands its outcome over: the
    // receiver lives on the window's thread and goes before the thread is
    // joined, so a late outcome is dropped.
    struct Buzon {
        std::mutex mutex;
        QObject* receptor = nullptr;
    };
    std::shared_ptr<Buzon> buzon_;
    std::unique_ptr<QObject> receptor_;
    std::atomic<bool> cancelarWriter_{false};
    std::thread hiloWriter_;
    bool esperandoWriter_ = false;
    bool avisadoSinX11_ = false;
    std::string tubo_;
};

// The application's name, version and Qt's Spanish texts; after the
// QApplication exists.
void prepararAplicacion();

// Runs the notebook in its Qt window; returns the exit status.
int ejecutarVentana(int& argc, char** argv, const Opciones& opciones);

} // namespace renglero
