#include "writer/TuboWriter.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace renglero::tubo {

namespace {

const char* const kArchivo = "tubo";
const char* const kPrefijo = "renglero-";

// A folder of this user's, not a link, with none of the `vedado` permission
// bits (the group's and others') set.
bool carpetaPropia(const std::string& ruta, mode_t vedado) {
    struct stat st {};
    return lstat(ruta.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & vedado) == 0;
}

// `base`/renglero, made if needed; "" unless both are safe: nobody else may
// write into the base (so nobody can swap what it holds), nor reach into ours.
std::string dentroDe(const char* base) {
    if (base == nullptr || base[0] != '/' || !carpetaPropia(base, 022)) return "";
    const std::string ruta = std::string(base) + "/renglero";
    if (mkdir(ruta.c_str(), 0700) != 0 && errno != EEXIST) return "";
    return carpetaPropia(ruta, 077) ? ruta : "";
}

bool nombreValido(const std::string& n) {
    if (n.rfind(kPrefijo, 0) != 0 || n.size() > 64) return false;
    for (const char c : n)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-')) return false;
    return true;
}

std::string leer(const std::string& archivo) {
    const int fd = open(archivo.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return "";
    char buf[80];
    const ssize_t n = read(fd, buf, sizeof buf);
    close(fd);
    if (n <= 0) return "";
    std::string s(buf, static_cast<std::size_t>(n));
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return nombreValido(s) ? s : "";
}

bool escribir(int fd, const std::string& nombre) {
    const std::string linea = nombre + "\n";
    const bool bien = write(fd, linea.data(), linea.size()) == static_cast<ssize_t>(linea.size());
    return close(fd) == 0 && bien;
}

// Replaces the file at once, so that nobody reads half a name.
void reemplazar(const std::string& archivo, const std::string& nombre) {
    const std::string temporal = archivo + "." + std::to_string(getpid());
    const int fd =
        open(temporal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (escribir(fd, nombre))
        std::rename(temporal.c_str(), archivo.c_str());
    else
        unlink(temporal.c_str());
}

} // namespace

std::string carpetaPrivada() {
    std::string c = dentroDe(std::getenv("XDG_RUNTIME_DIR"));
    if (!c.empty()) return c;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/')
        c = dentroDe(cache);
    if (!c.empty()) return c;
    const char* casa = std::getenv("HOME");
    if (casa == nullptr || casa[0] != '/') return "";
    const std::string cache = std::string(casa) + "/.cache";
    mkdir(cache.c_str(), 0700);
    return dentroDe(cache.c_str());
}

std::string nombreNuevo() {
    std::random_device azar;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%08x%08x", static_cast<unsigned>(azar()),
                  static_cast<unsigned>(azar()));
    return kPrefijo + std::string(hex);
}

std::string nombreGuardado(const std::string& carpeta) {
    if (carpeta.empty()) return nombreNuevo();
    const std::string archivo = carpeta + "/" + kArchivo;
    std::string nombre = leer(archivo);
    if (nombre.empty()) {
        // Two notebooks starting together agree on the first one's name.
        nombre = nombreNuevo();
        const int fd =
            open(archivo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            escribir(fd, nombre);
        } else if (const std::string otro = leer(archivo); !otro.empty()) {
            nombre = otro;
        } else {
            reemplazar(archivo, nombre);
        }
    }
    if (socket(nombre) == Socket::ajeno) {
        nombre = nombreNuevo();
        reemplazar(archivo, nombre);
    }
    return nombre;
}

void olvidar(const std::string& carpeta, const std::string& nombre) {
    if (carpeta.empty()) return;
    const std::string archivo = carpeta + "/" + kArchivo;
    if (leer(archivo) == nombre) unlink(archivo.c_str());
}

std::string rutaSocket(const std::string& nombre) {
    return "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + nombre;
}

Socket socket(const std::string& nombre) {
    struct stat st {};
    if (lstat(rutaSocket(nombre).c_str(), &st) != 0)
        return errno == ENOENT ? Socket::ninguno : Socket::ajeno;
    return S_ISSOCK(st.st_mode) && st.st_uid == getuid() ? Socket::propio : Socket::ajeno;
}

bool socketMuerto(const std::string& nombre) {
    if (socket(nombre) != Socket::propio) return false;
    const std::string ruta = rutaSocket(nombre);
    sockaddr_un dir{};
    if (ruta.size() >= sizeof dir.sun_path) return false;
    dir.sun_family = AF_UNIX;
    std::memcpy(dir.sun_path, ruta.c_str(), ruta.size() + 1);
    const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    const bool muerto = connect(s, reinterpret_cast<const sockaddr*>(&dir), sizeof dir) != 0 &&
                        errno == ECONNREFUSED;
    close(s);
    return muerto;
}

void quitarSocketMuerto(const std::string& nombre) {
    if (socketMuerto(nombre)) unlink(rutaSocket(nombre).c_str());
}

} // namespace renglero::tubo
