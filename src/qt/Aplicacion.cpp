#include "qt/Aplicacion.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "programa/Idioma.h"
#include "programa/Registro.h"
#include "propio/DocumentoPropio.h"
#include "propio/VentanaDocumento.h"
#include "qt/ActivacionX11.h"
#include "qt/GuardiaArranque.h"
#include "qt/PlataformaQt.h"
#include "qt/Recuperacion.h"
#include "qt/VentanaQt.h"
#include "shell/Form1.h"
#include "shell/omitir.h"

#ifdef RENGLERO_CON_WRITER
#include "writer/ConexionWriter.h"
#include "writer/TuboWriter.h"
#include "writer/Writer.h"
#endif

namespace renglero {

namespace {

const char* const kSinX11 =
    "El cuaderno no puede traer delante la ventana de LibreOffice Writer, y F11 no funcionará "
    "desde Writer. Guarda tu trabajo en Writer, cierra Writer y el cuaderno, y abre solo el "
    "cuaderno: él abrirá Writer. Si sigue sin funcionar, avisa a tu profesor.";

// Runs `f` once, right after the watched widget's first paint: loading
// LibreOffice's libraries on another thread meanwhile would hold up Qt's own
// (the dynamic loader has one lock), and the window would come late.
class TrasPintar : public QObject {
  public:
    explicit TrasPintar(std::function<void()> f) : f_(std::move(f)) {}
    void lanzar() {
        if (!f_) return;
        auto f = std::move(f_);
        f_ = nullptr;
        f();
        // Once run it has nothing more to watch.
        deleteLater();
    }

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && f_) QTimer::singleShot(0, this, [this] { lanzar(); });
        return false;
    }

  private:
    std::function<void()> f_;
};

// A desktop to show windows on.
bool hayEscritorio() {
    return (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) &&
           QGuiApplication::platformName() != QStringLiteral("offscreen");
}

#ifdef RENGLERO_CON_WRITER
// Whether the installed LibreOffice can show windows: a build without any
// of its desktop plugins only runs headless, where the pupil sees nothing.
bool libreOfficeConVentanas() {
    const QString soffice = QString::fromStdString(ConexionWriter::programaSoffice());
    if (soffice.isEmpty()) return false;
    const QDir programa = QFileInfo(QFileInfo(soffice).canonicalFilePath()).dir();
    return !programa.entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty();
}

// Writer where one listens on the pupil's pipe (its socket is there: the
// thread that joins it finds out whether it answers), or on a desktop where
// a LibreOffice with windows is installed, or where none is installed at
// all, which the pupil is then told.
bool writerDisponible(const std::string& tubo) {
    if (tubo::socket(tubo) == tubo::Socket::propio) return true;
    return hayEscritorio() && (!ConexionWriter::instalado() || libreOfficeConVentanas());
}

Writer& comoWriter(const std::unique_ptr<Word>& w) {
    return static_cast<Writer&>(*w);
}

// How long the window waits for a call into Writer: past it the call fails
// as "not answering" and the window goes on. A loaded or slow machine takes
// over two seconds for a call while Writer's window still comes up, and "no
// responde" said of a call that then succeeds is wrong (its box takes the
// pupil's next key); a Writer that really hangs holds the window this long
// once, as later calls fail at once until it answers again.
constexpr std::chrono::milliseconds kPlazoWriter(5000);
#endif

} // namespace

void prepararAplicacion() {
    QApplication::setApplicationName(QStringLiteral("Renglero"));
    QApplication::setApplicationVersion(numeroVersion());
    // The menu entry's name; X11's window class is "Renglero", as the entry says.
    QGuiApplication::setDesktopFileName(QStringLiteral(RENGLERO_ID));
    cargarTraduccionesQt();
}

