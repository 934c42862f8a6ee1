#pragma once
#include <memory>

#include "programa/Opciones.h"

namespace renglero {

class Form1;
class PlataformaQt;
class VentanaQt;
class DocumentoPropio;
class VentanaDocumento;
class Word;

// The notebook on Qt: its desktop, its state and its window, built together.
// Needs a QApplication; it does not run the event loop, so a test can drive
// the window with events of its own.
class CuadernoQt {
  public:
    // Which word processor: the embedded document, LibreOffice Writer, or
    // Writer where a LibreOffice listens or can be started with a window.
    enum class Documento { propio, writer, automatico };

    explicit CuadernoQt(Documento documento = Documento::propio);
    ~CuadernoQt();
    CuadernoQt(const CuadernoQt&) = delete;
    CuadernoQt& operator=(const CuadernoQt&) = delete;

    // Creation and load, the window shown, then its first activation.
    void arrancar();

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
    std::unique_ptr<PlataformaQt> plataforma_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<DocumentoPropio> documento_;
    std::unique_ptr<VentanaDocumento> ventanaDocumento_;
    std::unique_ptr<Word> writer_;
    std::unique_ptr<VentanaQt> ventana_;
    int zoom_ = kZoomMinimo;
};

// The application's name, version and Qt's Spanish texts; after the
// QApplication exists.
void prepararAplicacion();

// Runs the notebook in its Qt window; returns the exit status.
int ejecutarVentana(int& argc, char** argv, const Opciones& opciones);

} // namespace renglero
