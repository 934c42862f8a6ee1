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
