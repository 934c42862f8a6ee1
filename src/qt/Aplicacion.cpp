#include "qt/Aplicacion.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "programa/Idioma.h"
#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"
#include "qt/ActivacionX11.h"
#include "qt/PlataformaQt.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"

#ifdef RENGLERO_CON_WRITER
#include "writer/ConexionWriter.h"
#include "writer/Writer.h"
#endif

namespace renglero {

namespace {

#ifdef RENGLERO_CON_WRITER
// Whether the installed LibreOffice can show windows: a build without any
// of its desktop plugins only runs headless, where the pupil sees nothing.
bool libreOfficeConVentanas() {
    const QString soffice = QString::fromStdString(ConexionWriter::programaSoffice());
    if (soffice.isEmpty()) return false;
    const QDir programa = QFileInfo(QFileInfo(soffice).canonicalFilePath()).dir();
    return !programa.entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty();
}

// Writer where one listens on the notebook's pipe, or where a LibreOffice
// with windows is installed and there is a desktop to show them on.
bool writerDisponible() {
    if (ConexionWriter(ConexionWriter::tuboPorDefecto()).conectar()) return true;
    const bool escritorio =
        qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    return escritorio && QGuiApplication::platformName() != QStringLiteral("offscreen") &&
           libreOfficeConVentanas();
}
#endif

} // namespace

void prepararAplicacion() {
    QApplication::setApplicationName(QStringLiteral("Renglero"));
    QApplication::setApplicationVersion(numeroVersion());
    cargarTraduccionesQt();
}

CuadernoQt::CuadernoQt(Documento documento)
    : plataforma_(std::make_unique<PlataformaQt>()), form_(std::make_unique<Form1>(*plataforma_)),
      ventana_(std::make_unique<VentanaQt>(*form_, *plataforma_)) {
#ifdef RENGLERO_CON_WRITER
    if (documento == Documento::writer ||
        (documento == Documento::automatico && writerDisponible())) {
        // Writer's events come on UNO's threads: they run on the window's.
        writer_ =
            std::make_unique<Writer>(ConexionWriter::tuboPorDefecto(), [](std::function<void()> f) {
                QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
            });
        form_->word = writer_.get();
        plataforma_->alActivarWord = [] { activarVentanaPorTitulo("LibreOffice Writer"); };
        return;
    }
#else
    (void)documento;
#endif
    usarDocumentoPropio();
}

void CuadernoQt::usarDocumentoPropio() {
    documento_ = std::make_unique<DocumentoPropio>();
    ventanaDocumento_ = std::make_unique<VentanaDocumento>(*documento_);
    form_->word = documento_.get();
    ventana_->conocerDocumento(ventanaDocumento_.get());
    plataforma_->alActivarWord = [this] {
        if (!documento_->enMarcha()) return;
        ventanaDocumento_->show();
        ventanaDocumento_->raise();
        ventanaDocumento_->activateWindow();
    };
    // The document fills the screen's left part; the notebook stays on top
    // at the bottom right.
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        const QRect zona = pantalla->availableGeometry();
        ventanaDocumento_->setGeometry(zona.left() + 20, zona.top() + 40, zona.width() * 3 / 5,
                                       zona.height() - 80);
    }
}

CuadernoQt::~CuadernoQt() {
    // The windows go first: they still talk to the form while they close.
    ventana_.reset();
    ventanaDocumento_.reset();
    form_.reset();
}

void CuadernoQt::arrancar() {
    form_->cargar();
    // The zoom asked for, or the largest step that fits on this screen.
    for (int pasos = zoom_; pasos > kZoomMinimo && !form_->ponerZoom(pasos); --pasos) {
    }
    if (writer_ != nullptr) {
        // Without a Writer to work with (not installed, not answering), the
        // notebook goes on with its own document.
        bool enMarcha = true;
        try {
            writer_->pagina();
        } catch (const ErrorWord& e) {
            // Running with no document yet is running.
            enMarcha = e.tipo() == ErrorWord::Tipo::sinDocumento;
        }
        if (!enMarcha) {
            form_->word = nullptr;
            writer_.reset();
            usarDocumentoPropio();
            form_->comprobarword();
        }
    }
    ventana_->sincronizar();
    ventana_->show();
    ventana_->raise();
    ventana_->activateWindow();
    // The first activation's block runs once the window is up.
    form_->activar(Ventana::notebook);
    ventana_->setFocus();
    ventana_->sincronizar();
}

int ejecutarVentana(int& argc, char** argv, const Opciones& opciones) {
    QApplication app(argc, argv);
    prepararAplicacion();
    CuadernoQt::Documento documento = CuadernoQt::Documento::automatico;
    if (opciones.documento == Opciones::Documento::propio)
        documento = CuadernoQt::Documento::propio;
    if (opciones.documento == Opciones::Documento::writer)
        documento = CuadernoQt::Documento::writer;
    CuadernoQt cuaderno(documento);
    cuaderno.ponerZoom(opciones.zoom);
    cuaderno.arrancar();
    if (cuaderno.form().finalizado()) return 0;
    return app.exec();
}

} // namespace renglero
