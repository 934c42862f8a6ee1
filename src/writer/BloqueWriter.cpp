// F9's block into Writer in one go: the block written as a small
// OpenDocument text, every run of equal formats one span, and inserted at
// the selection with one call. Run by run it costs three round trips per
// run, and a full formatted grid has thousands of runs.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string_view>
#include <tuple>
#include <unistd.h>
#include <zip.h>

#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <osl/file.hxx>

#include "writer/uno.h"

namespace renglero {

namespace {

// One code point of UTF-8 from position i (advanced past it).
std::string puntoSiguiente(const std::string& s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (c >= 0xF0)
        n = 4;
    else if (c >= 0xE0)
        n = 3;
    else if (c >= 0xC0)
        n = 2;
    n = std::min(n, s.size() - i);
    std::string r = s.substr(i, n);
    i += n;
    return r;
}

void escaparXml(std::string& salida, const std::string& s) {
    for (const char c : s) {
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

// The text properties of one run, with the values that formatear sets: the
// automatic raise and 58 % height read back as escapement 14000 / -14000.
std::string propiedadesTexto(const FormatoCaracter& f, const std::string& fuente) {
    std::string p = " fo:font-family=\"";
    escaparXml(p, f.simbolo ? std::string("Symbol") : fuente);
    p += '"';
    if (f.superindice)
        p += " style:text-position=\"super 58%\"";
    else if (f.subindice)
        p += " style:text-position=\"sub 58%\"";
    if (f.negrita) p += " fo:font-weight=\"bold\"";
    if (f.subrayado)
        p += " style:text-underline-style=\"solid\" style:text-underline-width=\"auto\""
             " style:text-underline-color=\"font-color\"";
    if (f.tachado) p += " style:text-line-through-style=\"solid\"";
    if (f.cursiva) p += " fo:font-style=\"italic\"";
    if (f.color) {
        char c[8];
        std::snprintf(c, sizeof c, "#%06x", static_cast<unsigned>(*f.color & 0xFFFFFF));
        p += " fo:color=\"";
        p += c;
        p += '"';
    }
    return p;
}

struct ClaveFormato {
    FormatoCaracter f;
    bool operator<(const ClaveFormato& o) const {
        auto tupla = [](const FormatoCaracter& x) {
            return std::make_tuple(x.simbolo, x.superindice, x.subindice, x.negrita, x.subrayado,
                                   x.tachado, x.cursiva, x.color.has_value(), x.color.value_or(0));
        };
        return tupla(f) < tupla(o.f);
    }
};

// The block as an OpenDocument content.xml: one paragraph per piece between
// breaks, each in the paragraph style given (so that the rows keep the style
// of the paragraph they split, as typed text would), one span per run. Every
// space is a <text:s/>, which XML's white space rules leave alone.
std::string bloqueOdf(const std::string& texto, const std::string& fuente,
                      const std::vector<FormatoCaracter>& formatos,
                      const std::string& estiloParrafo) {
    std::map<ClaveFormato, std::string> estilos;
    std::string cuerpo;
    std::string estiloP = " text:style-name=\"";
    escaparXml(estiloP, estiloParrafo);
    estiloP += '"';
    auto abrirParrafo = [&] { cuerpo += "<text:p" + estiloP + ">"; };
    abrirParrafo();
    bool spanAbierto = false;
    FormatoCaracter actual;
    auto cerrarSpan = [&] {
        if (spanAbierto) cuerpo += "</text:span>";
        spanAbierto = false;
    };
    const FormatoCaracter llano;
    std::size_t k = 0; // the character's number, from 0
    for (std::size_t i = 0; i < texto.size(); ++k) {
        const std::string punto = puntoSiguiente(texto, i);
        if (punto == "\r" || punto == "\n") {
            // "\r\n" is one break and takes the place of two characters.
            if (punto == "\r" && i < texto.size() && texto[i] == '\n') {
                ++i;
                ++k;
            }
            cerrarSpan();
            cuerpo += "</text:p>";
            abrirParrafo();
            continue;
        }
        const FormatoCaracter& f = k < formatos.size() ? formatos[k] : llano;
        if (!spanAbierto || !(f == actual)) {
            cerrarSpan();
            auto [it, nuevo] = estilos.try_emplace(ClaveFormato{f}, "");
            if (nuevo) it->second = "R" + std::to_string(estilos.size());
            cuerpo += "<text:span text:style-name=\"" + it->second + "\">";
            spanAbierto = true;
            actual = f;
        }
        if (punto == " ")
            cuerpo += "<text:s/>";
        else if (punto == "\t")
            cuerpo += "<text:tab/>";
        else if (punto == "\v")
            cuerpo += "<text:line-break/>";
        else if (static_cast<unsigned char>(punto[0]) >= 0x20)
            escaparXml(cuerpo, punto);
    }
    cerrarSpan();
    cuerpo += "</text:p>";

    std::string odf = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<office:document-content"
                      " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                      " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
                      " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
                      " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
                      " office:version=\"1.3\">"
                      "<office:automatic-styles>";
    for (const auto& [clave, nombre] : estilos)
        odf += "<style:style style:name=\"" + nombre +
               "\" style:family=\"text\"><style:text-properties" +
               propiedadesTexto(clave.f, fuente) + "/></style:style>";
    odf += "</office:automatic-styles><office:body><office:text>";
    odf += cuerpo;
    odf += "</office:text></office:body></office:document-content>\n";
    return odf;
}

const char* const kManifiesto =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
    " manifest:version=\"1.3\">"
    "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.3\""
    " manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>"
    "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
    "</manifest:manifest>\n";
const char* const kTipo = "application/vnd.oasis.opendocument.text";

// The block as a private temporary .odt that goes when the call ends,
// whatever happens. Writer inserts a packaged document at a cursor; the
// flat XML one it does not.
class ArchivoTemporal {
  public:
    explicit ArchivoTemporal(const std::string& contenido) {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "renglero-bloque-XXXXXX.odt").string();
        const int fd = ::mkstemps(plantilla.data(), 4);
        if (fd < 0) throw fallo();
        ::close(fd);
        ruta_ = plantilla;
        int codigo = 0;
        zip_t* z = ::zip_open(ruta_.c_str(), ZIP_TRUNCATE, &codigo);
        if (!z) throw fallo();
        // The mimetype first and stored, as the package format wants; the
        // buffers live until zip_close.
        const std::pair<const char*, std::string_view> entradas[] = {
            {"mimetype", kTipo},
            {"content.xml", contenido},
            {"META-INF/manifest.xml", kManifiesto}};
        for (const auto& [nombre, datos] : entradas) {
            zip_source_t* fuente = ::zip_source_buffer(z, datos.data(), datos.size(), 0);
            const zip_int64_t i = fuente ? ::zip_file_add(z, nombre, fuente, ZIP_FL_OVERWRITE) : -1;
            if (fuente && i < 0) ::zip_source_free(fuente);
            if (i < 0 ||
                ::zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0) < 0) {
                ::zip_discard(z);
                throw fallo();
            }
        }
        if (::zip_close(z) < 0) {
            ::zip_discard(z);
            throw fallo();
        }
    }
    ~ArchivoTemporal() {
        std::error_code e;
        if (!ruta_.empty()) std::filesystem::remove(ruta_, e);
    }
    ArchivoTemporal(const ArchivoTemporal&) = delete;
    ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;
    const std::string& ruta() const { return ruta_; }

  private:
    static ErrorWord fallo() {
        return ErrorWord(ErrorWord::Tipo::otro, "No se pudo preparar el bloque para Writer.");
    }
    std::string ruta_;
};

} // namespace

void Writer::insertarBloque(const std::string& texto, const std::string& fuente,
                            const std::vector<FormatoCaracter>& formatos) {
    proteger([&] {
        terminarLote();
        documento();
        Estado& e = *estado_;
        // Goes after the selection, as insertarTexto does.
        const Reference<css::text::XTextRange> fin = e.vista->getEnd();
        const Reference<css::text::XTextCursor> c = fin->getText()->createTextCursorByRange(fin);
        OUString estilo;
        Reference<css::beans::XPropertySet>(c, UNO_QUERY_THROW)
            ->getPropertyValue("ParaStyleName") >>= estilo;
        const ArchivoTemporal archivo(bloqueOdf(texto, fuente, formatos, aStd(estilo)));
        OUString url;
        if (osl::FileBase::getFileURLFromSystemPath(aOU(archivo.ruta()), url) !=
            osl::FileBase::E_None)
            throw ErrorWord(ErrorWord::Tipo::otro, "No se pudo preparar el bloque para Writer.");
        css::beans::PropertyValue filtro;
        filtro.Name = "FilterName";
        filtro.Value <<= OUString("writer8");
        // The first piece joins the paragraph at the cursor and the last one
        // the rest of it; the cursor then spans what came in.
        Reference<css::document::XDocumentInsertable>(c, UNO_QUERY_THROW)
            ->insertDocumentFromURL(url, lista({filtro}));
        Reference<css::view::XSelectionSupplier>(e.controlador, UNO_QUERY_THROW)
            ->select(uno::Any(Reference<css::text::XTextRange>(c, UNO_QUERY_THROW)));
        e.expansion.reset();
    });
}

} // namespace renglero
