// The saved .odt, opened again with the zip library and read back from its
// XML: the text, every format, the fonts by name, the tables with their
// borders, widths and shading, and the page.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <zip.h>

#include "propio/DocumentoPropio.h"
#include "word/PaqueteOdt.h"

using namespace renglero;

namespace {

struct Paquete {
    std::vector<std::string> nombres; // in the order of the archive
    std::vector<int> metodos;
    std::map<std::string, QByteArray> archivos;
};

Paquete abrirPaquete(const QString& ruta) {
    Paquete p;
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error);
    if (!z) {
        ADD_FAILURE() << "cannot open " << ruta.toStdString();
        return p;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        p.nombres.push_back(st.name);
        p.metodos.push_back(st.comp_method);
        QByteArray datos(static_cast<int>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z, i, 0);
        EXPECT_EQ(zip_fread(f, datos.data(), st.size), static_cast<zip_int64_t>(st.size));
        zip_fclose(f);
        p.archivos[st.name] = datos;
    }
    zip_close(z);
    return p;
}

// What a reader of content.xml finds.
struct Contenido {
    std::map<QString, std::map<QString, QString>> estilos; // properties by style name
    std::set<QString> fuentes;                             // declared font faces
    struct Parrafo {
        QString texto;
        std::vector<QString> estilo; // text style of each character
    };
    std::vector<Parrafo> parrafos; // outside tables
    struct Tabla {
        int despuesDe = -1;
        std::vector<QString> columnas;
        std::vector<std::vector<QString>> estiloCelda, textoCelda;
    };
    std::vector<Tabla> tablas;

    QString propiedad(const QString& estilo, const char* nombre) const {
        auto it = estilos.find(estilo);
        if (it == estilos.end()) return {};
        auto p = it->second.find(QString::fromLatin1(nombre));
        return p == it->second.end() ? QString() : p->second;
    }
    QString deCaracter(int parrafo, int i, const char* nombre) const {
        return propiedad(parrafos.at(parrafo).estilo.at(i), nombre);
    }
};

