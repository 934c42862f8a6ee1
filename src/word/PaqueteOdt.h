#pragma once
// An OpenDocument text package (.odt) as both word processors' doors write
// it: the XML parts they compose, zipped with their manifest the way the
// format wants. Standard C++ and libzip only.
#include <string>
#include <string_view>
#include <vector>

namespace renglero {

// The namespaces that the parts' root elements declare, with the version.
extern const char* const kEspaciosDeNombresOdt;

// One part of the package: its path inside it and its bytes.
struct ParteOdt {
    std::string nombre;
    std::string_view datos;
};

// Writes the package at ruta: the mimetype first and stored, the manifest
// listing the parts, then the parts. False (and why, in error) on failure.
bool escribirPaqueteOdt(const std::string& ruta, const std::vector<ParteOdt>& partes,
                        std::string* error = nullptr);

// What leerPaqueteOdt could not read.
enum class FalloPaqueteOdt { ninguno, noSeAbre, noEsTexto, incompleto };

// Reads the parts of the text package at ruta: content.xml and styles.xml
// (empty where the package has none). False, and why, when it is no
// OpenDocument text package.
bool leerPaqueteOdt(const std::string& ruta, std::string& contenido, std::string& estilos,
                    FalloPaqueteOdt* fallo = nullptr);

// Appends texto to salida with XML's special characters written as entities.
void anadirEscapadoXml(std::string& salida, std::string_view texto);

} // namespace renglero
