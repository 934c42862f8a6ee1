// F9's block into Writer in one go: the block written as a small
// OpenDocument text, every run of equal formats one span, and inserted at
// the selection with one call. Run by run it costs three round trips per
// run, and a full formatted grid has thousands of runs.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>
#include <unistd.h>

#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <osl/file.hxx>

#include "platform/CodigoPagina.h"
#include "word/PaqueteOdt.h"
#include "writer/uno.h"

namespace renglero {

namespace {

// The text properties of one run, with the values that formatear sets: the
// automatic raise and 58 % height read back as escapement 14000 / -14000.
std::string propiedadesTexto(const FormatoCaracter& f, const std::string& fuente) {
    std::string p = " fo:font-family=\"";
    anadirEscapadoXml(p, f.simbolo ? std::string(kFuenteSignos) : fuente);
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
    anadirEscapadoXml(estiloP, estiloParrafo);
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
    const std::u32string puntos = decodificarUtf8(texto);
    // k, the character's number from 0, counts code points.
    for (std::size_t k = 0; k < puntos.size(); ++k) {
        const char32_t punto = puntos[k];
        if (punto == U'\r' || punto == U'\n') {
            // "\r\n" is one break and takes the place of two characters.
            if (punto == U'\r' && k + 1 < puntos.size() && puntos[k + 1] == U'\n') ++k;
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
        if (punto == U' ')
            cuerpo += "<text:s/>";
        else if (punto == U'\t')
            cuerpo += "<text:tab/>";
        else if (punto == U'\v')
            cuerpo += "<text:line-break/>";
        else if (punto >= 0x20)
            anadirEscapadoXml(cuerpo, utf8(punto));
    }
    cerrarSpan();
    cuerpo += "</text:p>";

    std::string odf = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
    odf += kEspaciosDeNombresOdt;
    odf += "><office:automatic-styles>";
    for (const auto& [clave, nombre] : estilos)
        odf += "<style:style style:name=\"" + nombre +
               "\" style:family=\"text\"><style:text-properties" +
               propiedadesTexto(clave.f, fuente) + "/></style:style>";
    odf += "</office:automatic-styles><office:body><office:text>";
    odf += cuerpo;
    odf += "</office:text></office:body></office:document-content>\n";
    return odf;
}

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
        if (!escribirPaqueteOdt(ruta_, {{"content.xml", contenido}})) throw fallo();
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
    // The one call whose work grows with what it carries: a full Texto
    // grid takes Writer a moment longer than the deadline of the others.
    const std::chrono::milliseconds mas(texto.size() / 4);
    llamar(
        [=, this] {
            terminarLote();
            documento();
            Estado& e = *estado_;
            // Goes after the selection, as insertarTexto does.
            const Reference<css::text::XTextCursor> c = e.cursorTrasSeleccion();
            OUString estilo;
            Reference<css::beans::XPropertySet>(c, UNO_QUERY_THROW)
                ->getPropertyValue("ParaStyleName") >>= estilo;
            const ArchivoTemporal archivo(bloqueOdf(texto, fuente, formatos, aStd(estilo)));
            OUString url;
            if (osl::FileBase::getFileURLFromSystemPath(aOU(archivo.ruta()), url) !=
                osl::FileBase::E_None)
                throw ErrorWord(ErrorWord::Tipo::otro,
                                "No se pudo preparar el bloque para Writer.");
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
        },
        mas);
}

} // namespace renglero
