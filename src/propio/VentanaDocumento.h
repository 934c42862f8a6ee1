#pragma once
// The embedded document's window: the pupil's small word processor beside
// the notebook. It shows the DocumentoPropio's own QTextDocument, and its
// text cursor is the document's selection.
#include <QWidget>

class QTextEdit;

namespace renglero {

class DocumentoPropio;

class VentanaDocumento : public QWidget {
    Q_OBJECT

  public:
    // The title of a new document; one opened or saved shows its file's
    // name instead of "Documento1", and an asterisk after it while it has
    // unsaved changes.
    static constexpr const char* kTitulo = "Documento1 - Renglero";

    // A top-level window; it follows the document (opened, closed, quit,
    // page, selection) and tells it the pupil's moves and its activation.
    explicit VentanaDocumento(DocumentoPropio& documento, QWidget* padre = nullptr);

    QTextEdit* editor() const { return editor_; }
    // Ctrl+S: saves to the document's file; the first time, or where the
    // file was opened without what the document cannot show, as Ctrl+Mayús+S.
    // True when saved.
    bool guardar();
    // Ctrl+Mayús+S: asks for a file name and saves as .odt. True when saved.
    bool guardarComo();
    // Ctrl+O: offers to save the changes, asks for an .odt file and opens it.
    // True when one was opened.
    bool abrir();
    // Ctrl+P: the print dialog, then the document on an A4 page.
    void imprimir();

  protected:
    void closeEvent(QCloseEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void seguirSeleccion();
    void seguirEstado();
    void seguirPagina();
    void seguirTitulo();
    // Asks whether to save the changes; false when the pupil cancels.
    bool ofrecerGuardar();
    void avisar(const QString& texto, bool aviso = true);
    QString carpetaDeDocumentos() const;

    DocumentoPropio& documento_;
    QTextEdit* editor_;
    bool siguiendo_ = false;  // the editor is taking the document's selection
    bool terminando_ = false; // closing because the word processor quits
    bool activa_ = false;
};

} // namespace renglero
