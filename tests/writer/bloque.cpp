// F9's block in one insertion reads back, and fails, as sent run by run; its signs on the page.
#include <filesystem>
#include <regex>
#include <set>

#include "contrato/contrato.h"
#include "entorno.h"
#include "platform/CodigoPagina.h"
#include "word/PaqueteOdt.h"

namespace renglero::prueba {

namespace {

// A UTF-8 text added, each character in the format of `marcas` (describir's letters).
void poner(Bloque& b, const std::string& texto, const std::string& marcas = "") {
    FormatoCaracter f;
    bool* campos[] = {&f.negrita,     &f.cursiva,   &f.subrayado, &f.tachado,
                      &f.superindice, &f.subindice, &f.simbolo};
    for (std::size_t i = 0; i < marcas.size(); ++i)
        if (marcas[i] == '#')
            f.color = std::stoul(marcas.substr(i + 1, 6), nullptr, 16);
        else if (const auto k = std::string("NIUT^_S").find(marcas[i]); k != std::string::npos)
            *campos[k] = true;
    b.texto += texto;
    for (const char c : texto)
        if ((c & 0xC0) != 0x80) b.formatos.push_back(f);
}

// Every attribute alone and together, Symbol signs, colours side by side, blanks with and
// without formats, a wholly bold row and a plain one: each run after its marks in brackets.
Bloque bloqueCompleto() {
    const std::string tramos = "[]\r1[^]2[_]3[N]a[U]b[T]c[I]d[#ff0000]e[#0000ff]f[NIUT^#008000]g[] "
                               "[U]  [S]\xCF\x80[S#ff0000]\xE2\x88\x9A[] \r  [N]xyz[N_]2[N]<& "
                               "[]\r[N]125 + 37[]\r = 162\r";
    const std::regex tramo("\\[([^\\]]*)\\]([^[]*)");
    Bloque b;
    for (std::sregex_iterator i(tramos.begin(), tramos.end(), tramo), fin; i != fin; ++i)
        poner(b, (*i)[2], (*i)[1]);
    return b;
}

// The values of style:text-position in a saved .odt's content.
std::set<std::string> posicionesOdt(const std::string& ruta) {
    std::string xml, estilos;
    EXPECT_TRUE(leerPaqueteOdt(ruta, xml, estilos));
    const std::regex atributo("style:text-position=\"([^\"]*)\"");
    std::set<std::string> r;
    for (std::sregex_iterator i(xml.begin(), xml.end(), atributo), fin; i != fin; ++i)
        r.insert((*i)[1]);
    return r;
}

} // namespace

Bloque cuadriculaLlena() {
    Bloque b;
    poner(b, "\r");
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 62; ++c) {
            std::string m = r % 4 != 3 ? "N" : "";
            m += (c / 3) % 2 == 0 ? "I" : "";
            m += (c / 5) % 2 == 0 ? "U" : "";
            m += c % 11 == 0 ? "_" : "";
            m += c % 13 == 5 ? "^" : "";
            m += c % 17 == 4 ? "S" : "";
            m += c % 7 == 0 ? "#ff0000" : "";
            poner(b, c % 9 == 8 ? " " : std::string(1, static_cast<char>('a' + (r + c) % 26)), m);
        }
        poner(b, "\r");
    }
    return b;
}

// Amid text or at its start: the same selection (leading break to last row's), typing after
// it, saved super- and subscripts; no temporary file left (own folder: runs beside share /tmp).
TEST_F(ConWriter, BloqueDeUnaVezIgualQuePorTramos) {
    char temporales[] = "/tmp/renglero-temporales-XXXXXX";
    ASSERT_NE(mkdtemp(temporales), nullptr);
    const VariableDeEntorno tmpdir("TMPDIR", temporales);
    const auto enviar = [&](const Bloque& b, bool deUnaVez, bool conTexto) {
        if (conTexto) contrato::seguir(*w, *w, "e antes\n\ndespués;m -8");
        deUnaVez ? w->insertarBloque(b.texto, "Courier New", b.formatos)
                 : w->Word::insertarBloque(b.texto, "Courier New", b.formatos);
        const std::size_t largo = b.formatos.size();
        contrato::seguir(*w, *w,
                         "f 2 1 T;f " + std::to_string(largo - 1) + " 1 T;!f " +
                             std::to_string(largo + 1) + " 1 T;c;e sigue");
        const std::string ruta = std::string(temporales) + "/escape.odt";
        EXPECT_TRUE(w->guardar(ruta));
        std::string r = contrato::describir(w->leer());
        for (const std::string& p : posicionesOdt(ruta))
            r += " " + p;
        std::filesystem::remove(ruta);
        w->cerrarDocumento();
        w->nuevoDocumento();
        return r;
    };
    const Bloque completo = bloqueCompleto(), llena = cuadriculaLlena();
    EXPECT_EQ(enviar(completo, true, true), enviar(completo, false, true));
    EXPECT_EQ(enviar(completo, true, false), enviar(completo, false, false)) << "al principio";
    EXPECT_EQ(enviar(llena, true, true), enviar(llena, false, true)) << "cuadrícula llena";
    EXPECT_TRUE(std::filesystem::is_empty(temporales));
    std::filesystem::remove_all(temporales);
}

// Each palette sign sent with F9: a row holding one lines up with a row of letters.
TEST_F(ConWriter, LosSignosOcupanLoQueUnaLetra) {
    const std::string codigos =
        "\xB1\xA3\xB3\xB9\xE5\xD1\xA5\xAB\xAC\xAD\xAE\xAF\xB6@pabgdDwmelfFW";
    const std::string letras(codigos.size() * 2, 'x');
    Bloque b;
    poner(b, "\r" + letras + "\r");
    for (const char c : codigos) {
        poner(b, aUtf8(std::string(1, c), true), "S");
        poner(b, "x");
    }
    poner(b, "\r");
    w->insertarBloque(b.texto, "Courier New", b.formatos);
    const auto inicios = iniciosDeCaracteres(libreOffice().tubo(), letras);
    ASSERT_GE(inicios.size(), 2u);
    ASSERT_EQ(inicios[0].size(), inicios[1].size());
    for (std::size_t i = 0; i < codigos.size(); ++i)
        EXPECT_NEAR(inicios[1][2 * i + 1] - inicios[1][2 * i],
                    inicios[0][2 * i + 1] - inicios[0][2 * i], 0.05)
            << aUtf8(codigos.substr(i, 1), true);
}

} // namespace renglero::prueba
