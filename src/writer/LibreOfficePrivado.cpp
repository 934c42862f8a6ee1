#include "writer/LibreOfficePrivado.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "writer/ConexionWriter.h"
#include "writer/TuboWriter.h"
#include "writer/Writer.h"

namespace renglero {

namespace {
// soffice.bin itself, not the script: the process id is then LibreOffice's.
const char* const kBinario = RENGLERO_LO_PROGRAMA "/soffice.bin";
// LibreOffice asks to be started again after setting up a new profile.
constexpr int kReiniciar = 81;

// The sockets of LibreOffice's pipes that process pid has open, by path (from
// /proc/net/unix, by the inodes of its descriptors). A signal ends LibreOffice
// without its own clean-up, and they would stay behind in /tmp.
std::vector<std::string> tubosAbiertos(pid_t pid) {
    std::set<std::string> inodos;
    std::error_code e;
    const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
    // Without throwing: the process may end meanwhile.
    for (std::filesystem::directory_iterator fd(fds, e), fin; !e && fd != fin; fd.increment(e)) {
        std::error_code cerrado; // a descriptor closed meanwhile reads as ""
        const std::string destino = std::filesystem::read_symlink(fd->path(), cerrado).string();
        if (destino.starts_with("socket:[")) inodos.insert(destino.substr(8, destino.size() - 9));
    }
    std::vector<std::string> rutas;
    std::ifstream tabla("/proc/net/unix");
    for (std::string linea; std::getline(tabla, linea);) {
        // Num RefCount Protocol Flags Type St Inode Path
        std::istringstream campos(linea);
        std::string campo;
        for (int i = 0; i < 6; ++i)
            campos >> campo;
        std::string inodo;
        std::string ruta;
        if (campos >> inodo >> ruta && inodos.contains(inodo) &&
            std::filesystem::path(ruta).filename().string().starts_with("OSL_PIPE_"))
            rutas.push_back(ruta);
    }
    return rutas;
}
} // namespace

LibreOfficePrivado::LibreOfficePrivado() {
    char plantilla[] = "/tmp/renglero-lo-XXXXXX";
    if (const char* d = mkdtemp(plantilla)) perfil_ = d;
    tubo_ = "renglero-prueba-" + std::to_string(getpid()) + "-" +
            std::filesystem::path(perfil_).filename().string();
}

LibreOfficePrivado::~LibreOfficePrivado() {
    detener();
    std::error_code e;
    if (!perfil_.empty()) std::filesystem::remove_all(perfil_, e);
    // The sockets of its pipes, which LibreOffice ended by a signal leaves
    // behind: only now, so that a killed one's stay meanwhile, as a crash's.
    std::filesystem::remove(tubo::rutaSocket(tubo_), e);
    for (const std::string& t : tubos_)
        std::filesystem::remove(t, e);
}

bool LibreOfficePrivado::lanzar() {
    const std::string perfil = "-env:UserInstallation=file://" + perfil_;
    const std::string aceptar = "--accept=pipe,name=" + tubo_ + ";urp;";
    std::vector<const char*> argv = {
        kBinario,      "--headless",    "--invisible",  "--norestore",   "--nologo",
        "--nodefault", "--nolockcheck", perfil.c_str(), aceptar.c_str(), nullptr};
    // Its temporary files in its profile folder, which goes with it.
    std::vector<std::string> entorno{"TMPDIR=" + perfil_};
    for (char** v = environ; *v != nullptr; ++v)
        if (std::strncmp(*v, "TMPDIR=", 7) != 0) entorno.emplace_back(*v);
    std::vector<char*> envp;
    envp.reserve(entorno.size() + 1);
    for (std::string& v : entorno)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        // A test that crashes takes its LibreOffice with it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int nulo = open("/dev/null", O_RDWR);
        if (nulo >= 0) {
            dup2(nulo, 0);
            dup2(nulo, 1);
            dup2(nulo, 2);
        }
        execve(argv[0], const_cast<char* const*>(argv.data()), envp.data());
        _exit(127);
    }
    pid_ = pid;
    return true;
}

bool LibreOfficePrivado::arrancar(std::chrono::milliseconds espera) {
    if (perfil_.empty() || access(kBinario, X_OK) != 0) return false;
    if (!lanzar()) return false;
    ConexionWriter prueba(tubo_);
    const auto anotarTubos = [this] {
        for (std::string& t : tubosAbiertos(pid_))
            tubos_.insert(std::move(t));
    };
    const auto limite = std::chrono::steady_clock::now() + espera;
    while (std::chrono::steady_clock::now() < limite) {
        int estado = 0;
        const pid_t r = waitpid(pid_, &estado, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            if (WIFEXITED(estado) && WEXITSTATUS(estado) == kReiniciar) {
                if (!lanzar()) return false;
                continue;
            }
            return false;
        }
        // The pipe may take the connection before LibreOffice answers on
        // it, and a LibreOffice that hangs while it starts never would: the
        // call waits on a thread of its own, and past the limit LibreOffice
        // is killed, which ends that call.
        auto intento = std::async(std::launch::async, [&prueba] { return prueba.conectar(); });
        if (intento.wait_until(limite) != std::future_status::ready) {
            anotarTubos();
            matar();
            intento.wait();
            return false;
        }
        if (intento.get()) {
            anotarTubos();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    anotarTubos();
    detener();
    return false;
}

bool LibreOfficePrivado::esperarFin(std::chrono::milliseconds espera) {
    const auto limite = std::chrono::steady_clock::now() + espera;
    do {
        const pid_t r = waitpid(pid_, nullptr, WNOHANG);
        if (r == pid_ || (r < 0 && errno == ECHILD)) {
            pid_ = -1;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < limite);
    return false;
}

bool LibreOfficePrivado::enMarcha() {
    if (pid_ <= 0) return false;
    const pid_t r = waitpid(pid_, nullptr, WNOHANG);
    if (r == pid_ || (r < 0 && errno == ECHILD)) {
        pid_ = -1;
        return false;
    }
    return true;
}

void LibreOfficePrivado::detener() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (esperarFin(std::chrono::seconds(5))) return;
    kill(pid_, SIGKILL);
    esperarFin(std::chrono::seconds(5));
}

void LibreOfficePrivado::matar() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    esperarFin(std::chrono::seconds(5));
}

bool terminarWriter(std::unique_ptr<Writer>& writer, LibreOfficePrivado& libreOffice) {
    if (!writer || writer->terminar()) return true;
    libreOffice.matar();
    if (!writer->terminar()) static_cast<void>(writer.release());
    return false;
}

} // namespace renglero
