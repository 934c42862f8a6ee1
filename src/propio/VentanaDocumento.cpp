#include "propio/VentanaDocumento.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "propio/DocumentoPropio.h"

namespace renglero {

VentanaDocumento::VentanaDocumento(DocumentoPropio& documento, QWidget* padre)
    : QWidget(padre, Qt::Window), documento_(documento), editor_(new QTextEdit(this)) {
    seguirTitulo();
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(0, 0, 0, 0);
    disposicion->addWidget(editor_);
    editor_->setDocument(documento_.documento());
    // The editor passes its own font to the document on every font change;
    // giving it the document's keeps the document's default font.
    editor_->setFont(documento_.documento()->defaultFont());
    editor_->setLineWrapMode(QTextEdit::FixedPixelWidth);
    editor_->installEventFilter(this);
    editor_->setTextCursor(documento_.seleccion());
    seguirPagina();
    seguirEstado();

    connect(editor_, &QTextEdit::cursorPositionChanged, this, [this] {
        if (!siguiendo_) documento_.fijarSeleccion(editor_->textCursor());
    });
    connect(editor_, &QTextEdit::selectionChanged, this, [this] {
        if (!siguiendo_) documento_.fijarSeleccion(editor_->textCursor());
    });
    connect(&documento_, &DocumentoPropio::seleccionMovida, this,
            &VentanaDocumento::seguirSeleccion);
    connect(&documento_, &DocumentoPropio::estadoCambiado, this, &VentanaDocumento::seguirEstado);
    connect(&documento_, &DocumentoPropio::paginaCambiada, this, &VentanaDocumento::seguirPagina);
    connect(&documento_, &DocumentoPropio::mostrarPedido, this, [this] {
        show();
        raise();
    });
    connect(&documento_, &DocumentoPropio::archivoCambiado, this, &VentanaDocumento::seguirTitulo);
    connect(documento_.documento(), &QTextDocument::modificationChanged, this,
            &VentanaDocumento::seguirTitulo);

    auto* guardar = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(guardar, &QShortcut::activated, this, [this] { this->guardar(); });
    auto* guardarComo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    connect(guardarComo, &QShortcut::activated, this, [this] { this->guardarComo(); });
    auto* abrir = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(abrir, &QShortcut::activated, this, [this] { this->abrir(); });
    auto* imprimir = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(imprimir, &QShortcut::activated, this, &VentanaDocumento::imprimir);
}

bool VentanaDocumento::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == editor_ &&
        (evento->type() == QEvent::KeyPress || evento->type() == QEvent::InputMethod)) {
        QTextCursor c = editor_->textCursor();
        if (DocumentoPropio::limpiarFormatoDeCelda(c))
            editor_->setCurrentCharFormat(c.charFormat());
    }
    return QWidget::eventFilter(objeto, evento);
}

void VentanaDocumento::seguirSeleccion() {
    const QTextCursor& s = documento_.seleccion();
    const QTextCursor e = editor_->textCursor();
    if (e.anchor() == s.anchor() && e.position() == s.position()) return;
    siguiendo_ = true;
    editor_->setTextCursor(documento_.seleccion());
    editor_->ensureCursorVisible();
    siguiendo_ = false;
}

void VentanaDocumento::seguirTitulo() {
    const QString nombre = documento_.archivo().isEmpty()
                               ? QStringLiteral("Documento1")
                               : QFileInfo(documento_.archivo()).fileName();
    const bool cambios = documento_.documento()->isModified();
    setWindowTitle(nombre + (cambios ? QStringLiteral("*") : QString()) +
                   QStringLiteral(" - Renglero"));
}

void VentanaDocumento::seguirEstado() {
    // An opened document may have a default font of its own.
    editor_->setFont(documento_.documento()->defaultFont());
    // With no document open there is nothing to write on.
    editor_->setReadOnly(!documento_.abierto());
    editor_->setEnabled(documento_.abierto());
    seguirSeleccion();
    if (!documento_.enMarcha() && !terminando_) {
        terminando_ = true;
        close();
    }
}

void VentanaDocumento::seguirPagina() {
    // The page as wide as on paper: margins are the root frame's.
    const int ancho = static_cast<int>(documento_.anchoPagina() * DocumentoPropio::kPxPorPunto);
    editor_->setLineWrapColumnOrWidth(ancho);
    resize(std::max(width(), ancho + 40), std::max(height(), 600));
}

// The user's documents folder (XDG), where the desktop has one.
QString VentanaDocumento::carpetaDeDocumentos() const {
    QDir carpeta(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!carpeta.exists()) carpeta = QDir::home();
    return carpeta.absolutePath();
}

void VentanaDocumento::avisar(const QString& texto, bool aviso) {
    QMessageBox caja(aviso ? QMessageBox::Warning : QMessageBox::Information,
                     QStringLiteral("Renglero"), texto, QMessageBox::NoButton, this);
    caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    caja.exec();
}