Contenido leerContenido(const QByteArray& xml) {
    Contenido c;
    QXmlStreamReader r(xml);
    QString estilo;
    std::vector<QString> spans;
    Contenido::Parrafo* parrafo = nullptr;
    Contenido::Parrafo enCelda;
    bool dentroDeCelda = false;
    auto anadir = [&](const QString& s) {
        Contenido::Parrafo& p = dentroDeCelda ? enCelda : *parrafo;
        p.texto += s;
        for (int i = 0; i < s.size(); ++i)
            p.estilo.push_back(spans.empty() ? "" : spans.back());
    };
    while (!r.atEnd()) {
        r.readNext();
        const QString n = r.qualifiedName().toString();
        if (r.isStartElement()) {
            const auto a = r.attributes();
            if (n == "style:style") {
                estilo = a.value("style:name").toString();
            } else if (n.startsWith("style:") && n.endsWith("-properties") && !estilo.isEmpty()) {
                for (const auto& at : a)
                    c.estilos[estilo][at.qualifiedName().toString()] = at.value().toString();
            } else if (n == "style:font-face") {
                c.fuentes.insert(a.value("style:name").toString());
            } else if (n == "text:p") {
                if (dentroDeCelda) {
                    if (!enCelda.texto.isEmpty()) anadir("\n");
                } else {
                    c.parrafos.emplace_back();
                    parrafo = &c.parrafos.back();
                }
            } else if (n == "text:span") {
                spans.push_back(a.value("text:style-name").toString());
            } else if (n == "text:s") {
                const int k = a.hasAttribute("text:c") ? a.value("text:c").toInt() : 1;
                anadir(QString(k, ' '));
            } else if (n == "text:tab") {
                anadir("\t");
            } else if (n == "table:table") {
                c.tablas.emplace_back();
                c.tablas.back().despuesDe = static_cast<int>(c.parrafos.size()) - 1;
            } else if (n == "table:table-column") {
                c.tablas.back().columnas.push_back(a.value("table:style-name").toString());
            } else if (n == "table:table-row") {
                c.tablas.back().estiloCelda.emplace_back();
                c.tablas.back().textoCelda.emplace_back();
            } else if (n == "table:table-cell") {
                c.tablas.back().estiloCelda.back().push_back(
                    a.value("table:style-name").toString());
                dentroDeCelda = true;
                enCelda = {};
            }
        } else if (r.isEndElement()) {
            if (n == "style:style") estilo.clear();
            if (n == "text:span") spans.pop_back();
            if (n == "table:table-cell") {
                c.tablas.back().textoCelda.back().push_back(enCelda.texto);
                dentroDeCelda = false;
            }
        } else if (r.isCharacters() && (parrafo || dentroDeCelda)) {
            anadir(r.text().toString());
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return c;
}

// A document with all that the notebook sends and the table manager makes.
void componerEjemplo(DocumentoPropio& doc) {
    // 1 break, 2-7 "  A  B", 8 break, 9-16 "πnkstcud", 17 break.
    doc.insertarTexto("\r  A  B\r\xCF\x80nkstcud\r");
    doc.fuenteSeleccion("Courier New");
    doc.formatear(9, 1, Atributo::simbolo);
    doc.formatear(10, 1, Atributo::negrita);
    doc.formatear(11, 1, Atributo::cursiva);
    doc.formatear(12, 1, Atributo::subrayado);
    doc.formatear(13, 1, Atributo::tachado);
    doc.formatear(14, 1, Atributo::color, rgb(255, 0, 0));
    doc.formatear(15, 1, Atributo::superindice);
    doc.formatear(16, 1, Atributo::subindice);
    doc.contraerSeleccion(false);
    doc.agregarTabla(2, 2);
    doc.formatoTabla(false);
    doc.escribir("c11");
    doc.moverCeldas(1);
    doc.sombrearPrimeraCelda(200);
    doc.fijarAnchoColumna(100);
    doc.escribir("x  y");
    doc.moverCursor(100);
    doc.escribir("fin");
}

} // namespace

TEST(Odt, GuardaYSeLeeTodo) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    componerEjemplo(doc);
    const QString ruta = dir.filePath("prueba.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    EXPECT_FALSE(doc.documento()->isModified());

    const Paquete p = abrirPaquete(ruta);
    ASSERT_FALSE(p.nombres.empty());
    EXPECT_EQ(p.nombres[0], "mimetype");
    EXPECT_EQ(p.metodos[0], ZIP_CM_STORE);
    EXPECT_EQ(p.archivos.at("mimetype"), "application/vnd.oasis.opendocument.text");
    for (const char* n : {"META-INF/manifest.xml", "content.xml", "styles.xml"})
        EXPECT_TRUE(p.archivos.count(n)) << n;
    EXPECT_TRUE(p.archivos.at("META-INF/manifest.xml").contains("content.xml"));

    const Contenido c = leerContenido(p.archivos.at("content.xml"));
    ASSERT_EQ(c.parrafos.size(), 5u);
    // Runs of spaces survive: the notebook's columns stay aligned.
    EXPECT_EQ(c.parrafos[1].texto, "  A  B");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(c.deCaracter(1, i, "style:font-name"), "Courier New");
    EXPECT_EQ(c.parrafos[2].texto, QString::fromUtf8("\xCF\x80nkstcud"));
    EXPECT_EQ(c.deCaracter(2, 0, "style:font-name"), "Symbol");
    EXPECT_EQ(c.deCaracter(2, 1, "style:font-name"), "Courier New");
    EXPECT_EQ(c.deCaracter(2, 1, "fo:font-weight"), "bold");
    EXPECT_EQ(c.deCaracter(2, 2, "fo:font-style"), "italic");
    EXPECT_EQ(c.deCaracter(2, 3, "style:text-underline-style"), "solid");
    EXPECT_EQ(c.deCaracter(2, 4, "style:text-line-through-style"), "solid");
    EXPECT_EQ(c.deCaracter(2, 5, "fo:color"), "#ff0000");
    EXPECT_TRUE(c.deCaracter(2, 6, "style:text-position").startsWith("super"));
    EXPECT_TRUE(c.deCaracter(2, 7, "style:text-position").startsWith("sub"));
    // Each attribute on its own character only.
    EXPECT_EQ(c.deCaracter(2, 2, "fo:font-weight"), "");
    EXPECT_EQ(c.deCaracter(2, 1, "fo:color"), "");
    EXPECT_EQ(c.deCaracter(2, 5, "style:text-position"), "");
    EXPECT_TRUE(c.fuentes.count("Courier New"));
    EXPECT_TRUE(c.fuentes.count("Symbol"));
    EXPECT_EQ(c.parrafos[4].texto, "fin");

    ASSERT_EQ(c.tablas.size(), 1u);
    const Contenido::Tabla& t = c.tablas[0];
    EXPECT_EQ(t.despuesDe, 3);
    ASSERT_EQ(t.columnas.size(), 2u);
    EXPECT_EQ(c.propiedad(t.columnas[0], "style:column-width"), "226.78pt");
    EXPECT_EQ(c.propiedad(t.columnas[1], "style:column-width"), "100.00pt");
    ASSERT_EQ(t.textoCelda.size(), 2u);
    EXPECT_EQ(t.textoCelda[0], (std::vector<QString>{"c11", "x  y"}));
    EXPECT_EQ(t.textoCelda[1], (std::vector<QString>{"", ""}));
    for (const auto& fila : t.estiloCelda)
        for (const QString& e : fila)
            EXPECT_EQ(c.propiedad(e, "fo:border"), "none");
    EXPECT_EQ(c.propiedad(t.estiloCelda[0][1], "fo:background-color"), "#cccccc");
    EXPECT_EQ(c.propiedad(t.estiloCelda[0][0], "fo:background-color"), "");
    EXPECT_EQ(c.propiedad(t.estiloCelda[1][1], "fo:background-color"), "");

    const QByteArray estilos = p.archivos.at("styles.xml");
    QXmlStreamReader r(estilos);
    std::map<QString, QString> pagina;
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement &&
            r.qualifiedName() == QLatin1String("style:page-layout-properties"))
            for (const auto& a : r.attributes())
                pagina[a.qualifiedName().toString()] = a.value().toString();
    EXPECT_FALSE(r.hasError());
    EXPECT_EQ(pagina["fo:page-width"], "595.30pt");
    EXPECT_EQ(pagina["fo:page-height"], "841.90pt");
    EXPECT_EQ(pagina["fo:margin-left"], "70.87pt");
    EXPECT_EQ(pagina["fo:margin-right"], "70.87pt");
}

