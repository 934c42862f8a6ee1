#include "writer/LibreOfficeEnMarcha.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace renglero {

namespace {

std::string leer(const std::filesystem::path& archivo) {
    std::ifstream f(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The folder of the user's LibreOffice profile, for an environment given by
// a lookup of its variables: the same folder is the same running office.
template <class Variable> std::string carpetaDeConfiguracion(Variable variable) {
    const std::string config = variable("XDG_CONFIG_HOME");
    if (!config.empty() && config[0] == '/') return config;
    return variable("HOME") + "/.config";
}

std::string variableDe(const std::string& entorno, const std::string& nombre) {
    std::istringstream variables(entorno);
    const std::string clave = nombre + "=";
    for (std::string v; std::getline(variables, v, '\0');)
        if (v.rfind(clave, 0) == 0) return v.substr(clave.size());
    return {};
}

} // namespace

bool libreOfficeDelUsuarioEnMarcha() {
    namespace fs = std::filesystem;
    const std::string propia = carpetaDeConfiguracion([](const char* n) {
        const char* v = std::getenv(n);
        return std::string(v != nullptr ? v : "");
    });
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), fin; !error && it != fin; it.increment(error)) {
        const fs::path proceso = it->path();
        struct stat datos {};
        if (stat(proceso.c_str(), &datos) != 0 || datos.st_uid != getuid()) continue;
        if (leer(proceso / "comm") != "soffice.bin\n") continue;
        if (leer(proceso / "cmdline").find("-env:UserInstallation=") != std::string::npos) continue;
        const std::string entorno = leer(proceso / "environ");
        if (carpetaDeConfiguracion([&](const char* n) { return variableDe(entorno, n); }) == propia)
            return true;
    }
    return false;
}

} // namespace renglero
