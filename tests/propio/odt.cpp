// The saved .odt: the package as the format wants it, what the XML says
// where nothing else reads it, the notebook's own file read back the same;
// a file that LibreOffice Writer wrote, read; what cannot be read, refused.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
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

} // namespace

// Saved and opened again: the same text, runs, tables and page, and saved
// once more the same bytes. Where Writer's own file does not show how a
// thing is written (the Symbol font, the shading, a table without lines,
// runs of spaces), the XML says it as the format does.
TEST(Odt, ElPropioVuelveIgual) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 54);
    componerEjemplo(doc);
    doc.agregarTabla(1, 3); // with its lines
    const QString ruta = dir.filePath("propio.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    EXPECT_EQ(doc.archivo(), ruta);
    EXPECT_FALSE(doc.documento()->isModified());

    const Paquete p = abrirPaquete(ruta);
    ASSERT_FALSE(p.nombres.empty());
    EXPECT_EQ(p.nombres[0], "mimetype");
    EXPECT_EQ(p.metodos[0], ZIP_CM_STORE);
    EXPECT_EQ(p.archivos.at("mimetype"), "application/vnd.oasis.opendocument.text");
    EXPECT_TRUE(p.archivos.at("META-INF/manifest.xml").contains("content.xml"));
    const QByteArray contenido = p.archivos.at("content.xml");
    for (const char* dicho : {"<text:s text:c=\"2\"/>A <text:s/>B", "style:font-name=\"Symbol\"",
                              "fo:background-color=\"#cccccc\"", "fo:border=\"none\"",
                              "style:column-width=\"162.00pt\""})
        EXPECT_TRUE(contenido.contains(dicho)) << dicho;
    EXPECT_TRUE(p.archivos.at("styles.xml").contains("fo:page-width=\"612.00pt\""));

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
    for (const char* parte : {"content.xml", "styles.xml"})
        EXPECT_EQ(abrirPaquete(otraRuta).archivos[parte], p.archivos.at(parte)) << parte;
}

// Text the XML cannot hold does not break the file; a folder whose name is
// not UTF-8 is the folder named by those bytes ("año" in Latin-1); where
// nothing can be written, saving fails and the changes stay unsaved.
TEST(Odt, GuardarLoDificil) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.escribir("a<b>&\"c\x01 \t d");
    const QString ruta = dir.filePath("raro.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    DocumentoPropio leido;
    ASSERT_TRUE(leido.abrir(ruta).hecho);
    EXPECT_EQ(lectura(leido), "P[a<b>&\"c \t d] 0+11:Times New Roman\n");
    const std::string carpeta = QFile::encodeName(dir.path()).toStdString() + "/a\xF1o";
    ASSERT_TRUE(std::filesystem::create_directory(carpeta));
    EXPECT_TRUE(doc.guardar(carpeta + "/x.odt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(carpeta + "/x.odt"));
    std::filesystem::remove_all(carpeta);
    doc.escribir("x");
    EXPECT_FALSE(doc.guardar("/no/existe/esta/carpeta/x.odt"));
    EXPECT_TRUE(doc.documento()->isModified());
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
