// Another document in front; the document closed, LibreOffice stopped, quitting or killed
// mid-work: errors that say which, never a crash nor a caller held too long.
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <rtl/digest.h>
#include <set>
#include <thread>

#include "contrato/contrato.h"
#include "entorno.h"
#include "headless/Conductor.h"

namespace renglero::prueba {

using namespace contrato;
using Reloj = std::chrono::steady_clock;

namespace {

double segundosDesde(Reloj::time_point t0) {
    return std::chrono::duration<double>(Reloj::now() - t0).count();
}

// A LibreOffice of the test's own, with a Writer on a new document.
struct WriterPropio {
    explicit WriterPropio(std::chrono::milliseconds plazo = Writer::kPlazoPorDefecto) {
        EXPECT_TRUE(lo.arrancar());
        w = std::make_unique<Writer>(lo.tubo(), cola.poster(), false, plazo);
        EventosWord e;
        e.salir = [this] { ++salidas; };
        w->suscribir(e);
        w->nuevoDocumento();
    }
    LibreOfficePrivado lo;
    ColaEventos cola;
    std::unique_ptr<Writer> w;
    int salidas = 0;
};

// A process's state ('T' once stopped) and its parent, from /proc.
std::pair<char, pid_t> estadoYPadre(pid_t pid) {
    std::string linea;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), linea);
    std::istringstream resto(linea.substr(std::min(linea.size(), linea.rfind(')') + 2)));
    std::pair<char, pid_t> r{0, 0};
    resto >> r.first >> r.second;
    return r;
}

// The LibreOffice processes that this test program started, but those given.
std::vector<pid_t> sofficeHijos(const std::vector<pid_t>& salvo = {}) {
    std::vector<pid_t> pids;
    for (const auto& p : std::filesystem::directory_iterator("/proc")) {
        std::string nombre;
        std::getline(std::ifstream(p.path() / "comm"), nombre);
        const pid_t pid = std::atoi(p.path().filename().c_str());
        if (nombre == "soffice.bin" && estadoYPadre(pid).second == getpid() &&
            std::ranges::find(salvo, pid) == salvo.end())
            pids.push_back(pid);
    }
    return pids;
}

// The socket of LibreOffice's one-instance pipe, named after its profile's URL (as UTF-16).
std::string tuboDeInstancia(pid_t pid) {
    std::ifstream orden("/proc/" + std::to_string(pid) + "/cmdline");
    std::string url;
    for (std::string arg; std::getline(orden, arg, '\0');)
        if (arg.starts_with("-env:UserInstallation=")) url = arg.substr(arg.find('=') + 1);
    const std::u16string utf16(url.begin(), url.end());
    sal_uInt8 md5[RTL_DIGEST_LENGTH_MD5];
    rtl_digest_MD5(utf16.data(), utf16.size() * 2, md5, sizeof md5);
    std::string ruta = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_";
    for (const sal_uInt8 b : md5)
        ruta += (std::ostringstream() << std::hex << int{b}).str();
    return ruta;
}

// What stands in a folder; nothing where none is given.
std::set<std::string> contenido(const char* carpeta) {
    std::set<std::string> r;
    if (carpeta != nullptr)
        for (const auto& e : std::filesystem::directory_iterator(carpeta))
            r.insert(e.path().filename());
    return r;
}

// Stops LibreOffice until the guard ends, at most 30 s: a call without deadline fails, not hangs.
std::jthread parar(pid_t pid) {
    kill(pid, SIGSTOP);
    // The signal takes a moment: until then LibreOffice still answers.
    esperarHasta([pid] { return estadoYPadre(pid).first == 'T'; }, std::chrono::seconds(10));
    return std::jthread([pid](std::stop_token fin) {
        esperarHasta([&fin] { return fin.stop_requested(); }, std::chrono::seconds(30));
        kill(pid, SIGCONT);
    });
}

} // namespace

