// F9's whole block in one insertion: the document must read back as the run
// by run way leaves it, and the failures must be the same.
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include <unistd.h>
#include <zip.h>

#include "entorno.h"
#include "medida.h"
#include "platform/CodigoPagina.h"

namespace renglero::prueba {

namespace {

// A document as text, so that a difference shows where it is.
std::string describir(const DocumentoLeido& d) {
    std::ostringstream s;
    s << "abierto " << d.abierto << " cursor " << d.parrafoCursor << " tablas " << d.tablas.size()
      << "\n";
    for (const ParrafoLeido& p : d.parrafos) {
        s << "[" << p.texto << "]";
        for (const TramoLeido& t : p.tramos) {
            s << " (" << t.inicio << "+" << t.largo << " " << t.fuente;
            if (t.negrita) s << " negrita";
            if (t.cursiva) s << " cursiva";
            if (t.subrayado) s << " subrayado";
            if (t.tachado) s << " tachado";
            if (t.superindice) s << " super";
            if (t.subindice) s << " sub";
            if (t.color) s << " color " << std::hex << *t.color << std::dec;
            s << ")";
        }
        s << "\n";
    }
    return s.str();
}

struct Bloque {
    std::string texto;
    std::vector<FormatoCaracter> formatos;
};

// A character of the block with its format; "\r" ends a row.
void poner(Bloque& b, const std::string& caracter, FormatoCaracter f = {}) {
    b.texto += caracter;
    b.formatos.push_back(f);
}
void fila(Bloque& b) {
    poner(b, "\r");
}

// Every attribute alone and together, Symbol signs, colours side by side,
// blanks with and without formats, a wholly bold row and a plain one.
Bloque bloqueCompleto() {
    Bloque b;
    fila(b);
    FormatoCaracter simbolo, super, sub, negrita, subrayado, tachado, cursiva, rojo, azul, todo;
    simbolo.simbolo = true;
    super.superindice = true;
    sub.subindice = true;
    negrita.negrita = true;
    subrayado.subrayado = true;
    tachado.tachado = true;
    cursiva.cursiva = true;
    rojo.color = rgb(255, 0, 0);
    azul.color = rgb(0, 0, 255);
    todo = negrita;
    todo.cursiva = todo.subrayado = todo.tachado = todo.superindice = true;
    todo.color = rgb(0, 128, 0);
    poner(b, "1");
    poner(b, "2", super);
    poner(b, "3", sub);
    poner(b, "a", negrita);
    poner(b, "b", subrayado);
    poner(b, "c", tachado);
    poner(b, "d", cursiva);
    poner(b, "e", rojo);
    poner(b, "f", azul);
    poner(b, "g", todo);
    poner(b, " ");
    poner(b, " ", subrayado);
    poner(b, " ", subrayado);
    poner(b, "\xCF\x80", simbolo); // π
    FormatoCaracter simboloRojo = simbolo;
    simboloRojo.color = rgb(255, 0, 0);
    poner(b, "\xE2\x88\x9A", simboloRojo); // √
    poner(b, " ");
    fila(b);
    poner(b, " ");
    poner(b, " ");
    for (const char* c : {"x", "y", "z"})
        poner(b, c, negrita);
    FormatoCaracter negritaSub = negrita;
    negritaSub.subindice = true;
    poner(b, "2", negritaSub);
    poner(b, "<", negrita);
    poner(b, "&", negrita);
    poner(b, " ", negrita);
    fila(b);
    for (const char* c : {"1", "2", "5", " ", "+", " ", "3", "7"})
        poner(b, c, negrita);
    fila(b);
    for (const char* c : {" ", "=", " ", "1", "6", "2"})
        poner(b, c);
    fila(b);
    return b;
}

// content.xml of a saved .odt.
std::string contenidoOdt(const std::string& ruta) {
    int codigo = 0;
    zip_t* z = zip_open(ruta.c_str(), ZIP_RDONLY, &codigo);
    if (!z) return "";
    std::string r;
    zip_stat_t st;
    if (zip_stat(z, "content.xml", 0, &st) == 0) {
        if (zip_file_t* f = zip_fopen(z, "content.xml", 0)) {
            r.resize(st.size);
            if (zip_fread(f, r.data(), st.size) != static_cast<zip_int64_t>(st.size)) r.clear();
            zip_fclose(f);
        }
    }
    zip_close(z);
    return r;
}

} // namespace

// The block as F9 sends it, one insertion or run by run, into a document
// with text above and below the cursor's empty paragraph (or at its start);
// the pupil types on after it.
class BloqueWriter : public ConWriter {
  protected:
    std::string enviar(const Bloque& b, bool deUnaVez, bool conTexto) {
        if (conTexto) {
            w->escribir("antes\n\ndespués");
            w->moverCursor(-8);
        }
        if (deUnaVez)
            w->insertarBloque(b.texto, "Courier New", b.formatos);
        else
            w->Word::insertarBloque(b.texto, "Courier New", b.formatos);
        w->contraerSeleccion(false);
        w->escribir("sigue");
        const std::string r = describir(w->leer());
        w->cerrarDocumento();
        w->nuevoDocumento();
        return r;
    }
};

// A full Texto grid, its formats changing every few cells.
Bloque cuadriculaLlena() {
    Bloque b;
    fila(b);
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 62; ++c) {
            FormatoCaracter f;
            f.negrita = r % 4 != 3;
            f.cursiva = (c / 3) % 2 == 0;
            f.subrayado = (c / 5) % 2 == 0;
            if (c % 7 == 0) f.color = rgb(255, 0, 0);
            f.subindice = c % 11 == 0;
            f.superindice = c % 13 == 5;
            f.simbolo = c % 17 == 4;
            poner(b, c % 9 == 8 ? " " : std::string(1, static_cast<char>('a' + (r + c) % 26)), f);
        }
        fila(b);
    }
    return b;
}

