#include "writer/LibreOfficeEnMarcha.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace renglero {

bool libreOfficeDelUsuarioEnMarcha() {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), fin; !error && it != fin; it.increment(error)) {
        const fs::path proceso = it->path();
        struct stat datos {};
        if (stat(proceso.c_str(), &datos) != 0 || datos.st_uid != getuid()) continue;
        std::string nombre;
        std::getline(std::ifstream(proceso / "comm"), nombre);
        if (nombre != "soffice.bin") continue;
        std::ifstream leer(proceso / "cmdline", std::ios::binary);
        const std::string orden{std::istreambuf_iterator<char>(leer), {}};
        if (orden.find("-env:UserInstallation=") == std::string::npos) return true;
    }
    return false;
}

} // namespace renglero
