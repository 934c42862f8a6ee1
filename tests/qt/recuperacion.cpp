// The recovery copy: whole however its writer is killed, one slot per running notebook.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "propio/DocumentoPropio.h"
#include "qt/Aplicacion.h"
#include "qt/PlataformaQt.h"
#include "qt/Ranura.h"
#include "qt/Recuperacion.h"
#include "shell/Form1.h"

using namespace renglero;

namespace {

// A copy is "N:" and a million times the digit N % 10.
std::string version(int n) {
    return std::to_string(n) + ":" + std::string(1 << 20, static_cast<char>('0' + n % 10));
}

// The copies in the slots under carpeta.
long copias(const std::string& carpeta) {
    std::error_code e;
    return std::ranges::count_if(std::filesystem::directory_iterator(carpeta, e),
                                 [](const auto& d) { return exists(d.path() / "copia"); });
}

// A notebook as the program starts it, copies under `carpeta`, the offer answered `respuesta`.
struct Cuaderno {
    Cuaderno(const std::string& carpeta, Respuesta respuesta) {
        cuaderno.plataforma().contestarCon(
            [this, respuesta](const std::string& texto, const std::string&, Botones b) {
                if (b == Botones::YesNo) preguntas.push_back(texto);
                return b == Botones::YesNo ? respuesta : Respuesta::OK;
            });
        cuaderno.arrancar();
        // The word processor's events are heard from Timer1's first tick on.
        cuaderno.form().tickTimer1();
        cuaderno.recuperar(carpeta);
        QApplication::processEvents();
    }
    // Digits as they are, '\r' Enter, '*' the keypad's, 'P' Pausa.
    void teclas(const std::string& lista) {
        for (const char c : lista) {
            const int codigo = c == '*' ? 106 : c == 'P' ? 19 : c;
            cuaderno.form().pulsarTecla(codigo, 0, c == 'P' ? -1 : c);
            cuaderno.form().soltarTecla(codigo, 0);
        }
    }
    std::string documento() { return cuaderno.documento().copia().partes.contenido.toStdString(); }
    CuadernoQt cuaderno{CuadernoQt::Documento::propio};
    std::vector<std::string> preguntas;
};

} // namespace

// A gone notebook's slot with no copy is cleared away.
TEST(Recuperacion, SoloSeEncuentraLaCopiaEnteraDeUnCuadernoQueYaNoEsta) {
    QTemporaryDir dir;
    const std::string carpeta = dir.filePath("recuperacion").toStdString();
    std::mt19937 azar(7);
    for (int vuelta = 0; vuelta < 12; ++vuelta) {
        // Another notebook writes its copy again and again and is killed.
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            Ranura suya = Ranura::nueva(carpeta);
            for (int n = 1;; ++n)
                suya.guardar(version(n));
        }
        for (int i = 0; i < 500 && copias(carpeta) < 1; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(Ranura::abandonada(carpeta)) << vuelta; // alive, it is not offered
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + azar() % 60000));
        kill(hijo, SIGKILL);
        waitpid(hijo, nullptr, 0);
        std::optional<Ranura> muerta = Ranura::abandonada(carpeta);
        ASSERT_TRUE(muerta) << vuelta;
        const std::optional<std::string> leida = muerta->leer();
        ASSERT_TRUE(leida) << vuelta;
        EXPECT_TRUE(*leida == version(std::stoi(*leida))) << vuelta << ": " << leida->substr(0, 12);
        // While one notebook offers it, no other finds it.
        EXPECT_FALSE(Ranura::abandonada(carpeta)) << vuelta;
        muerta->eliminar();
        EXPECT_FALSE(Ranura::abandonada(carpeta)) << vuelta;
    }
    Ranura vacia = Ranura::nueva(carpeta);
    const std::string sitio = vacia.carpeta();
    vacia = Ranura::nueva(carpeta); // the first one's notebook has gone
    EXPECT_FALSE(Ranura::abandonada(carpeta));
    EXPECT_FALSE(std::filesystem::exists(sitio));
}

// Killed or the word processor quitting; never a running one's; Sí brings all back, No clears.
TEST(Recuperacion, TrasUnFinNoElegidoSeOfreceUnaVezYVuelveTodo) {
    QTemporaryDir dir;
    const std::string carpeta = dir.filePath("recuperacion").toStdString();
    Cuaderno vivo(carpeta, Respuesta::Yes);
    vivo.teclas("4");
    vivo.cuaderno.recuperacion()->guardarYa();
    std::string estado, documento;
    {
        Cuaderno a(carpeta, Respuesta::Yes);
        EXPECT_TRUE(a.preguntas.empty());
        a.teclas("125\r37*9");
        a.cuaderno.documento().insertarTexto("Hola\rdeberes");
        a.cuaderno.documento().formatear(1, 4, Atributo::cursiva);
        a.cuaderno.recuperacion()->guardarYa();
        estado = a.cuaderno.form().estado();
        documento = a.documento();
        // Gone without a last word, as under SIGKILL.
    }
    {
        Cuaderno b(carpeta, Respuesta::Yes);
        ASSERT_EQ(b.preguntas.size(), 1u);
        EXPECT_NE(b.preguntas[0].find("¿Quieres recuperar"), std::string::npos);
        EXPECT_EQ(b.cuaderno.form().estado(), estado);
        EXPECT_EQ(b.documento(), documento);
        EXPECT_TRUE(b.cuaderno.documento().documento()->isModified());
        EXPECT_EQ(copias(carpeta), 2); // its own copy holds it now; the old one is gone
        b.teclas("8");
        b.cuaderno.recuperacion()->revisar();
        estado = b.cuaderno.form().estado();
        // The word processor quits: the last copy is written at the end.
        b.cuaderno.documento().salir();
        b.cuaderno.documento().entregarEventos();
        ASSERT_TRUE(b.cuaderno.form().finalizado());
        ASSERT_FALSE(b.cuaderno.form().finElegido());
    }
    {
        Cuaderno c(carpeta, Respuesta::Yes);
        ASSERT_EQ(c.preguntas.size(), 1u);
        EXPECT_EQ(c.cuaderno.form().estado(), estado);
    }
    {
        Cuaderno d(carpeta, Respuesta::No);
        EXPECT_EQ(d.preguntas.size(), 1u);
        EXPECT_EQ(copias(carpeta), 1); // the answer No took it away
        d.cuaderno.recuperacion()->guardarYa();
        EXPECT_EQ(copias(carpeta), 2);
        // Pausa, Pausa: the pupil's own end leaves nothing behind.
        d.teclas("PP");
        ASSERT_TRUE(d.cuaderno.form().finElegido());
        d.cuaderno.despedir();
        EXPECT_EQ(copias(carpeta), 1);
    }
    Cuaderno e(carpeta, Respuesta::Yes);
    EXPECT_TRUE(e.preguntas.empty());
    EXPECT_EQ(vivo.cuaderno.form().tabla.TextMatrix(1, 3), "4");
}
