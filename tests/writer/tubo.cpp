// The pupil's pipe: an unguessable name, kept where only the pupil reads it, a socket trusted
// only when the pupil's own; how LibreOffice is started on it; the new document's language.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "entorno.h"
#include "writer/TuboWriter.h"

namespace fs = std::filesystem;
using namespace renglero;

namespace {

// A folder of the test's own, and the environment pointing into it.
class Tubo : public ::testing::Test {
  protected:
    void SetUp() override {
        char plantilla[] = "/tmp/renglero-tubo-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla), nullptr);
        raiz_ = plantilla;
        runtime_ = raiz_ + "/runtime";
        casa_ = raiz_ + "/casa";
        fs::create_directory(runtime_);
        fs::create_directory(casa_);
        chmod(runtime_.c_str(), 0700);
        variables_.emplace_back("XDG_RUNTIME_DIR", runtime_.c_str());
        variables_.emplace_back("HOME", casa_.c_str());
        variables_.emplace_back("XDG_CACHE_HOME", nullptr);
    }
    void TearDown() override {
        for (const std::string& n : nombres_)
            unlink(tubo::rutaSocket(n).c_str());
        std::error_code e;
        fs::remove_all(raiz_, e);
    }
    std::string raiz_, runtime_, casa_;
    std::vector<std::string> nombres_;               // pipes whose sockets go at the end
    std::list<prueba::VariableDeEntorno> variables_; // each set until the test ends
};

} // namespace

// The pupil's own folder, never one that others can write into, nor a link.
TEST_F(Tubo, LaCarpetaEsPrivada) {
    EXPECT_EQ(tubo::carpetaPrivada(), runtime_ + "/renglero");
    chmod(runtime_.c_str(), 0777);
    EXPECT_EQ(tubo::carpetaPrivada(), casa_ + "/.cache/renglero");
    chmod(runtime_.c_str(), 0700);
    const std::string enlace = raiz_ + "/enlace";
    fs::create_directory_symlink(runtime_, enlace);
    setenv("XDG_RUNTIME_DIR", enlace.c_str(), 1);
    fs::remove_all(casa_ + "/.cache");
    fs::create_directory_symlink(runtime_, casa_ + "/.cache");
    EXPECT_EQ(tubo::carpetaPrivada(), "");
}

// Kept for the pupil's next notebook, another for another pupil; changed where something not
// the pupil's socket stands in its place.
TEST_F(Tubo, ElNombreEsAlAzarYSeGuarda) {
    const std::string carpeta = tubo::carpetaPrivada();
    const std::string nombre = tubo::nombreGuardado(carpeta);
    EXPECT_EQ(nombre.rfind("renglero-", 0), 0u);
    EXPECT_EQ(nombre.size(), std::string("renglero-").size() + 16);
    EXPECT_EQ(fs::symlink_status(carpeta + "/tubo").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ConexionWriter::tuboPorDefecto(), nombre);
    tubo::olvidar(carpeta, "renglero-otro");
    EXPECT_TRUE(fs::exists(carpeta + "/tubo"));
    std::ofstream(tubo::rutaSocket(nombre)) << "x";
    nombres_.push_back(nombre);
    const std::string nuevo = tubo::nombreGuardado(carpeta);
    EXPECT_NE(nuevo, nombre);
    EXPECT_EQ(tubo::nombreGuardado(carpeta), nuevo);
    setenv("XDG_RUNTIME_DIR", casa_.c_str(), 1);
    chmod(casa_.c_str(), 0700);
    EXPECT_NE(tubo::nombreGuardado(tubo::carpetaPrivada()), nuevo);
}

// Only a live socket of the pupil's own is joined, not a link to one nor
// another user's. At the notebook's end, where Writer has gone, its dead
// socket and the kept name go; where it still runs, both stay.
TEST_F(Tubo, SoloElSocketPropio) {
    const std::string carpeta = tubo::carpetaPrivada();
    const std::string propio = tubo::nombreGuardado(carpeta), enlace = tubo::nombreNuevo(),
                      ajeno = tubo::nombreNuevo();
    nombres_ = {propio, enlace, ajeno};
    const int s = prueba::escucharEnElTubo(propio);
    ASSERT_GE(s, 0);
    fs::create_symlink(tubo::rutaSocket(propio), tubo::rutaSocket(enlace));
    EXPECT_EQ(tubo::socket(enlace), tubo::Socket::ajeno);
    ConexionWriter::despedir(propio);
    EXPECT_EQ(tubo::socket(propio), tubo::Socket::propio);
    EXPECT_EQ(tubo::nombreGuardado(carpeta), propio);
    close(s);
    ConexionWriter::despedir(propio);
    EXPECT_EQ(tubo::socket(propio), tubo::Socket::ninguno);
    EXPECT_FALSE(fs::exists(carpeta + "/tubo"));
    // Another user's: nobody knocks at its door.
    if (getuid() != 0) GTEST_SKIP() << "giving a socket to another user needs root";
    const int otro = prueba::escucharEnElTubo(ajeno);
    ASSERT_GE(otro, 0);
    ASSERT_EQ(chown(tubo::rutaSocket(ajeno).c_str(), 65534, 65534), 0);
    EXPECT_EQ(tubo::socket(ajeno), tubo::Socket::ajeno);
    ConexionWriter c(ajeno);
    EXPECT_FALSE(c.conectar());
    EXPECT_EQ(c.conectarOArrancar(std::chrono::milliseconds(100)),
              ConexionWriter::Resultado::sinRespuesta);
    EXPECT_LT(accept(otro, nullptr, nullptr), 0);
    close(otro);
}