TEST(Odt, CuadriculaYPaginaPropias) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 54);
    doc.agregarTabla(1, 3);
    const QString ruta = dir.filePath("cuadricula.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    const Paquete p = abrirPaquete(ruta);
    const Contenido c = leerContenido(p.archivos.at("content.xml"));
    ASSERT_EQ(c.tablas.size(), 1u);
    for (const QString& e : c.tablas[0].estiloCelda.at(0))
        EXPECT_TRUE(c.propiedad(e, "fo:border").contains("solid"));
    for (const QString& col : c.tablas[0].columnas)
        EXPECT_EQ(c.propiedad(col, "style:column-width"), "162.00pt"); // (612 - 126) / 3
    EXPECT_TRUE(p.archivos.at("styles.xml").contains("fo:page-width=\"612.00pt\""));
    EXPECT_TRUE(p.archivos.at("styles.xml").contains("fo:margin-right=\"54.00pt\""));
}

TEST(Odt, TextoQueElXmlNoAdmiteNoRompeElArchivo) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.escribir("a<b>&\"c\x01 \t d");
    const QString ruta = dir.filePath("raro.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    const Contenido c = leerContenido(abrirPaquete(ruta).archivos.at("content.xml"));
    ASSERT_EQ(c.parrafos.size(), 1u);
    EXPECT_EQ(c.parrafos[0].texto, "a<b>&\"c \t d");
}

TEST(Odt, NoSeGuardaDondeNoSePuede) {
    DocumentoPropio doc;
    doc.escribir("x");
    EXPECT_FALSE(doc.guardar("/no/existe/esta/carpeta/x.odt"));
    EXPECT_TRUE(doc.documento()->isModified());
}

