#include "writer/ConexionWriter.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <cppuhelper/bootstrap.hxx>

#include "programa/Registro.h"
#include "writer/LibreOfficeEnMarcha.h"
#include "writer/TuboWriter.h"
#include "writer/uno.h"

namespace renglero {

namespace {

const char* const kProgramaLibreOffice = RENGLERO_LO_PROGRAMA;

// The process's own UNO context: made once, kept to the end (disposing it
// while proxies are still alive is what crashes clients at exit).
Reference<uno::XComponentContext> contextoLocal() {
    static Reference<uno::XComponentContext>* contexto = [] {
        // Without it the bootstrap finds no types and Desktop::create crashes.
        setenv("URE_BOOTSTRAP",
               (std::string("vnd.sun.star.pathname:") + kProgramaLibreOffice + "/fundamentalrc")
                   .c_str(),
               0);
        return new Reference<uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
    }();
    return *contexto;
}

// A write to a pipe whose reader has died must fail, not end the notebook.
void ignorarTuberiaRota() {
    static std::once_flag hecho;
    std::call_once(hecho, [] {
        struct sigaction actual {};
        if (sigaction(SIGPIPE, nullptr, &actual) == 0 && actual.sa_handler == SIG_DFL)
            signal(SIGPIPE, SIG_IGN);
    });
}

// One bridge per LibreOffice in the process, kept for as long as that
// LibreOffice lives, whichever connections come and go on it. UNO finds a
// remote object's proxy by the object's id alone, whatever bridge made it:
// a second bridge to the same LibreOffice hands out the first one's proxies
// (and, holding none of its own, closes itself), and a bridge closed while
// any of its proxies, here or LibreOffice's of ours, is still alive leaves
// them to the next connection, dead: calls fail with "bridge already
// disposed" and Writer's events go nowhere. Ids never repeat across two
// runs of LibreOffice, so a bridge to one that has gone is simply replaced.
struct PuenteCompartido {
    Reference<css::bridge::XBridge> puente;
    // Held here, a proxy also keeps the bridge from closing itself unused.
    Reference<uno::XComponentContext> remoto;
    Reference<css::frame::XDesktop2> escritorio;
    std::shared_ptr<std::atomic<bool>> caido;
};

class OyenteCompartido : public cppu::WeakImplHelper1<css::lang::XEventListener> {
  public:
    explicit OyenteCompartido(std::shared_ptr<std::atomic<bool>> caido)
        : caido_(std::move(caido)) {}
    void SAL_CALL disposing(const css::lang::EventObject&) override {
        if (!caido_->exchange(true))
            qCDebug(registroWriter) << "el puente con LibreOffice se ha cerrado";
    }

