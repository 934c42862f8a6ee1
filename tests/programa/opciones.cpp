// The command line as both doors read it.
#include <gtest/gtest.h>

#include "programa/Opciones.h"

using namespace renglero;
using Accion = Opciones::Accion;
using Documento = Opciones::Documento;

namespace {

Opciones leer(QStringList argumentos) {
    argumentos.prepend(QStringLiteral("renglero"));
    return leerOpciones(argumentos);
}

} // namespace

TEST(Opciones, SinNadaLaVentanaConElDocumentoAutomaticoYSinZoom) {
    const Opciones o = leer({});
    EXPECT_EQ(o.accion, Accion::ventana);
    EXPECT_EQ(o.documento, Documento::automatico);
    EXPECT_EQ(o.zoom, 1);
    EXPECT_FALSE(o.conPlataforma);
}

TEST(Opciones, LeeElDocumentoElZoomYLaPuertaSinPantalla) {
    const Opciones o = leer({"--documento", "writer", "--zoom", "3", "--headless"});
    EXPECT_EQ(o.accion, Accion::sinPantalla);
    EXPECT_EQ(o.documento, Documento::writer);
    EXPECT_EQ(o.zoom, 3);
    const Opciones p = leer({"--zoom=4", "--documento=propio"});
    EXPECT_EQ(p.accion, Accion::ventana);
    EXPECT_EQ(p.documento, Documento::propio);
    EXPECT_EQ(p.zoom, 4);
}

TEST(Opciones, LaAyudaYLaVersionGananALaPuerta) {
    EXPECT_EQ(leer({"--headless", "--help"}).accion, Accion::ayuda);
    EXPECT_EQ(leer({"-h"}).accion, Accion::ayuda);
    EXPECT_EQ(leer({"--version", "--headless"}).accion, Accion::version);
    EXPECT_EQ(leer({"-v"}).accion, Accion::version);
}

TEST(Opciones, LaPlataformaDeQtPasaYCuentaComoElegida) {
    const Opciones o = leer({"-platform", "offscreen", "--documento", "propio"});
    EXPECT_EQ(o.accion, Accion::ventana);
    EXPECT_TRUE(o.conPlataforma);
    EXPECT_EQ(o.documento, Documento::propio);
}

TEST(Opciones, RechazaLoQueNoConoceConUnMensajeQueLoNombra) {
    const std::vector<std::pair<QStringList, QString>> casos = {
        {{"--nada"}, "opción desconocida: --nada"},
        {{"-x"}, "opción desconocida: -x"},
        {{"--documento", "word"}, "--documento admite propio o writer, no «word»"},
        {{"--documento"}, "falta el valor de --documento"},
        {{"--headless", "--zoom"}, "falta el valor de --zoom"},
        {{"--zoom", "0"}, "--zoom admite un número entero del 1 al 4, no «0»"},
        {{"--zoom", "5"}, "--zoom admite un número entero del 1 al 4, no «5»"},
        {{"--zoom", "1.5"}, "--zoom admite un número entero del 1 al 4, no «1.5»"},
        {{"--zoom", ""}, "--zoom admite un número entero del 1 al 4, no «»"},
        {{"cuentas.txt"}, "argumento de más: cuentas.txt"},
    };
    for (const auto& [argumentos, mensaje] : casos) {
        const Opciones o = leer(argumentos);
        EXPECT_EQ(o.accion, Accion::error) << argumentos.join(' ').toStdString();
        EXPECT_EQ(o.error.toStdString(), mensaje.toStdString());
    }
}

TEST(Opciones, LaVersionEsLaDelProyecto) {
    EXPECT_EQ(numeroVersion().toStdString(), RENGLERO_VERSION);
    EXPECT_EQ(textoVersion().toStdString(), "Renglero " RENGLERO_VERSION);
}
