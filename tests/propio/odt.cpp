// The saved .odt read back the same; a file that LibreOffice Writer wrote, read; bad ones refused.
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <zip.h>

#include "contrato/contrato.h"
#include "headless/Volcado.h"
#include "propio/DocumentoPropio.h"
#include "word/PaqueteOdt.h"

using namespace renglero;

namespace {

// One part of the package at ruta, as libzip reads it.
QByteArray parte(const QString& ruta, const char* nombre) {
    QByteArray datos;
    zip_t* z = zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, nullptr);
    zip_stat_t st;
    if (z && zip_stat(z, nombre, 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
        datos.resize(static_cast<qsizetype>(st.size));
        zip_file_t* f = zip_fopen(z, nombre, 0);
        zip_fread(f, datos.data(), st.size);
        zip_fclose(f);
    }
    if (z) zip_close(z);
    return datos;
}

// Everything the notebook reads of a document but where its cursor stands.
std::string lectura(DocumentoPropio& doc) {
    DocumentoLeido d = doc.leer();
    d.parrafoCursor = -1;
    d.tablaCursor.reset();
    return volcadoDocumento(d);
}

} // namespace

// Opened again: the same text, runs, tables and page; saved again, the same bytes. The XML
// says what Writer's own file does not show as the format does; and LibreOffice opens it.
TEST(Odt, ElPropioVuelveIgual) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.fijarPagina(612, 72, 54);
    // All the notebook sends: 1 break, 2-7 "  A  B", 8 break, 9-16 "πnkstcud", a format to each
    // letter, 17 break; and what the table manager makes.
    contrato::seguir(doc, doc,
                     "i \r  A  B\r\xCF\x80nkstcud\r;F Courier New;f 9 1 S;f 10 1 N;f 11 1 I;"
                     "f 12 1 U;f 13 1 T;f 14 1 #ff0000;f 15 1 ^;f 16 1 _;c;t 2 2");
    doc.formatoTabla(false);
    contrato::seguir(doc, doc, "e c11;> 1;s 200");
    doc.fijarAnchoColumna(100);
    contrato::seguir(doc, doc, "e x  y;m 100;e fin;t 1 3"); // the last with its lines
    const QString ruta = dir.filePath("propio.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    // The mimetype first, stored, with no extra field: its type at byte 38.
    QFile odt(ruta);
    ASSERT_TRUE(odt.open(QIODevice::ReadOnly));
    EXPECT_EQ(odt.read(77).mid(30), "mimetypeapplication/vnd.oasis.opendocument.text");
    const std::pair<const char*, const char*> dichos[] = {
        {"META-INF/manifest.xml", "\"content.xml\""},
        {"content.xml", "<text:s text:c=\"2\"/>A <text:s/>B"},
        {"content.xml", "style:font-name=\"Symbol\""},
        {"content.xml", "fo:background-color=\"#cccccc\""},
        {"content.xml", "fo:border=\"none\""},
        {"content.xml", "style:column-width=\"162.00pt\""},
        {"styles.xml", "fo:page-width=\"612.00pt\""}};
    for (const auto& [nombre, dicho] : dichos)
        EXPECT_TRUE(parte(ruta, nombre).contains(dicho)) << dicho;
    DocumentoPropio otro;
    otro.escribir("lo que había");
    const LecturaOdt l = otro.abrir(ruta);
    ASSERT_TRUE(l.hecho) << l.error.toStdString();
    EXPECT_EQ(lectura(otro), lectura(doc));
    EXPECT_FALSE(otro.archivoIncompleto());
    EXPECT_EQ(otro.documento()->defaultFont().family(), doc.documento()->defaultFont().family());
    const QString otraRuta = dir.filePath("otra.odt");
    ASSERT_TRUE(otro.guardar(otraRuta.toStdString()));
    for (const char* nombre : {"content.xml", "styles.xml"})
        EXPECT_EQ(parte(otraRuta, nombre), parte(ruta, nombre)) << nombre;
    // The recovery copy: without the notebook's mark on a cell, the cursor kept; taken back whole.
    doc.escribir("marcada");
    const std::string sinMarca = lectura(doc);
    doc.marcarCelda();
    ASSERT_NE(lectura(doc), sinMarca);
    const DocumentoPropio::Copia copia = doc.copia();
    DocumentoPropio copiado;
    ASSERT_TRUE(copiado.restaurar(copia));
    EXPECT_EQ(lectura(copiado), sinMarca);
    EXPECT_TRUE(copia.modificado && copiado.documento()->isModified());
    EXPECT_EQ(copiado.seleccion().position(), doc.seleccion().position());
    EXPECT_EQ(copiado.seleccion().anchor(), doc.seleccion().anchor());
    // With LibreOffice at hand, it must open the file and find the text.
    QString programa = QStandardPaths::findExecutable("soffice");
    if (programa.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    QProcess lo;
    lo.start(programa, {"-env:UserInstallation=file://" + dir.filePath("perfil"), "--headless",
                        "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(), ruta});
    ASSERT_TRUE(lo.waitForFinished(120000));
    QFile txt(dir.filePath("propio.txt"));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(txt.readAll());
    for (const char* dicho : {"  A  B", "\xCF\x80nkstcud", "x  y"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(dicho))) << dicho;
}

// Text the XML cannot hold; a folder named in Latin-1 ("año"); a folder that is not there.
TEST(Odt, GuardarLoDificil) {
    QTemporaryDir dir;
    DocumentoPropio doc;
    doc.escribir("a<b>&\"c\x01 \t d");
    const QString ruta = dir.filePath("raro.odt");
    ASSERT_TRUE(doc.guardar(ruta.toStdString()));
    DocumentoPropio leido;
    ASSERT_TRUE(leido.abrir(ruta).hecho);
    EXPECT_EQ(leido.leer().parrafos.at(0).texto, "a<b>&\"c \t d");
    const std::string carpeta = QFile::encodeName(dir.path()).toStdString() + "/a\xF1o";
    ASSERT_TRUE(std::filesystem::create_directory(carpeta));
    EXPECT_TRUE(doc.guardar(carpeta + "/x.odt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(carpeta + "/x.odt"));
    std::filesystem::remove_all(carpeta); // a name Qt could not remove
    doc.escribir("x");
    EXPECT_FALSE(doc.guardar("/no/existe/esta/carpeta/x.odt"));
    EXPECT_TRUE(doc.documento()->isModified());
}

// Its text, formats, table and page, and what the embedded document cannot show named.
TEST(AbrirOdt, ElDeWriter) {
    DocumentoPropio doc;
    const LecturaOdt l = doc.abrir(QStringLiteral(RENGLERO_DATOS "/escrito_en_writer.odt"));
    ASSERT_TRUE(l.hecho) << l.error.toStdString();
    QStringList perdido = l.perdido;
    perdido.sort();
    EXPECT_EQ(perdido.join(',').toStdString(), "imágenes,notas al pie");
    EXPECT_TRUE(doc.archivoIncompleto());
    // Runs as their formats and fonts (L: Liberation Serif); the title bold from its style.
    std::string tramos = contrato::describir(doc.leer());
    for (std::size_t i; (i = tramos.find("{Liberation Serif}")) != std::string::npos;)
        tramos.replace(i, 18, "L");
    EXPECT_EQ(tramos, "[LN]Los deberes|[L]Uno [LI]cursiva[L] [LU]subrayado[L] [LT]tachado[L] "
                      "x[L^]2[L] H[L_]2[L]O [C#0000ff]azul[L]   fin\ttab\u2028otra línea|"
                      "[L]Imagen:  final T1:[L]a1,[L]b1/[L]a2, @0");
    const TablaLeida t = doc.leer().tablas.at(0);
    ASSERT_EQ(t.anchos.size(), 2u);
    EXPECT_NEAR(t.anchos[0], 200, 0.5);
    EXPECT_NEAR(t.anchos[1], 100, 0.5);
    EXPECT_NEAR(doc.margenIzquierdo(), 72 * 3 / 2.54, 0.1);
    EXPECT_NEAR(doc.margenDerecho(), 72 * 2 / 2.54, 0.1);
}

TEST(AbrirOdt, LoQueNoSeLeeNoCambiaNada) {
    QTemporaryDir dir;
    const auto ruta = [&dir](const char* nombre) { return dir.filePath(nombre); };
    QFile basura(ruta("basura.odt"));
    ASSERT_TRUE(basura.open(QIODevice::WriteOnly) && basura.write("no es un zip") > 0);
    basura.close();
    // A spreadsheet's type over the text one; no text; XML cut short.
    const std::pair<const char*, std::vector<ParteOdt>> paquetes[] = {
        {"hoja.odt", {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}}},
        {"otro.odt", {{"content.xml", "<x/>"}}},
        {"roto.odt", {{"content.xml", "<office:document-content><sin cerrar"}}}};
    for (const auto& [nombre, partes] : paquetes)
        ASSERT_TRUE(escribirPaqueteOdt(QFile::encodeName(ruta(nombre)).toStdString(), partes));
    const std::pair<const char*, const char*> casos[] = {
        {"basura.odt", "No se puede leer el archivo."},
        {"no_existe.odt", "No se puede leer el archivo."},
        {"hoja.odt", "No es un documento de texto de LibreOffice (.odt)."},
        {"roto.odt", "El documento está dañado."},
        {"otro.odt", "No es un documento de texto."}};
    DocumentoPropio doc;
    doc.escribir("mis deberes");
    const std::string antes = lectura(doc);
    for (const auto& [nombre, error] : casos) {
        const LecturaOdt l = doc.abrir(ruta(nombre));
        EXPECT_FALSE(l.hecho) << nombre;
        EXPECT_EQ(l.error.toStdString(), error) << nombre;
        EXPECT_EQ(lectura(doc), antes) << nombre;
        EXPECT_TRUE(doc.archivo().isEmpty()) << nombre;
    }
}