TEST_F(BloqueWriter, DeUnaVezIgualQuePorTramos) {
    Bloque aritmetico;
    aritmetico.texto = "\r  125\r+ 37\r----\r  162\r";
    const struct {
        const char* nombre;
        Bloque bloque;
        bool conTexto;
    } casos[] = {{"completo", bloqueCompleto(), true},
                 {"al principio", bloqueCompleto(), false},
                 {"cuadrícula llena", cuadriculaLlena(), true},
                 {"aritmético", aritmetico, true}};
    for (const auto& c : casos)
        EXPECT_EQ(enviar(c.bloque, true, c.conTexto), enviar(c.bloque, false, c.conTexto))
            << c.nombre;
}

// The Symbol signs of the palette keep the grid's columns: each one, sent
// with F9, takes as much room on the page as a letter of the block does, so
// a row that holds one still lines up with the rows above and below it.
TEST_F(BloqueWriter, LosSignosOcupanLoQueUnaLetra) {
    const std::string codigos =
        "\xB1\xA3\xB3\xB9\xE5\xD1\xA5\xAB\xAC\xAD\xAE\xAF\xB6@pabgdDwmelfFW";
    Bloque b;
    fila(b);
    FormatoCaracter simbolo;
    simbolo.simbolo = true;
    for (std::size_t i = 0; i < 2 * codigos.size(); ++i)
        poner(b, "x");
    fila(b);
    for (const char c : codigos) {
        poner(b, aUtf8(std::string(1, c), true), simbolo);
        poner(b, "x");
    }
    fila(b);
    w->insertarBloque(b.texto, "Courier New", b.formatos);
    const auto inicios =
        iniciosDeCaracteres(libreOffice().tubo(), std::string(codigos.size() * 2, 'x'));
    ASSERT_GE(inicios.size(), 2u);
    ASSERT_EQ(inicios[0].size(), inicios[1].size());
    for (std::size_t i = 0; i < codigos.size(); ++i) {
        const double letra = inicios[0][2 * i + 1] - inicios[0][2 * i];
        const double signo = inicios[1][2 * i + 1] - inicios[1][2 * i];
        EXPECT_NEAR(signo, letra, 0.05) << aUtf8(codigos.substr(i, 1), true);
    }
}

// Super- and subscript with the very values of formatear, as the saved
// document shows them.
TEST_F(BloqueWriter, EscapamientoComoPorTramos) {
    Bloque b;
    fila(b);
    FormatoCaracter super, sub;
    super.superindice = true;
    sub.subindice = true;
    poner(b, "x");
    poner(b, "2", super);
    poner(b, "a");
    poner(b, "1", sub);
    fila(b);
    auto posiciones = [&](bool deUnaVez) {
        if (deUnaVez)
            w->insertarBloque(b.texto, "Courier New", b.formatos);
        else
            w->Word::insertarBloque(b.texto, "Courier New", b.formatos);
        const auto ruta = std::filesystem::temp_directory_path() /
                          ("renglero-escape-" + std::to_string(::getpid()) + ".odt");
        EXPECT_TRUE(w->guardar(ruta.string()));
        const std::string xml = contenidoOdt(ruta.string());
        std::filesystem::remove(ruta);
        std::set<std::string> valores;
        const std::string atributo = "style:text-position=\"";
        for (auto i = xml.find(atributo); i != std::string::npos; i = xml.find(atributo, i + 1)) {
            const auto desde = i + atributo.size();
            valores.insert(xml.substr(desde, xml.find('"', desde) - desde));
        }
        w->cerrarDocumento();
        w->nuevoDocumento();
        return valores;
    };
    const std::set<std::string> porTramos = posiciones(false);
    EXPECT_EQ(posiciones(true), porTramos);
    EXPECT_EQ(porTramos, (std::set<std::string>{"sub 58%", "super 58%"}));
}

// The selection spans the block, from its leading break to the last row's,
// and no temporary file is left (a folder of its own: another run beside
// this one leaves and takes files in the common one meanwhile).
TEST_F(BloqueWriter, LaSeleccionAbarcaElBloqueYNoQuedanTemporales) {
    char carpeta[] = "/tmp/renglero-temporales-XXXXXX";
    ASSERT_NE(mkdtemp(carpeta), nullptr);
    const char* previa = std::getenv("TMPDIR");
    const std::string anterior = previa != nullptr ? previa : "";
    setenv("TMPDIR", carpeta, 1);
    const Bloque b = bloqueCompleto();
    w->insertarBloque(b.texto, "Courier New", b.formatos);
    if (previa != nullptr)
        setenv("TMPDIR", anterior.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(carpeta));
    std::filesystem::remove_all(carpeta);
    const int largo = static_cast<int>(b.formatos.size());
    w->formatear(2, 1, Atributo::tachado);
    w->formatear(largo - 1, 1, Atributo::tachado);
    EXPECT_THROW(w->formatear(largo + 1, 1, Atributo::tachado), ErrorWord);
    w->contraerSeleccion(false);
    const DocumentoLeido d = w->leer();
    ASSERT_EQ(d.parrafos.size(), 6u) << describir(d);
    EXPECT_TRUE(d.parrafos[1].tramos.front().tachado);
    EXPECT_EQ(d.parrafos[1].tramos.front().largo, 1);
    EXPECT_TRUE(d.parrafos[4].tramos.back().tachado);
    EXPECT_EQ(d.parrafos[4].tramos.back().largo, 1);
    EXPECT_EQ(d.parrafoCursor, 5);
}

} // namespace renglero::prueba
