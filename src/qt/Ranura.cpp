#include "qt/Ranura.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace renglero {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCerrojo = "/cerrojo";

std::string porque(const char* que) {
    return std::string(que) + ": " + std::strerror(errno);
}

// The folder's own entry on the disk, so that a rename in it survives a
// power cut too.
void sincronizarCarpeta(const std::string& carpeta) {
    const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Opens and locks the slot's lock file; -1 when another process holds it or
// it cannot be opened.
int cerrar(const std::string& carpeta, bool crear) {
    const int fd =
        ::open((carpeta + kCerrojo).c_str(), O_RDWR | O_CLOEXEC | (crear ? O_CREAT : 0), 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool crearCarpetas(const std::string& carpeta) {
    std::error_code e;
    fs::create_directories(carpeta, e);
    // The pupil's work is nobody else's.
    ::chmod(carpeta.c_str(), 0700);
    return fs::is_directory(carpeta, e);
}

} // namespace

bool escribirAtomico(const std::string& ruta, std::string_view datos, std::string* error) {
    const std::string temporal = ruta + ".nueva";
    const int fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error) *error = porque("open");
        return false;
    }
    std::size_t hecho = 0;
    while (hecho < datos.size()) {
        const ssize_t n = ::write(fd, datos.data() + hecho, datos.size() - hecho);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (error) *error = porque("write");
            ::close(fd);
            ::unlink(temporal.c_str());
            return false;
        }
        hecho += static_cast<std::size_t>(n);
    }
    // On the disk before the rename makes it the copy.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        if (error) *error = porque("fsync");
        ::unlink(temporal.c_str());
        return false;
    }
    if (::rename(temporal.c_str(), ruta.c_str()) != 0) {
        if (error) *error = porque("rename");
        ::unlink(temporal.c_str());
        return false;
    }
    sincronizarCarpeta(fs::path(ruta).parent_path().string());
    return true;
}

std::optional<std::string> leerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return std::nullopt;
    std::ostringstream s;
    s << f.rdbuf();
    if (f.bad()) return std::nullopt;
    return s.str();
}

std::string carpetaRecuperacion() {
    // A relative XDG_STATE_HOME is to be ignored, as the XDG rules say.
    const char* estado = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (estado != nullptr && estado[0] == '/') {
        base = estado;
    } else {
        const char* casa = std::getenv("HOME");
        base = std::string(casa != nullptr ? casa : "") + "/.local/state";
    }
    return base + "/renglero/recuperacion";
}

Ranura Ranura::nueva(const std::string& carpeta) {
    Ranura r;
    if (!crearCarpetas(carpeta)) return r;
    std::string plantilla = carpeta + "/cuaderno-XXXXXX";
    if (::mkdtemp(plantilla.data()) == nullptr) return r;
    const int fd = cerrar(plantilla, true);
    if (fd < 0) {
        ::rmdir(plantilla.c_str());
        return r;
    }
    r.carpeta_ = plantilla;
    r.cerrojo_ = fd;
    return r;
}

std::optional<Ranura> Ranura::abandonada(const std::string& carpeta) {
    std::error_code e;
    std::optional<Ranura> mejor;
    fs::file_time_type fechaMejor;
    for (const fs::directory_entry& d : fs::directory_iterator(carpeta, e)) {
        if (!d.is_directory(e)) continue;
        Ranura r;
        r.carpeta_ = d.path().string();
        // Held: a notebook running now. A slot being made has no lock file
        // yet for a moment; it is left alone too.
        r.cerrojo_ = cerrar(r.carpeta_, false);
        if (r.cerrojo_ < 0) continue;
        const fs::file_time_type fecha = fs::last_write_time(r.rutaCopia(), e);
        if (e) {
            // It left no copy.
            e.clear();
            r.eliminar();
            continue;
        }
        if (!mejor || fecha > fechaMejor) {
            mejor = std::move(r);
            fechaMejor = fecha;
        }
    }
    return mejor;
}

Ranura::Ranura(Ranura&& otra) noexcept
    : carpeta_(std::move(otra.carpeta_)), cerrojo_(otra.cerrojo_) {
    otra.cerrojo_ = -1;
}

Ranura& Ranura::operator=(Ranura&& otra) noexcept {
    if (this != &otra) {
        if (cerrojo_ >= 0) ::close(cerrojo_);
        carpeta_ = std::move(otra.carpeta_);
        cerrojo_ = otra.cerrojo_;
        otra.cerrojo_ = -1;
    }
    return *this;
}

Ranura::~Ranura() {
    if (cerrojo_ >= 0) ::close(cerrojo_);
}

bool Ranura::guardar(std::string_view datos, std::string* error) const {
    if (!reclamada()) {
        if (error) *error = "sin ranura";
        return false;
    }
    return escribirAtomico(rutaCopia(), datos, error);
}

void Ranura::eliminar() {
    if (!reclamada()) return;
    // The copy first: a slot without a copy is only an empty slot. The lock
    // file goes last, while it is still held.
    ::unlink(rutaCopia().c_str());
    ::unlink((rutaCopia() + ".nueva").c_str());
    ::unlink((carpeta_ + kCerrojo).c_str());
    ::rmdir(carpeta_.c_str());
    ::close(cerrojo_);
    cerrojo_ = -1;
}

} // namespace renglero