// The pupil's profile keeps its document recovery. A new LibreOffice opens with a text
// document; one the pupil opened first is asked for the accept alone: no second document.
TEST_F(Tubo, LibreOfficeArrancaConSuRecuperacionYSoloUnDocumento) {
    const std::string programas = raiz_ + "/programas", anotadas = raiz_ + "/argumentos";
    fs::create_directory(programas);
    std::ofstream(programas + "/soffice") << "#!/bin/sh\necho \"$@\" > " << anotadas << ".tmp\nmv "
                                          << anotadas << ".tmp " << anotadas << "\n";
    chmod((programas + "/soffice").c_str(), 0755);
    fs::copy_file("/bin/sleep", programas + "/soffice.bin");
    variables_.emplace_back("PATH", (programas + ":" + std::getenv("PATH")).c_str());
    variables_.emplace_back("XDG_CONFIG_HOME", nullptr);
    // With this user's LibreOffice running on the profile in `casa`: `opciones`, then the accept.
    const auto arrancaCon = [&](const std::string& casa, const std::string& opciones) {
        std::string home = "HOME=" + casa;
        char* entorno[] = {home.data(), nullptr};
        const pid_t p = fork();
        if (p == 0) {
            execle((programas + "/soffice.bin").c_str(), "soffice.bin", "60", nullptr, entorno);
            _exit(127);
        }
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (std::string c; c != "soffice.bin" && std::chrono::steady_clock::now() < limite;)
            std::getline(std::ifstream("/proc/" + std::to_string(p) + "/comm"), c);
        fs::remove(anotadas);
        const std::string nombre = tubo::nombreNuevo();
        nombres_.push_back(nombre);
        EXPECT_EQ(ConexionWriter(nombre).conectarOArrancar(std::chrono::milliseconds(100)),
                  ConexionWriter::Resultado::sinRespuesta);
        prueba::esperarHasta([&] { return fs::exists(anotadas); }, std::chrono::seconds(20));
        std::string leidos;
        std::getline(std::ifstream(anotadas), leidos);
        EXPECT_EQ(leidos, opciones + "--accept=pipe,name=" + nombre + ";urp;") << casa;
        kill(p, SIGKILL);
        waitpid(p, nullptr, 0);
    };
    arrancaCon(raiz_, "--writer --nologo --minimized "); // another profile (another HOME)
    arrancaCon(casa_, "--nologo ");                      // the notebook's
}

// LC_ALL, LC_MESSAGES, LANG ("-" unset, "." empty); the document's ("-": LibreOffice's own).
TEST(IdiomaDelDocumento, EspanolDondeElAlumnoLoEsODondeNoHayNinguno) {
    for (const char* caso :
         {"- - es_ES.UTF-8 es-ES", "- - es_MX.UTF-8 es-MX", "- - es es-ES",
          "- es_AR.UTF-8 en_US.UTF-8 es-AR", "es_ES@euro en_GB fr_FR es-ES", "- - - es-ES",
          ". . . es-ES", "- - C es-ES", "- - C.UTF-8 es-ES", "POSIX - en_US.UTF-8 es-ES",
          "- - en_US.UTF-8 -", "- ca_ES.UTF-8 es_ES.UTF-8 -", "fr_FR.UTF-8 - es_ES.UTF-8 -"}) {
        std::string v[4];
        std::istringstream(caso) >> v[0] >> v[1] >> v[2] >> v[3];
        const auto c = [&](int k) {
            return v[k] == "-" ? nullptr : v[k] == "." ? "" : v[k].c_str();
        };
        const auto i = Writer::idiomaDelDocumento(c(0), c(1), c(2));
        EXPECT_EQ(i ? i->lengua + "-" + i->pais : "-", v[3]) << caso;
    }
}

TEST(TuboX11, WriterEnX11SoloEnUnaSesionWayland) {
    EXPECT_TRUE(ConexionWriter::arrancarEnX11("wayland-0", ":0"));
    EXPECT_FALSE(ConexionWriter::arrancarEnX11(nullptr, ":0"));
    EXPECT_FALSE(ConexionWriter::arrancarEnX11("", ":0"));
    // Without XWayland there is no X11 to run it on.
    EXPECT_FALSE(ConexionWriter::arrancarEnX11("wayland-0", nullptr));
}