TEST(Odt, SeGuardaEnUnaCarpetaCuyoNombreNoEsUtf8) {
    // The name's bytes reach the file system as they are ("año" in Latin-1).
    QTemporaryDir dir;
    const std::string carpeta = QFile::encodeName(dir.path()).toStdString() + "/a\xF1o";
    ASSERT_TRUE(std::filesystem::create_directory(carpeta));
    DocumentoPropio doc;
    doc.escribir("x");
    EXPECT_TRUE(doc.guardar(carpeta + "/x.odt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(carpeta + "/x.odt"));
}

// With LibreOffice at hand, it must open the file and find the text.
TEST(Odt, LibreOfficeLoAbreSiEstaInstalado) {
    QString programa = QStandardPaths::findExecutable("soffice");
    if (programa.isEmpty()) programa = QStandardPaths::findExecutable("libreoffice");
    if (programa.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    DocumentoPropio doc;
    componerEjemplo(doc);
    const QString ruta = dir.filePath("lo.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    QProcess lo;
    lo.start(programa, {"-env:UserInstallation=file://" + dir.filePath("perfil"), "--headless",
                        "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(), ruta});
    ASSERT_TRUE(lo.waitForFinished(120000));
    QFile txt(dir.filePath("lo.txt"));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(txt.readAll());
    EXPECT_TRUE(texto.contains("  A  B"));
    EXPECT_TRUE(texto.contains(QString::fromUtf8("\xCF\x80nkstcud")));
    EXPECT_TRUE(texto.contains("x  y"));
}

namespace {

// Everything the notebook reads of a document, widths to the hundredth.
std::string lectura(DocumentoPropio& doc) {
    const DocumentoLeido d = doc.leer();
    std::string s;
    for (const ParrafoLeido& p : d.parrafos) {
        s += "P[" + p.texto + "]";
        for (const TramoLeido& t : p.tramos)
            s += " " + std::to_string(t.inicio) + "+" + std::to_string(t.largo) + ":" + t.fuente +
                 (t.negrita ? ",N" : "") + (t.cursiva ? ",C" : "") + (t.subrayado ? ",S" : "") +
                 (t.tachado ? ",T" : "") + (t.superindice ? ",sup" : "") +
                 (t.subindice ? ",sub" : "") + (t.color ? "," + std::to_string(*t.color) : "");
        s += "\n";
    }
    for (const TablaLeida& t : d.tablas) {
        s += "T " + std::to_string(t.despuesDe) + " " + std::to_string(t.filas) + "x" +
             std::to_string(t.columnas) + (t.cuadricula ? " rejilla" : "");
        for (double a : t.anchos)
            s += " " + QString::number(a, 'f', 2).toStdString();
        for (const auto& [f, c] : t.sombreadas)
            s += " sombra" + std::to_string(f) + std::to_string(c);
        for (const auto& fila : t.texto)
            for (const std::string& celda : fila)
                s += " [" + celda + "]";
        s += "\n";
    }
    return s;
}

QByteArray parte(const QString& ruta, const char* nombre) {
    return abrirPaquete(ruta).archivos[nombre];
}

} // namespace

// The notebook's own file, opened again: the same text, runs, tables and
// page, and saved once more the same bytes.
TEST(AbrirOdt, ElPropioVuelveIgual) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 54);
    componerEjemplo(doc);
    const QString ruta = dir.filePath("propio.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    EXPECT_EQ(doc.archivo(), ruta);

    DocumentoPropio otro;
    otro.escribir("lo que había");
    const LecturaOdt l = otro.abrir(ruta);
    ASSERT_TRUE(l.hecho) << l.error.toStdString();
    EXPECT_TRUE(l.perdido.isEmpty());
    EXPECT_EQ(lectura(otro), lectura(doc));
    EXPECT_EQ(otro.anchoPagina(), 612.0f);
    EXPECT_EQ(otro.margenDerecho(), 54.0f);
    EXPECT_EQ(otro.archivo(), ruta);
    EXPECT_FALSE(otro.archivoIncompleto());
    EXPECT_FALSE(otro.documento()->isModified());
    EXPECT_EQ(otro.documento()->defaultFont().family(), doc.documento()->defaultFont().family());

    const QString otraRuta = dir.filePath("otra.odt");
    ASSERT_TRUE(otro.guardar(otraRuta.toStdString()));
    EXPECT_EQ(parte(otraRuta, "content.xml"), parte(ruta, "content.xml"));
    EXPECT_EQ(parte(otraRuta, "styles.xml"), parte(ruta, "styles.xml"));
}

// A file that LibreOffice Writer wrote: its text, formats, table and page,
// and what the embedded document cannot show named.
TEST(AbrirOdt, ElDeWriter) {
    DocumentoPropio doc;
    const LecturaOdt l = doc.abrir(QStringLiteral(RENGLERO_DATOS "/escrito_en_writer.odt"));
    ASSERT_TRUE(l.hecho) << l.error.toStdString();
    EXPECT_TRUE(l.perdido.contains(QString::fromUtf8("imágenes")));
    EXPECT_TRUE(l.perdido.contains("notas al pie"));
    EXPECT_TRUE(doc.archivoIncompleto());
    const DocumentoLeido d = doc.leer();
    ASSERT_EQ(d.parrafos.size(), 3u);
    EXPECT_EQ(d.parrafos[0].texto, "Los deberes");
    ASSERT_FALSE(d.parrafos[0].tramos.empty());
    EXPECT_TRUE(d.parrafos[0].tramos[0].negrita); // from the paragraph's style
    EXPECT_EQ(d.parrafos[0].tramos[0].fuente, "Liberation Serif");
    const ParrafoLeido& p = d.parrafos[1];
    EXPECT_EQ(
        QString::fromStdString(p.texto),
        QString::fromUtf8("Uno cursiva subrayado tachado x2 H2O azul   fin\ttab\u2028otra línea"));
    auto formato = [&](const std::string& trozo) {
        const int i =
            static_cast<int>(QString::fromStdString(p.texto.substr(0, p.texto.find(trozo))).size());
        for (const TramoLeido& t : p.tramos)
            if (t.inicio <= i && i < t.inicio + t.largo) return t;
        ADD_FAILURE() << trozo;
        return TramoLeido{};
    };
    EXPECT_TRUE(formato("cursiva").cursiva);
    EXPECT_FALSE(formato("Uno").cursiva);
    EXPECT_TRUE(formato("subrayado").subrayado);
    EXPECT_TRUE(formato("tachado").tachado);
    EXPECT_TRUE(formato("2 H").superindice);
    EXPECT_TRUE(formato("2O").subindice);
    EXPECT_EQ(formato("azul").fuente, "Courier New");
    EXPECT_EQ(formato("azul").color, rgb(0, 0, 255));
    EXPECT_EQ(d.parrafos[2].texto, "Imagen:  final");
    ASSERT_EQ(d.tablas.size(), 1u);
    const TablaLeida& t = d.tablas[0];
    EXPECT_EQ(t.despuesDe, 1);
    EXPECT_TRUE(t.cuadricula);
    EXPECT_EQ(t.texto, (std::vector<std::vector<std::string>>{{"a1", "b1"}, {"a2", ""}}));
    ASSERT_EQ(t.anchos.size(), 2u);
    EXPECT_NEAR(t.anchos[0], 200, 0.5);
    EXPECT_NEAR(t.anchos[1], 100, 0.5);
    EXPECT_NEAR(doc.margenIzquierdo(), 72 * 3 / 2.54, 0.1);
    EXPECT_NEAR(doc.margenDerecho(), 72 * 2 / 2.54, 0.1);
}

// What cannot be read leaves the document as it was.
TEST(AbrirOdt, LoQueNoSeLeeNoCambiaNada) {
    QTemporaryDir dir;
    QFile basura(dir.filePath("basura.odt"));
    ASSERT_TRUE(basura.open(QIODevice::WriteOnly));
    basura.write("no es un zip");
    basura.close();
    const QString hoja = dir.filePath("hoja.odt");
    const std::string tipo = "application/vnd.oasis.opendocument.spreadsheet";
    ASSERT_TRUE(
        escribirPaqueteOdt(QFile::encodeName(hoja).toStdString(), {{"content.xml", "<x/>"}}));
    {
        // The same package with a spreadsheet's type.
        zip_t* z = zip_open(QFile::encodeName(hoja).constData(), 0, nullptr);
        zip_source_t* s = zip_source_buffer(z, tipo.data(), tipo.size(), 0);
        zip_file_add(z, "mimetype", s, ZIP_FL_OVERWRITE);
        zip_close(z);
    }
    const QString roto = dir.filePath("roto.odt");
    ASSERT_TRUE(escribirPaqueteOdt(QFile::encodeName(roto).toStdString(),
                                   {{"content.xml", "<office:document-content><sin cerrar"}}));
    DocumentoPropio doc;
    doc.escribir("mis deberes");
    const std::string antes = lectura(doc);
    for (const QString& ruta : {basura.fileName(), hoja, roto, dir.filePath("no_existe.odt")}) {
        const LecturaOdt l = doc.abrir(ruta);
        EXPECT_FALSE(l.hecho) << ruta.toStdString();
        EXPECT_FALSE(l.error.isEmpty());
        EXPECT_EQ(lectura(doc), antes);
        EXPECT_TRUE(doc.archivo().isEmpty());
    }
    EXPECT_TRUE(doc.abrir(hoja).error.contains("No es un documento de texto"));
}

// The recovery copy: the document as saved, without the notebook's mark on
// the cell under its cursor, and where its cursor stood; taken back whole.
TEST(AbrirOdt, LaCopiaDeRecuperacionVuelveEntera) {
    DocumentoPropio doc;
    componerEjemplo(doc);
    doc.agregarTabla(1, 2);
    doc.escribir("marcada");
    const std::string sinMarca = lectura(doc);
    doc.marcarCelda();
    ASSERT_NE(lectura(doc), sinMarca);
    const DocumentoPropio::Copia copia = doc.copia();
    EXPECT_TRUE(copia.modificado);

    DocumentoPropio otro;
    ASSERT_TRUE(otro.restaurar(copia));
    EXPECT_EQ(lectura(otro), sinMarca);
    EXPECT_TRUE(otro.documento()->isModified());
    EXPECT_EQ(otro.seleccion().position(), doc.seleccion().position());
    EXPECT_EQ(otro.seleccion().anchor(), doc.seleccion().anchor());
    EXPECT_EQ(otro.copia().partes.contenido, copia.partes.contenido);
    EXPECT_EQ(otro.copia().partes.estilos, copia.partes.estilos);
}
