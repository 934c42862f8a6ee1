#include "propio/VentanaDocumento.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
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
    setWindowTitle(QString::fromUtf8(kTitulo));
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

    auto* guardar = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(guardar, &QShortcut::activated, this, [this] { guardarComo(); });
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

void VentanaDocumento::seguirEstado() {
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

bool VentanaDocumento::guardarComo() {
    if (!documento_.abierto()) return false;
    // The user's documents folder (XDG), where the desktop has one.
    QDir carpeta(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!carpeta.exists()) carpeta = QDir::home();
    QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar el documento"),
                                                carpeta.filePath("Documento1.odt"),
                                                QStringLiteral("Documento de texto (*.odt)"));
    if (ruta.isEmpty()) return false;
    if (!ruta.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive)) ruta += QLatin1String(".odt");
    if (documento_.guardar(QFile::encodeName(ruta).toStdString())) return true;
    QMessageBox caja(QMessageBox::Warning, windowTitle(),
                     QStringLiteral("No se ha podido guardar el documento."), QMessageBox::NoButton,
                     this);
    caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    caja.exec();
    return false;
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
    if (documento_.abierto() && documento_.documento()->isModified()) {
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
        if (!pulsado || pulsado == cancelar || (pulsado == si && !guardarComo())) {
            evento->ignore();
            return;
        }
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