bool VentanaDocumento::guardar() {
    if (!documento_.abierto()) return false;
    if (documento_.archivo().isEmpty() || documento_.archivoIncompleto()) return guardarComo();
    if (documento_.guardar(QFile::encodeName(documento_.archivo()).toStdString())) return true;
    avisar(QStringLiteral("No se ha podido guardar el documento."));
    return false;
}

bool VentanaDocumento::guardarComo() {
    if (!documento_.abierto()) return false;
    const QString propuesta = documento_.archivo().isEmpty()
                                  ? QDir(carpetaDeDocumentos()).filePath("Documento1.odt")
                                  : documento_.archivo();
    QString ruta =
        QFileDialog::getSaveFileName(this, QStringLiteral("Guardar el documento"), propuesta,
                                     QStringLiteral("Documento de texto (*.odt)"));
    if (ruta.isEmpty()) return false;
    if (!ruta.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive)) ruta += QLatin1String(".odt");
    if (documento_.guardar(QFile::encodeName(ruta).toStdString())) return true;
    avisar(QStringLiteral("No se ha podido guardar el documento."));
    return false;
}

bool VentanaDocumento::ofrecerGuardar() {
    if (!documento_.abierto() || !documento_.documento()->isModified()) return true;
    QMessageBox caja(QMessageBox::Question, windowTitle(),
                     QStringLiteral("¿Quieres guardar los cambios del documento?"),
                     QMessageBox::NoButton, this);
    QPushButton* si = caja.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    caja.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancelar = caja.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    caja.setDefaultButton(si);
    caja.setEscapeButton(cancelar);
    caja.exec();
    const auto* pulsado = caja.clickedButton();
    return pulsado && pulsado != cancelar && (pulsado != si || guardar());
}

bool VentanaDocumento::abrir() {
    if (!documento_.enMarcha() || !ofrecerGuardar()) return false;
    const QString carpeta = documento_.archivo().isEmpty()
                                ? carpetaDeDocumentos()
                                : QFileInfo(documento_.archivo()).absolutePath();
    const QString ruta =
        QFileDialog::getOpenFileName(this, QStringLiteral("Abrir un documento"), carpeta,
                                     QStringLiteral("Documento de texto (*.odt)"));
    if (ruta.isEmpty()) return false;
    const LecturaOdt l = documento_.abrir(ruta);
    if (!l.hecho) {
        avisar(QStringLiteral("No se ha podido abrir el documento «%1».\n\n%2")
                   .arg(QFileInfo(ruta).fileName(), l.error));
        return false;
    }
    if (!l.perdido.isEmpty()) {
        QString lista = l.perdido.join(QStringLiteral(", "));
        const qsizetype ultima = lista.lastIndexOf(QStringLiteral(", "));
        if (ultima >= 0) lista.replace(ultima, 2, QStringLiteral(" y "));
        avisar(QStringLiteral("Este documento tiene cosas que Renglero no puede mostrar: %1. "
                              "Se ha abierto sin ellas.\n\nPara no perderlas, al guardar "
                              "Renglero te pedirá otro nombre.")
                   .arg(lista));
    }
    return true;
}

void VentanaDocumento::imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    const double anchoPt = documento_.anchoPagina(), altoPt = documento_.altoPagina();
    // Printing adds 2 cm of its own around the text: the rest of each
    // margin goes to the page layout.
    const double propio = 72.0 * 2.0 / 2.54;
    auto resto = [&](double m) { return std::max(0.0, m - propio); };
    impresora.setPageLayout(QPageLayout(
        QPageSize(QSizeF(anchoPt, altoPt), QPageSize::Point), QPageLayout::Portrait,
        QMarginsF(resto(documento_.margenIzquierdo()), resto(DocumentoPropio::kMargenA4),
                  resto(documento_.margenDerecho()), resto(DocumentoPropio::kMargenA4)),
        QPageLayout::Point));
    QPrintDialog dialogo(&impresora, this);
    dialogo.setWindowTitle(QStringLiteral("Imprimir el documento"));
    if (dialogo.exec() == QDialog::Accepted) editor_->print(&impresora);
}

void VentanaDocumento::closeEvent(QCloseEvent* evento) {
    if (terminando_ || !documento_.enMarcha()) {
        evento->accept();
        return;
    }
    if (!ofrecerGuardar()) {
        evento->ignore();
        return;
    }
    // Closing the document's window is the word processor quitting.
    terminando_ = true;
    evento->accept();
    documento_.salir();
}

void VentanaDocumento::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::ActivationChange && isActiveWindow() != activa_) {
        activa_ = isActiveWindow();
        documento_.avisarActivacion(activa_);
    }
    QWidget::changeEvent(evento);
}

} // namespace renglero
