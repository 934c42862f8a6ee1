#include "qt/Recuperacion.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sys/socket.h>
#include <unistd.h>

#include "propio/DocumentoPropio.h"
#include "shell/Form1.h"

namespace renglero {

namespace {

using Json = nlohmann::json;

constexpr int kVersionCopia = 1;

// The signal handler only writes a byte here; the window's thread reads it
// between two events (the self-pipe).
int tuboSenales[2] = {-1, -1};

void alRecibirSenal(int) {
    const char c = 1;
    const ssize_t n = ::write(tuboSenales[1], &c, 1);
    (void)n;
}

QString fechaLegible(long long segundos) {
    return QDateTime::fromSecsSinceEpoch(segundos).toString(
        QStringLiteral("dd/MM/yyyy 'a las' HH:mm"));
}

} // namespace

// ---- The copy's bytes -------------------------------------------------------
// One line of JSON that says what follows and how long each part is, then
// the notebook's state, the document's content.xml and its styles.xml.

std::optional<CopiaLeida> leerCopia(const std::string& datos) {
    const std::size_t fin = datos.find('\n');
    if (fin == std::string::npos) return std::nullopt;
    try {
        const Json cabecera = Json::parse(datos.substr(0, fin));
        if (cabecera.at("version").get<int>() != kVersionCopia) return std::nullopt;
        CopiaLeida c;
        c.trabajo = cabecera.at("trabajo").get<bool>();
        c.fecha = cabecera.at("fecha").get<long long>();
        const auto tamanos = cabecera.at("tamanos").get<std::vector<std::size_t>>();
        if (tamanos.size() != 3) return std::nullopt;
        std::size_t desde = fin + 1;
        std::string* partes[3] = {&c.cuaderno, &c.contenido, &c.estilos};
        for (int i = 0; i < 3; ++i) {
            if (tamanos[i] > datos.size() - desde) return std::nullopt;
            *partes[i] = datos.substr(desde, tamanos[i]);
            desde += tamanos[i];
        }
        if (desde != datos.size()) return std::nullopt;
        const Json& d = cabecera.at("documento");
        if (!d.is_null()) {
            c.conDocumento = true;
            c.archivo = d.at("archivo").get<std::string>();
            c.incompleto = d.at("incompleto").get<bool>();
            c.modificado = d.at("modificado").get<bool>();
            c.ancla = d.at("ancla").get<int>();
            c.posicion = d.at("posicion").get<int>();
        }
        return c;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string Recuperacion::componer() const {
    const std::string cuaderno = form_.estado();
    Json cabecera;
    cabecera["version"] = kVersionCopia;
    cabecera["fecha"] = QDateTime::currentSecsSinceEpoch();
    bool trabajo = form_.hayTrabajo();
    std::string contenido, estilos;
    cabecera["documento"] = nullptr;
    const DocumentoPropio* d = documento_();
    if (d != nullptr && d->enMarcha() && d->abierto()) {
        const DocumentoPropio::Copia copia = d->copia();
        contenido = copia.partes.contenido.toStdString();
        estilos = copia.partes.estilos.toStdString();
        cabecera["documento"] = {{"archivo", copia.archivo.toStdString()},
                                 {"incompleto", copia.incompleto},
                                 {"modificado", copia.modificado},
                                 {"ancla", copia.ancla},
                                 {"posicion", copia.posicion}};
        trabajo = trabajo || !d->documento()->isEmpty();
    }
    cabecera["trabajo"] = trabajo;
    cabecera["tamanos"] = {cuaderno.size(), contenido.size(), estilos.size()};
    std::string datos = cabecera.dump();
    datos.reserve(datos.size() + 1 + cuaderno.size() + contenido.size() + estilos.size());
    datos += '\n';
    datos += cuaderno;
    datos += contenido;
    datos += estilos;
    return datos;
}

// ---- The slot and its writer --------------------------------------------------

Recuperacion::Recuperacion(Form1& form, std::function<DocumentoPropio*()> documento,
                           const std::string& carpeta)
    : form_(form), documento_(std::move(documento)), carpeta_(carpeta),
      ranura_(Ranura::nueva(carpeta)), temporizador_(new QTimer(this)) {
    hilo_ = std::thread([this] { escribir(); });
    ultima_ = huella();
    temporizador_->setInterval(kIntervalo);
    connect(temporizador_, &QTimer::timeout, this, &Recuperacion::revisar);
    temporizador_->start();
}

Recuperacion::~Recuperacion() {
    {
        std::lock_guard<std::mutex> cierre(mutex_);
        fin_ = true;
    }
    aviso_.notify_all();
    hilo_.join();
}

void Recuperacion::escribir() {
    std::unique_lock<std::mutex> cierre(mutex_);
    while (true) {
        aviso_.wait(cierre, [this] { return fin_ || pendiente_; });
        if (!pendiente_) return;
        const std::string datos = std::move(*pendiente_);
        pendiente_.reset();
        escribiendo_ = true;
        cierre.unlock();
        ranura_.guardar(datos);
        cierre.lock();
        escribiendo_ = false;
        aviso_.notify_all();
    }
}

void Recuperacion::encargar(std::string datos) {
    {
        std::lock_guard<std::mutex> cierre(mutex_);
        // Only the latest counts: one still waiting is replaced.
        pendiente_ = std::move(datos);
    }
    aviso_.notify_all();
}

Recuperacion::Huella Recuperacion::huella() const {
    Huella h;
    h.cuaderno = form_.version();
    if (const DocumentoPropio* d = documento_()) {
        h.revision = d->documento()->revision() * 2 + (d->documento()->isModified() ? 1 : 0);
        h.ancla = d->seleccion().anchor();
        h.posicion = d->seleccion().position();
    }
    return h;
}

void Recuperacion::revisar() {
    // A handler half-way (one that let pending events run, or shows a
    // message box) leaves a state half made: the next look takes it.
    if (terminado_ || form_.ocupado() || form_.finalizado()) return;
    const Huella h = huella();
    if (ultima_ && *ultima_ == h) return;
    ultima_ = h;
    encargar(componer());
}

void Recuperacion::guardarYa() {
    if (terminado_) return;
    const std::string datos = componer();
    ultima_ = huella();
    std::unique_lock<std::mutex> cierre(mutex_);
    pendiente_.reset();
    aviso_.wait(cierre, [this] { return !escribiendo_; });
    ranura_.guardar(datos);
}

void Recuperacion::terminar(bool elegido) {
    if (terminado_) return;
    temporizador_->stop();
    if (!elegido || sesionTerminando_) {
        guardarYa();
    } else {
        // The pupil ended it: nothing is to be offered next time.
        std::unique_lock<std::mutex> cierre(mutex_);
        pendiente_.reset();
        aviso_.wait(cierre, [this] { return !escribiendo_; });
        ranura_.eliminar();
    }
    terminado_ = true;
}

void Recuperacion::atenderFinales() {
    if (tuboSenales[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, tuboSenales) != 0)
        return;
    auto* lector = new QSocketNotifier(tuboSenales[0], QSocketNotifier::Read, this);
    connect(lector, &QSocketNotifier::activated, this, [this] {
        char c;
        if (::read(tuboSenales[0], &c, 1) != 1) return;
        // Not the pupil's choice: the copy stays and is offered next time.
        terminar(false);
        QCoreApplication::exit(0);
        // A message box's own loop may still hold the end back.
        QTimer::singleShot(5000, [] { std::_Exit(0); });
    });
    struct sigaction accion = {};
    accion.sa_handler = alRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &accion, nullptr);
    sigaction(SIGHUP, &accion, nullptr);
    // The desktop's session ends (a logout): the copy is written while it
    // still can be, and the windows it then closes are no choice of the pupil.
    auto alFinDeSesion = [this](QSessionManager&) {
        sesionTerminando_ = true;
        guardarYa();
    };
    connect(qApp, &QGuiApplication::commitDataRequest, this, alFinDeSesion);
    connect(qApp, &QGuiApplication::saveStateRequest, this, alFinDeSesion);
}

// ---- Offering a copy back ---------------------------------------------------

bool Recuperacion::ofrecer() {
    std::optional<Ranura> abandonada = Ranura::abandonada(carpeta_);
    if (!abandonada) return false;
    const std::optional<std::string> datos = abandonada->leer();
    const std::optional<CopiaLeida> copia = datos ? leerCopia(*datos) : std::nullopt;
    if (!copia || !copia->trabajo) {
        abandonada->eliminar();
        return false;
    }
    const std::string pregunta =
        "Renglero no se cerró bien la última vez, pero guardó una copia de tu trabajo (del " +
        fechaLegible(copia->fecha).toStdString() + ").\r\r¿Quieres recuperar ese trabajo?";
    if (form_.mensaje(pregunta, "", Botones::YesNo) != Respuesta::Yes) {
        abandonada->eliminar();
        return false;
    }
    bool entero = form_.restaurar(copia->cuaderno);
    form_.ajustarZoom();
    if (copia->conDocumento) {
        DocumentoPropio::Copia c;
        c.partes.contenido = QByteArray::fromStdString(copia->contenido);
        c.partes.estilos = QByteArray::fromStdString(copia->estilos);
        c.archivo = QString::fromStdString(copia->archivo);
        c.incompleto = copia->incompleto;
        c.modificado = copia->modificado;
        c.ancla = copia->ancla;
        c.posicion = copia->posicion;
        if (DocumentoPropio* d = documento_()) {
            entero = d->restaurar(c) && entero;
        } else {
            // Writer is the document now: the embedded one is kept as a file.
            DocumentoPropio aparte;
            if (aparte.restaurar(c) && !aparte.documento()->isEmpty()) {
                QDir carpetaDocumentos(
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
                if (!carpetaDocumentos.exists()) carpetaDocumentos = QDir::home();
                QString ruta =
                    carpetaDocumentos.filePath(QStringLiteral("Documento recuperado.odt"));
                for (int n = 2; QFile::exists(ruta); ++n)
                    ruta = carpetaDocumentos.filePath(
                        QStringLiteral("Documento recuperado %1.odt").arg(n));
                if (aparte.guardar(QFile::encodeName(ruta).toStdString()))
                    form_.mensaje("El documento que tenías se ha guardado en \"" +
                                  ruta.toStdString() +
                                  "\". Puedes abrirlo con LibreOffice Writer.");
                else
                    entero = false;
            }
        }
    }
    if (!entero) form_.mensaje("No se ha podido recuperar todo el trabajo.");
    // This notebook's own copy holds it now; then the old one goes.
    guardarYa();
    abandonada->eliminar();
    return true;
}

} // namespace renglero