CuadernoQt::CuadernoQt(Documento documento)
    : plataforma_(std::make_unique<PlataformaQt>()), form_(std::make_unique<Form1>(*plataforma_)),
      ventana_(std::make_unique<VentanaQt>(*form_, *plataforma_)),
      buzon_(std::make_shared<Buzon>()), receptor_(std::make_unique<QObject>()) {
    buzon_->receptor = receptor_.get();
#ifdef RENGLERO_CON_WRITER
    if (documento == Documento::writer || documento == Documento::automatico) {
        tubo_ = ConexionWriter::tuboPorDefecto();
        if (documento == Documento::writer || writerDisponible(tubo_)) {
            // Writer's events come on UNO's threads: they run on the window's.
            writer_ = std::make_unique<Writer>(
                tubo_,
                [](std::function<void()> f) {
                    QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
                },
                true, kPlazoWriter);
            form_->esperarProcesador();
            esperandoWriter_ = true;
            plataforma_->alActivarWord = [this] { traerWriter(); };
            plataforma_->esVentanaWord = [](unsigned long id) {
                return QString::fromStdString(claseVentanaX11(id))
                    .contains(QStringLiteral("office"), Qt::CaseInsensitive);
            };
            return;
        }
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
        // Asked as the notebook is asked for: GNOME on Wayland refuses the
        // window's own request after the first.
        plataforma_->traerAlFrente(ventanaDocumento_.get(), plataforma_->instanteAccion());
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
    despedir();
    recuperacion_.reset();
    // A late outcome of the thread that joins Writer finds nobody.
    {
        std::lock_guard<std::mutex> cierre(buzon_->mutex);
        buzon_->receptor = nullptr;
    }
    cancelarWriter_ = true;
    if (hiloWriter_.joinable()) hiloWriter_.join();
    receptor_.reset();
    guardia_.reset();
    // The windows go first: they still talk to the form while they close.
    ventana_.reset();
    ventanaDocumento_.reset();
    form_.reset();
#ifdef RENGLERO_CON_WRITER
    // A Writer that does not answer keeps what it was doing: the notebook
    // ends without waiting for it, leaving it be.
    if (writer_ != nullptr && !comoWriter(writer_).terminar()) {
        (void)writer_.release();
        return;
    }
    writer_.reset();
    // Where Writer has gone, what it left of the pipe goes too.
    if (!tubo_.empty()) ConexionWriter::despedir(tubo_);
#endif
}

void CuadernoQt::empezarWriter() {
#ifdef RENGLERO_CON_WRITER
    hiloWriter_ = std::thread([this, buzon = buzon_, tubo = tubo_] {
        auto conexion = std::make_shared<std::unique_ptr<ConexionWriter>>(
            std::make_unique<ConexionWriter>(tubo));
        // A first start on a busy machine (a new profile) takes well over
        // twenty seconds; giving up then would leave its window beside a
        // notebook that writes elsewhere.
        const ConexionWriter::Resultado r =
            (*conexion)->conectarOArrancar(std::chrono::seconds(60), &cancelarWriter_);
        std::lock_guard<std::mutex> cierre(buzon->mutex);
        if (buzon->receptor == nullptr) return;
        QMetaObject::invokeMethod(
            buzon->receptor,
            [this, r, conexion] {
                esperandoWriter_ = false;
                if (r == ConexionWriter::Resultado::conectado) {
                    if (guardia_ != nullptr) guardia_->procesadorListo();
                    comoWriter(writer_).adoptarConexion(std::move(*conexion));
                    form_->procesadorListo(*writer_);
                } else {
                    // Without a Writer to work with (not installed, not
                    // answering), the notebook goes on with its own document.
                    writer_.reset();
                    usarDocumentoPropio();
                    form_->procesadorAusente(*documento_,
                                             r == ConexionWriter::Resultado::noInstalado);
                }
                ventana_->sincronizar();
            },
            Qt::QueuedConnection);
    });
#endif
}

// Writer's current document to the front: its own window, found through
// its frame; by the title only where that fails.
void CuadernoQt::traerWriter() {
#ifdef RENGLERO_CON_WRITER
    if (writer_ == nullptr || esperandoWriter_) return;
    unsigned long id = ventanaGestionadaX11(comoWriter(writer_).ventanaDelDocumento());
    if (id == 0) id = ventanaPorTituloX11("LibreOffice Writer");
    if (plataforma_->activador().activar(id, plataforma_->instanteAccion())) return;
    if (omitir<ErrorWord>([&] { writer_->pagina(); })) avisarSinX11();
#endif
}

// Said once: a Writer without an X11 window (running on Wayland) cannot be
// brought to the front, nor does F11 reach the notebook from it.
void CuadernoQt::avisarSinX11() {
    if (avisadoSinX11_ || QGuiApplication::platformName() != QStringLiteral("xcb")) return;
    avisadoSinX11_ = true;
    qCWarning(registroX11) << "Writer no tiene ventana de X11 (se abrió en Wayland, antes que el "
                              "cuaderno): ni F11 desde Writer ni traerlo delante funcionan. Se "
                              "arregla cerrándolo y dejando que lo abra el cuaderno, o abriéndolo "
                              "con GDK_BACKEND=x11 QT_QPA_PLATFORM=xcb libreoffice --writer";
    // Not inside the timer tick that asked: the message box waits for the pupil.
    QMetaObject::invokeMethod(
        receptor_.get(), [this] { form_->mensaje(kSinX11); }, Qt::QueuedConnection);
}

void CuadernoQt::arrancar() {
    form_->cargar();
    // The zoom asked for, or the largest step that fits on this screen.
    form_->zoom = std::clamp(zoom_, kZoomNormal, kZoomMayor);
    form_->ajustarZoom();
    ventana_->sincronizar();
    ventana_->show();
    ventana_->raise();
    ventana_->activateWindow();
    // The first activation's block runs once the window is up.
    form_->activar(Ventana::notebook);
    ventana_->setFocus();
    ventana_->sincronizar();
    if (esperandoWriter_) {
        guardia_ = std::make_unique<GuardiaArranque>(
            *plataforma_, [this] { plataforma_->activarVentana(form_->Caption); });
        auto* tras = new TrasPintar([this] { empezarWriter(); });
        tras->setParent(receptor_.get());
        ventana_->installEventFilter(tras);
        // Where nothing is painted soon, it starts all the same.
        QTimer::singleShot(300, tras, [tras] { tras->lanzar(); });
    }
}

void CuadernoQt::recuperar(const std::string& carpeta) {
    recuperacion_ = std::make_unique<Recuperacion>(
        *form_, [this] { return documento_.get(); }, carpeta);
    recuperacion_->atenderFinales();
    if (recuperacion_->ofrecer()) ventana_->sincronizar();
}

void CuadernoQt::despedir() {
    if (recuperacion_)
        recuperacion_->terminar(form_->finElegido() && !recuperacion_->sesionTerminando());
}

int ejecutarVentana(int& argc, char** argv, const Opciones& opciones) {
    QApplication app(argc, argv);
    prepararAplicacion();
    CuadernoQt cuaderno(opciones.documento);
    cuaderno.ponerZoom(opciones.zoom);
    cuaderno.arrancar();
    if (!cuaderno.form().finalizado()) cuaderno.recuperar(carpetaRecuperacion());
    const int estado = cuaderno.form().finalizado() ? 0 : app.exec();
    cuaderno.despedir();
    return estado;
}

} // namespace renglero
