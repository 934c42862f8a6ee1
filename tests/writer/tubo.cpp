// The pupil's pipe: a name nobody else can guess, kept where only the pupil
// can read it, and a socket trusted only when it is the pupil's own; how the
// pupil's LibreOffice is started on it; the language of the document that
// the notebook makes.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "writer/ConexionWriter.h"
#include "writer/TuboWriter.h"
#include "writer/Writer.h"

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
        guardar("XDG_RUNTIME_DIR", runtime_);
        guardar("HOME", casa_);
        guardar("XDG_CACHE_HOME", "");
    }
    void TearDown() override {
        for (const std::string& n : nombres_)
            unlink(tubo::rutaSocket(n).c_str());
        for (auto& [var, valor] : antes_) {
            if (valor)
                setenv(var.c_str(), valor->c_str(), 1);
            else
                unsetenv(var.c_str());
        }
        std::error_code e;
        fs::remove_all(raiz_, e);
    }
    void guardar(const std::string& var, const std::string& valor) {
        const char* v = std::getenv(var.c_str());
        antes_.emplace_back(var, v ? std::optional<std::string>(v) : std::nullopt);
        if (valor.empty())
            unsetenv(var.c_str());
        else
            setenv(var.c_str(), valor.c_str(), 1);
    }
    // A listening socket where LibreOffice would put the pipe's.
    int escuchar(const std::string& nombre) {
        nombres_.push_back(nombre);
        const std::string ruta = tubo::rutaSocket(nombre);
        sockaddr_un dir{};
        dir.sun_family = AF_UNIX;
        std::strncpy(dir.sun_path, ruta.c_str(), sizeof dir.sun_path - 1);
        const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
        EXPECT_EQ(listen(s, 4), 0);
        return s;
    }
    void archivoEn(const std::string& nombre) {
        nombres_.push_back(nombre);
        std::ofstream(tubo::rutaSocket(nombre)) << "x";
    }

    std::string raiz_, runtime_, casa_;
    std::vector<std::string> nombres_;
    std::vector<std::pair<std::string, std::optional<std::string>>> antes_;
};

mode_t modo(const std::string& ruta) {
    struct stat st {};
    lstat(ruta.c_str(), &st);
    return st.st_mode & 0777;
}

} // namespace

TEST_F(Tubo, LaCarpetaEsPrivada) {
    EXPECT_EQ(tubo::carpetaPrivada(), runtime_ + "/renglero");
    EXPECT_EQ(modo(runtime_ + "/renglero"), 0700u);
}

TEST_F(Tubo, UnaCarpetaQueOtrosPuedenTocarNoSirve) {
    chmod(runtime_.c_str(), 0777);
    EXPECT_EQ(tubo::carpetaPrivada(), casa_ + "/.cache/renglero");
    chmod(runtime_.c_str(), 0700);
    // Nor a link to a folder, however private.
    const std::string enlace = raiz_ + "/enlace";
    fs::create_directory_symlink(runtime_, enlace);
    setenv("XDG_RUNTIME_DIR", enlace.c_str(), 1);
    fs::create_directory(runtime_ + "/renglero");
    fs::remove_all(casa_ + "/.cache");
    fs::create_directory_symlink(runtime_, casa_ + "/.cache");
    EXPECT_EQ(tubo::carpetaPrivada(), "");
}

TEST_F(Tubo, ElNombreEsAlAzarYSeGuarda) {
    const std::string carpeta = tubo::carpetaPrivada();
    const std::string nombre = tubo::nombreGuardado(carpeta);
    EXPECT_EQ(nombre.rfind("renglero-", 0), 0u);
    EXPECT_EQ(nombre.size(), std::string("renglero-").size() + 16);
    EXPECT_EQ(modo(carpeta + "/tubo"), 0600u);
    // A second notebook of the same pupil joins the same Writer.
    EXPECT_EQ(tubo::nombreGuardado(carpeta), nombre);
    EXPECT_EQ(ConexionWriter::tuboPorDefecto(), nombre);
    // Another pupil's (another folder's) is another.
    setenv("XDG_RUNTIME_DIR", casa_.c_str(), 1);
    chmod(casa_.c_str(), 0700);
    EXPECT_NE(tubo::nombreGuardado(tubo::carpetaPrivada()), nombre);
    EXPECT_NE(tubo::nombreNuevo(), nombre);
    tubo::olvidar(carpeta, "renglero-otro");
    EXPECT_TRUE(fs::exists(carpeta + "/tubo"));
    tubo::olvidar(carpeta, nombre);
    EXPECT_FALSE(fs::exists(carpeta + "/tubo"));
}