  private:
    std::shared_ptr<std::atomic<bool>> caido_;
};

// Never destroyed: at the process's end no bridge is closed under threads
// that may still use it.
std::mutex& mutexPuentes() {
    static auto* m = new std::mutex;
    return *m;
}
std::map<std::string, PuenteCompartido>& puentes() {
    static auto* p = new std::map<std::string, PuenteCompartido>;
    return *p;
}

void cerrar(const Reference<css::bridge::XBridge>& puente) {
    if (!puente.is()) return;
    try {
        Reference<css::lang::XComponent>(puente, UNO_QUERY_THROW)->dispose();
    } catch (const uno::Exception&) {
    }
}

// The pipe's bridge, made when there is none alive; throws as UNO does.
// Under mutexPuentes(): two connections to one pipe never make two.
PuenteCompartido puenteDe(const std::string& tubo) {
    auto& todos = puentes();
    if (auto i = todos.find(tubo); i != todos.end()) {
        if (!*i->second.caido) return i->second;
        const PuenteCompartido muerto = i->second;
        todos.erase(i);
        cerrar(muerto.puente);
    }
    const Reference<uno::XComponentContext> local = contextoLocal();
    const Reference<css::connection::XConnection> enlace =
        css::connection::Connector::create(local)->connect(aOU("pipe,name=" + tubo));
    PuenteCompartido p;
    p.caido = std::make_shared<std::atomic<bool>>(false);
    p.puente =
        css::bridge::BridgeFactory::create(local)->createBridge(OUString(), "urp", enlace, nullptr);
    try {
        Reference<css::lang::XComponent>(p.puente, UNO_QUERY_THROW)
            ->addEventListener(new OyenteCompartido(p.caido));
        p.remoto.set(p.puente->getInstance("StarOffice.ComponentContext"), UNO_QUERY_THROW);
        p.escritorio = css::frame::Desktop::create(p.remoto);
    } catch (const uno::Exception&) {
        p.escritorio.clear();
        p.remoto.clear();
        cerrar(p.puente);
        throw;
    }
    todos[tubo] = p;
    return p;
}

// Closes the pipe's bridge if it is still `puente` (or any, when empty).
void olvidarPuente(const std::string& tubo, const Reference<css::bridge::XBridge>& puente) {
    PuenteCompartido quitado;
    {
        std::lock_guard<std::mutex> l(mutexPuentes());
        auto& todos = puentes();
        const auto i = todos.find(tubo);
        if (i == todos.end() || (puente.is() && i->second.puente != puente)) return;
        quitado = i->second;
        todos.erase(i);
    }
    quitado.escritorio.clear();
    quitado.remoto.clear();
    cerrar(quitado.puente);
}

bool ejecutable(const std::string& ruta) {
    return access(ruta.c_str(), X_OK) == 0;
}

} // namespace

int puntosDeCodigo(const OUString& s) {
    int n = 0;
    for (sal_Int32 i = 0; i < s.getLength(); ++i) {
        if (rtl::isHighSurrogate(s[i]) && i + 1 < s.getLength() && rtl::isLowSurrogate(s[i + 1]))
            ++i;
        ++n;
    }
    return n;
}

std::string ConexionWriter::tuboPorDefecto() {
    return tubo::nombreGuardado(tubo::carpetaPrivada());
}

bool ConexionWriter::arrancarEnX11(const char* waylandDisplay, const char* display) {
    return waylandDisplay != nullptr && waylandDisplay[0] != '\0' && display != nullptr &&
           display[0] != '\0';
}

void ConexionWriter::despedir(const std::string& nombre) {
    cerrarPuente(nombre);
    tubo::quitarSocketMuerto(nombre);
    if (tubo::socket(nombre) == tubo::Socket::ninguno)
        tubo::olvidar(tubo::carpetaPrivada(), nombre);
}

void ConexionWriter::cerrarPuente(const std::string& nombre) {
    olvidarPuente(nombre, nullptr);
}

std::string ConexionWriter::programaSoffice() {
    if (const char* ruta = std::getenv("PATH")) {
        std::string p = ruta;
        std::size_t a = 0;
        while (a <= p.size()) {
            const std::size_t b = std::min(p.find(':', a), p.size());
            const std::string dir = p.substr(a, b - a);
            if (!dir.empty() && ejecutable(dir + "/soffice")) return dir + "/soffice";
            a = b + 1;
        }
    }
    const std::string propio = std::string(kProgramaLibreOffice) + "/soffice";
    return ejecutable(propio) ? propio : "";
}

ConexionWriter::ConexionWriter(std::string tubo) : tubo_(std::move(tubo)), uno_(new Uno) {}

ConexionWriter::~ConexionWriter() {
    desconectar();
}

bool ConexionWriter::conectado() const {
    return uno_->puente.is() && uno_->caido && !*uno_->caido;
}

bool ConexionWriter::conectar() {
    if (conectado()) return true;
    desconectar();
    // Another user's socket, or a link to one, is never connected to.
    if (tubo::socket(tubo_) != tubo::Socket::propio) return false;
    ignorarTuberiaRota();
    try {
        // A kept bridge may be found closed only now: then a new one.
        for (int intento = 0; intento < 2; ++intento) {
            PuenteCompartido p;
            {
                std::lock_guard<std::mutex> l(mutexPuentes());
                p = puenteDe(tubo_);
            }
            if (*p.caido) {
                olvidarPuente(tubo_, p.puente);
                continue;
            }
            uno_->caido = p.caido;
            uno_->puente = p.puente;
            uno_->remoto = p.remoto;
            uno_->escritorio = p.escritorio;
            ++uno_->generacion;
            qCDebug(registroWriter) << "conectado a LibreOffice por el tubo" << tubo_.c_str();
            return true;
        }
    } catch (const uno::Exception& e) {
        qCDebug(registroWriter) << "sin conexión por el tubo" << tubo_.c_str() << ":"
                                << aStd(e.Message).c_str();
    }
    desconectar();
    return false;
}

// Leaves the bridge to the others on it: closing it here would leave them,
// and the next connection, proxies that no longer work.
void ConexionWriter::desconectar() {
    uno_->escritorio.clear();
    uno_->remoto.clear();
    uno_->puente.clear();
    uno_->caido.reset();
}

void ConexionWriter::darPorCaida() {
    // A bridge that calls cannot cross is of no use to anybody: the next
    // connection makes a new one.
    const Reference<css::bridge::XBridge> puente = uno_->puente;
    desconectar();
    olvidarPuente(tubo_, puente);
}

ConexionWriter::Resultado ConexionWriter::conectarOArrancar(std::chrono::milliseconds espera,
                                                            const std::atomic<bool>* cancelado) {
    if (conectar()) return Resultado::conectado;
    const std::string programa = programaSoffice();
    if (programa.empty()) {
        qCDebug(registroWriter) << "no hay soffice en PATH ni en" << kProgramaLibreOffice;
        return Resultado::noInstalado;
    }
    // Something of another user's holds the name: LibreOffice could not
    // listen there, and nothing there is ours to talk to.
    if (tubo::socket(tubo_) == tubo::Socket::ajeno) {
        qCDebug(registroWriter) << "el tubo" << tubo_.c_str() << "no es de este usuario";
        return Resultado::sinRespuesta;
    }
    tubo::quitarSocketMuerto(tubo_);
    const bool enX11 = arrancarEnX11(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
    qCDebug(registroWriter) << "arrancando" << programa.c_str() << "con el tubo" << tubo_.c_str();
    // Its document recovery stays on: after a crash it offers the pupil's
    // documents back. A new LibreOffice opens with a text document: one that
    // shows only its start centre, minimized, takes no key into the document
    // the notebook makes later. A LibreOffice the pupil opened first takes
    // the accept over from this one and is asked for nothing more: the
    // notebook joins the document the pupil has in front.
    const std::string aceptar = "--accept=pipe,name=" + tubo_ + ";urp;";
    const char* nuevo[] = {programa.c_str(), "--writer",      "--nologo",
                           "--minimized",    aceptar.c_str(), nullptr};
    const char* yaEnMarcha[] = {programa.c_str(), "--nologo", aceptar.c_str(), nullptr};
    const char* const* argv = libreOfficeDelUsuarioEnMarcha() ? yaEnMarcha : nuevo;
    // Twice forked: LibreOffice is the pupil's, it outlives the notebook and
    // is never our child to reap.
    const pid_t hijo = fork();
    if (hijo < 0) return Resultado::noInstalado;
    if (hijo == 0) {
        setsid();
        if (fork() == 0) {
            const int nulo = open("/dev/null", O_RDWR);
            if (nulo >= 0) {
                dup2(nulo, 0);
                dup2(nulo, 1);
                dup2(nulo, 2);
            }
            if (enX11) setenv("GDK_BACKEND", "x11", 1);
            execv(argv[0], const_cast<char* const*>(argv));
            _exit(127);
        }
        _exit(0);
    }
    while (waitpid(hijo, nullptr, 0) < 0 && errno == EINTR) {
    }
    const auto limite = std::chrono::steady_clock::now() + espera;
    while (std::chrono::steady_clock::now() < limite) {
        if (cancelado != nullptr && *cancelado) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (conectar()) return Resultado::conectado;
    }
    qCDebug(registroWriter) << "LibreOffice no responde tras" << espera.count() << "ms";
    return Resultado::sinRespuesta;
}

} // namespace renglero