TEST_F(ConWriter, LaMarcaSaleDeSuCeldaConOtroDocumentoDelante) {
    seguir(*w, *w, "t 2 2;k");
    w->nuevoDocumento();
    w->desmarcarCelda();
    w->cerrarDocumento();
    EXPECT_EQ(describir(w->leer()), "| T0:,/, @0,1,1");
}

// The pupil closes it in Writer (another client here): the document is gone.
TEST_F(ConWriter, DocumentoCerradoPorOtro) {
    w->insertarTexto("\rabc\r");
    ColaEventos otra;
    Writer(libreOffice().tubo(), otra.poster(), false).cerrarDocumento();
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(*w); }), ErrorWord::Tipo::sinDocumento) << nombre;
    w->nuevoDocumento();
    w->insertarBloque("\r  125 \r", "Courier New", {});
    EXPECT_EQ(w->leer().parrafos.size(), 3u);
}

TEST(WriterSinLibreOffice, NadieEscuchando) {
    ColaEventos cola;
    Writer w("renglero-nadie-escucha-" + std::to_string(::getpid()), cola.poster(), false);
    EXPECT_THROW(w.mostrarAplicacion(), ErrorWord);
    EXPECT_EQ(tipoDeError([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::sinDocumento);
    EXPECT_THROW(w.suscribir({}), ErrorWord);
}

// Stopped: the call fails at its deadline, every later one at once; going on,
// calls work again on the document as it was. Then the pupil quits it.
TEST(WriterSinLibreOffice, ParadoSigueYSale) {
    WriterPropio p(std::chrono::seconds(3)); // enough for a loaded machine
    Writer& w = *p.w;
    seguir(w, w, "i \rantes\r;c");
    std::jthread parada = parar(p.lo.pid());
    auto t0 = Reloj::now();
    EXPECT_EQ(tipoDeError([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::noResponde);
    const double espera = segundosDesde(t0);
    EXPECT_GE(espera, 2.9);
    EXPECT_LT(espera, 20); // its deadline, not LibreOffice's 30 s stop
    t0 = Reloj::now();
    for (auto& [nombre, op] : operaciones())
        EXPECT_EQ(tipoDeError([&] { op(w); }), ErrorWord::Tipo::noResponde) << nombre;
    EXPECT_EQ(tipoDeError([&] { w.desmarcarCelda(); }), ErrorWord::Tipo::noResponde);
    EXPECT_EQ(w.ventanaDelDocumento(), 0u);
    EXPECT_LT(segundosDesde(t0), 2.9);
    parada = std::jthread(); // the guard ends, stop asked and joined: LibreOffice goes on
    // The call that waited comes back, and with it the calls.
    EXPECT_TRUE(respondeTras(w, ErrorWord::Tipo::noResponde, std::chrono::seconds(30)));
    seguir(w, w, "b \r  125 \r;c");
    EXPECT_EQ(describir(w.leer()), "|antes||[C]  125 | @4");
    w.salir();
    EXPECT_TRUE(p.cola.esperar([&] { return p.salidas > 0; }, std::chrono::seconds(10)));
    EXPECT_TRUE(esperarHasta([&] { return !p.lo.enMarcha(); }, std::chrono::seconds(15)));
    EXPECT_EQ(tipoDeError([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::cerrado);
}

TEST(WriterSinLibreOffice, ElConductorAcabaConSuLibreOfficeParado) {
    const std::vector<pid_t> antes = sofficeHijos();
    std::optional<DocumentoConducido> d = documentoWriter(std::chrono::seconds(3));
    ASSERT_TRUE(d);
    const std::vector<pid_t> suyo = sofficeHijos(antes);
    ASSERT_EQ(suyo.size(), 1u);
    std::jthread parada = parar(suyo[0]);
    EXPECT_EQ(tipoDeError([&] { d->word->textoPrimerParrafo(); }), ErrorWord::Tipo::noResponde);
    const auto t0 = Reloj::now();
    d.reset();
    EXPECT_LT(segundosDesde(t0), 15); // well within the 30 s stop
    EXPECT_NE(kill(suyo[0], 0), 0) << "its LibreOffice has gone";
}

// One that hangs starting, its pipe open, is killed at the starter's limit. Its pipe is taken
// first by a socket that listens and never answers, as a LibreOffice stuck before answering does;
// the socket closes once that LibreOffice has gone, as a killed one's would (or after 30 s: a
// starter without a limit then comes back late, failing the test, not hanging it).
TEST(WriterSinLibreOffice, ColgadoAlArrancarNoRetieneAQuienLoArranca) {
    LibreOfficePrivado lo;
    const std::vector<pid_t> antes = sofficeHijos();
    const int mudo = escucharEnElTubo(lo.tubo());
    ASSERT_GE(mudo, 0);
    std::atomic<bool> esperaron{false};
    std::jthread vigia([&](std::stop_token fin) {
        pid_t suyo = 0;
        const auto limite = Reloj::now() + std::chrono::seconds(30);
        while (!fin.stop_requested() && Reloj::now() < limite &&
               (suyo == 0 || estadoYPadre(suyo).second == getpid())) {
            if (const std::vector<pid_t> s = sofficeHijos(antes); suyo == 0 && s.size() == 1)
                suyo = s[0];
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const int llamada = accept(mudo, nullptr, nullptr);
        esperaron = llamada >= 0;
        if (llamada >= 0) close(llamada);
        close(mudo);
    });
    const auto t0 = Reloj::now();
    EXPECT_FALSE(lo.arrancar(std::chrono::seconds(5)));
    EXPECT_LT(segundosDesde(t0), 20);
    EXPECT_FALSE(lo.enMarcha());
    vigia = std::jthread(); // stop asked and joined
    EXPECT_TRUE(esperaron) << "the starter never waited on the pipe";
}

// Mid F9 and table work: the cut call already says Writer has gone; a crash is no quit.
// Its sockets stay while the test runs, as a crash's; then nothing of it stays (the test's
// TMPDIR is a folder of its own).
TEST(WriterSinLibreOffice, MatadoEnMedioDelTrabajo) {
    const std::set<std::string> temporalesAntes = contenido(std::getenv("TMPDIR"));
    auto propio = std::make_unique<WriterPropio>();
    WriterPropio& p = *propio;
    const std::string instancia = tuboDeInstancia(p.lo.pid());
    ASSERT_TRUE(std::filesystem::exists(instancia)) << instancia;
    Writer& w = *p.w;
    const Bloque b = cuadriculaLlena();
    std::atomic<bool> matando{false};
    std::atomic<int> hechos{0};
    std::thread asesino([&] {
        esperarHasta([&] { return hechos > 0; }, std::chrono::seconds(60));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        matando = true;
        p.lo.matar();
    });
    std::vector<ErrorWord::Tipo> tipos;
    const auto limite = Reloj::now() + std::chrono::seconds(90);
    while (Reloj::now() < limite && tipos.size() < 3) {
        try {
            w.textoPrimerParrafo();
            w.insertarBloque(b.texto, "Courier New", b.formatos);
            seguir(w, w, "c;t 2 2;+;> 10;m 1");
            ++hechos;
        } catch (const ErrorWord& e) {
            // Failures while it still runs are not the point here.
            if (matando) tipos.push_back(e.tipo());
        }
    }
    asesino.join();
    EXPECT_GT(hechos, 0);
    EXPECT_EQ(tipos, std::vector<ErrorWord::Tipo>(3, ErrorWord::Tipo::cerrado));
    p.cola.esperar([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(p.salidas, 0);
    EXPECT_FALSE(w.reconectar());
    EXPECT_FALSE(w.leer().abierto);
    EXPECT_TRUE(std::filesystem::exists(instancia));
    propio.reset();
    EXPECT_FALSE(std::filesystem::exists(instancia));
    EXPECT_EQ(contenido(std::getenv("TMPDIR")), temporalesAntes);
}

} // namespace renglero::prueba