TEST_F(Tubo, UnNombreTomadoPorOtroSeCambia) {
    const std::string carpeta = tubo::carpetaPrivada();
    const std::string nombre = tubo::nombreGuardado(carpeta);
    // Something that is no socket stands where the pipe's socket goes.
    archivoEn(nombre);
    EXPECT_EQ(tubo::socket(nombre), tubo::Socket::ajeno);
    const std::string nuevo = tubo::nombreGuardado(carpeta);
    EXPECT_NE(nuevo, nombre);
    EXPECT_EQ(tubo::nombreGuardado(carpeta), nuevo);
}

TEST_F(Tubo, UnEnlaceNoEsElSocketPropio) {
    const std::string propio = tubo::nombreNuevo();
    const int s = escuchar(propio);
    EXPECT_EQ(tubo::socket(propio), tubo::Socket::propio);
    const std::string enlace = tubo::nombreNuevo();
    nombres_.push_back(enlace);
    fs::create_symlink(tubo::rutaSocket(propio), tubo::rutaSocket(enlace));
    EXPECT_EQ(tubo::socket(enlace), tubo::Socket::ajeno);
    close(s);
}

TEST_F(Tubo, NoSeConectaAlSocketDeOtroUsuario) {
    if (getuid() != 0) GTEST_SKIP() << "giving a socket to another user needs root";
    const std::string nombre = tubo::nombreNuevo();
    const int s = escuchar(nombre);
    ASSERT_EQ(chown(tubo::rutaSocket(nombre).c_str(), 65534, 65534), 0);
    EXPECT_EQ(tubo::socket(nombre), tubo::Socket::ajeno);
    ConexionWriter c(nombre);
    EXPECT_FALSE(c.conectar());
    // Nobody knocked at the other user's door.
    EXPECT_LT(accept(s, nullptr, nullptr), 0);
    EXPECT_EQ(c.conectarOArrancar(std::chrono::milliseconds(100)),
              ConexionWriter::Resultado::sinRespuesta);
    EXPECT_LT(accept(s, nullptr, nullptr), 0);
    close(s);
}

TEST_F(Tubo, ElSocketMuertoSeQuita) {
    const std::string vivo = tubo::nombreNuevo();
    const int s = escuchar(vivo);
    const std::string muerto = tubo::nombreNuevo();
    close(escuchar(muerto));
    EXPECT_FALSE(tubo::socketMuerto(vivo));
    EXPECT_TRUE(tubo::socketMuerto(muerto));
    tubo::quitarSocketMuerto(vivo);
    tubo::quitarSocketMuerto(muerto);
    EXPECT_EQ(tubo::socket(vivo), tubo::Socket::propio);
    EXPECT_EQ(tubo::socket(muerto), tubo::Socket::ninguno);
    close(s);
}

// At the notebook's end, where Writer has gone: its dead socket and the kept
// name go; where it still runs, both stay for the next notebook.
TEST_F(Tubo, AlTerminarSeLimpiaLoQueQueda) {
    const std::string carpeta = tubo::carpetaPrivada();
    const std::string nombre = tubo::nombreGuardado(carpeta);
    const int s = escuchar(nombre);
    ConexionWriter::despedir(nombre);
    EXPECT_EQ(tubo::socket(nombre), tubo::Socket::propio);
    EXPECT_EQ(tubo::nombreGuardado(carpeta), nombre);
    close(s);
    ConexionWriter::despedir(nombre);
    EXPECT_EQ(tubo::socket(nombre), tubo::Socket::ninguno);
    EXPECT_FALSE(fs::exists(carpeta + "/tubo"));
}

