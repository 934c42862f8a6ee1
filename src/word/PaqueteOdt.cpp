#include "word/PaqueteOdt.h"

#include <zip.h>

namespace renglero {

const char* const kEspaciosDeNombresOdt =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
    " office:version=\"1.2\"";

namespace {

const char* const kTipoOdt = "application/vnd.oasis.opendocument.text";

std::string manifiesto(const std::vector<ParteOdt>& partes) {
    std::string m = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<manifest:manifest"
                    " xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
                    " manifest:version=\"1.2\">\n"
                    " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\""
                    " manifest:media-type=\"";
    m += kTipoOdt;
    m += "\"/>\n";
    for (const ParteOdt& p : partes) {
        m += " <manifest:file-entry manifest:full-path=\"";
        anadirEscapadoXml(m, p.nombre);
        m += "\" manifest:media-type=\"text/xml\"/>\n";
    }
    m += "</manifest:manifest>\n";
    return m;
}

} // namespace

bool escribirPaqueteOdt(const std::string& ruta, const std::vector<ParteOdt>& partes,
                        std::string* error) {
    int codigo = 0;
    zip_t* z = zip_open(ruta.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &codigo);
    if (!z) {
        if (error) *error = "No se puede crear el archivo (" + std::to_string(codigo) + ").";
        return false;
    }
    // The type goes first and uncompressed, so that it can be read at a
    // fixed offset; the buffers live until zip_close.
    const std::string manif = manifiesto(partes);
    std::vector<ParteOdt> todas = {{"mimetype", kTipoOdt}, {"META-INF/manifest.xml", manif}};
    todas.insert(todas.end(), partes.begin(), partes.end());
    for (const ParteOdt& p : todas) {
        zip_source_t* fuente = zip_source_buffer(z, p.datos.data(), p.datos.size(), 0);
        const zip_int64_t i =
            fuente ? zip_file_add(z, p.nombre.c_str(), fuente, ZIP_FL_OVERWRITE) : -1;
        if (fuente && i < 0) zip_source_free(fuente);
        const zip_int32_t metodo = p.nombre == "mimetype" ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (i < 0 || zip_set_file_compression(z, static_cast<zip_uint64_t>(i), metodo, 0) < 0) {
            if (error) *error = zip_strerror(z);
            zip_discard(z);
            return false;
        }
    }
    if (zip_close(z) < 0) {
        if (error) *error = zip_strerror(z);
        zip_discard(z);
        return false;
    }
    return true;
}

namespace {

// One part, whole; false where the package has no such part or it cannot
// be read. A part larger than any document a pupil writes is refused.
bool leerParte(zip_t* z, const char* nombre, std::string& datos) {
    constexpr zip_uint64_t kMayorParte = 256u * 1024 * 1024;
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat(z, nombre, 0, &info) < 0 || !(info.valid & ZIP_STAT_SIZE) ||
        info.size > kMayorParte)
        return false;
    zip_file_t* f = zip_fopen(z, nombre, 0);
    if (!f) return false;
    datos.resize(info.size);
    zip_uint64_t hecho = 0;
    while (hecho < info.size) {
        const zip_int64_t n = zip_fread(f, datos.data() + hecho, info.size - hecho);
        if (n <= 0) break;
        hecho += static_cast<zip_uint64_t>(n);
    }
    zip_fclose(f);
    return hecho == info.size;
}

} // namespace

bool leerPaqueteOdt(const std::string& ruta, std::string& contenido, std::string& estilos,
                    FalloPaqueteOdt* fallo) {
    auto fallar = [&](FalloPaqueteOdt f) {
        if (fallo) *fallo = f;
        return false;
    };
    int codigo = 0;
    zip_t* z = zip_open(ruta.c_str(), ZIP_RDONLY, &codigo);
    if (!z) return fallar(FalloPaqueteOdt::noSeAbre);
    std::string tipo;
    // A text document or its template; a spreadsheet or a drawing is not one.
    const bool esTexto = leerParte(z, "mimetype", tipo) && tipo.rfind(kTipoOdt, 0) == 0 &&
                         (tipo.size() == std::string_view(kTipoOdt).size() ||
                          tipo.substr(tipo.size() - 9) == "-template");
    if (!esTexto) {
        zip_discard(z);
        return fallar(FalloPaqueteOdt::noEsTexto);
    }
    const bool hayContenido = leerParte(z, "content.xml", contenido);
    if (!leerParte(z, "styles.xml", estilos)) estilos.clear();
    zip_discard(z);
    if (!hayContenido) return fallar(FalloPaqueteOdt::incompleto);
    if (fallo) *fallo = FalloPaqueteOdt::ninguno;
    return true;
}

void anadirEscapadoXml(std::string& salida, std::string_view texto) {
    for (const char c : texto) {
        switch (c) {
        case '&':
            salida += "&amp;";
            break;
        case '<':
            salida += "&lt;";
            break;
        case '>':
            salida += "&gt;";
            break;
        case '"':
            salida += "&quot;";
            break;
        default:
            salida += c;
        }
    }
}

} // namespace renglero