// The pupil's LibreOffice keeps its own document recovery (after a crash it
// offers the pupil's documents back). A new one opens with a text document;
// one the pupil opened first (on the user's profile) is asked for nothing but
// the accept, so that it opens no second document.
TEST_F(Tubo, LibreOfficeArrancaConSuRecuperacionYSoloUnDocumento) {
    const std::string programas = raiz_ + "/programas", anotadas = raiz_ + "/argumentos";
    fs::create_directory(programas);
    std::ofstream(programas + "/soffice")
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > " << anotadas << ".tmp\n"
        << "mv " << anotadas << ".tmp " << anotadas << "\n";
    chmod((programas + "/soffice").c_str(), 0755);
    fs::copy_file("/bin/sleep", programas + "/soffice.bin");
    guardar("PATH", programas + ":" + std::getenv("PATH"));
    auto argumentos = [&] {
        fs::remove(anotadas);
        const std::string nombre = tubo::nombreNuevo();
        nombres_.push_back(nombre);
        EXPECT_EQ(ConexionWriter(nombre).conectarOArrancar(std::chrono::milliseconds(100)),
                  ConexionWriter::Resultado::sinRespuesta);
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!fs::exists(anotadas) && std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::vector<std::string> leidos;
        std::ifstream leer(anotadas);
        for (std::string a; std::getline(leer, a);)
            leidos.push_back(a);
        return std::make_pair(leidos, "--accept=pipe,name=" + nombre + ";urp;");
    };
    // A LibreOffice of this user running, on another profile (another HOME),
    // then on the notebook's.
    guardar("XDG_CONFIG_HOME", "");
    auto enMarcha = [&](const std::string& casa) {
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
        auto resultado = argumentos();
        kill(p, SIGKILL);
        waitpid(p, nullptr, 0);
        return resultado;
    };
    const auto [nuevo, aceptarNuevo] = enMarcha(raiz_);
    EXPECT_EQ(nuevo,
              (std::vector<std::string>{"--writer", "--nologo", "--minimized", aceptarNuevo}));
    const auto [junto, aceptarJunto] = enMarcha(casa_);
    EXPECT_EQ(junto, (std::vector<std::string>{"--nologo", aceptarJunto}));
}

TEST(IdiomaDelDocumento, EspanolDondeElAlumnoLoEsODondeNoHayNinguno) {
    using I = Writer::Idioma;
    struct Caso {
        const char *lcAll, *lcMessages, *lang;
        std::optional<I> idioma;
    };
    const Caso casos[] = {
        {nullptr, nullptr, "es_ES.UTF-8", I{"es", "ES"}},
        {nullptr, nullptr, "es_MX.UTF-8", I{"es", "MX"}},
        {nullptr, nullptr, "es", I{"es", "ES"}},
        {nullptr, "es_AR.UTF-8", "en_US.UTF-8", I{"es", "AR"}},
        {"es_ES@euro", "en_GB", "fr_FR", I{"es", "ES"}},
        {nullptr, nullptr, nullptr, I{"es", "ES"}},
        {"", "", "", I{"es", "ES"}},
        {nullptr, nullptr, "C", I{"es", "ES"}},
        {nullptr, nullptr, "C.UTF-8", I{"es", "ES"}},
        {"POSIX", nullptr, "en_US.UTF-8", I{"es", "ES"}},
        {nullptr, nullptr, "en_US.UTF-8", std::nullopt},
        {nullptr, "ca_ES.UTF-8", "es_ES.UTF-8", std::nullopt},
        {"fr_FR.UTF-8", nullptr, "es_ES.UTF-8", std::nullopt},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Writer::idiomaDelDocumento(c.lcAll, c.lcMessages, c.lang), c.idioma)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
}

TEST(TuboX11, WriterEnX11SoloEnUnaSesionWayland) {
    EXPECT_TRUE(ConexionWriter::arrancarEnX11("wayland-0", ":0"));
    EXPECT_FALSE(ConexionWriter::arrancarEnX11(nullptr, ":0"));
    EXPECT_FALSE(ConexionWriter::arrancarEnX11("", ":0"));
    // Without XWayland there is no X11 to run it on.
    EXPECT_FALSE(ConexionWriter::arrancarEnX11("wayland-0", nullptr));
}
