// LibreOffice closing the document under the notebook's feet, not answering
// (stopped with SIGSTOP), quitting, or killed in the middle of the work:
// errors that say which, never a crash nor a caller held past its deadline.
#include <atomic>
#include <csignal>
#include <fstream>

#include "contrato/contrato.h"
#include "entorno.h"

namespace renglero::prueba {

using contrato::describir;
using contrato::operaciones;
using contrato::tipoDeError;
using Reloj = std::chrono::steady_clock;

namespace {

double segundosDesde(Reloj::time_point t0) {
    return std::chrono::duration<double>(Reloj::now() - t0).count();
}

// The failure of f, or otro where it does not fail.
ErrorWord::Tipo fallo(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorWord& e) {
        return e.tipo();
    }
    return ErrorWord::Tipo::otro;
}

// A LibreOffice of the test's own, with a Writer on a new document.
struct WriterPropio {
    explicit WriterPropio(std::chrono::milliseconds plazo = Writer::kPlazoPorDefecto) {
        EXPECT_TRUE(lo.arrancar());
        w = std::make_unique<Writer>(lo.tubo(), cola.poster(), false, plazo);
        EventosWord ev;
        ev.salir = [this] { ++salidas; };
        w->suscribir(ev);
        w->nuevoDocumento();
    }
    LibreOfficePrivado lo;
    ColaEventos cola;
    std::unique_ptr<Writer> w;
    int salidas = 0;
};

// LibreOffice stopped until seguir(), and at most for `tope`: a call that
// waits without a deadline comes back late, and fails the test, instead of
// holding it for ever.
class Parada {
  public:
    Parada(pid_t pid, std::chrono::seconds tope) : pid_(pid) {
        kill(pid_, SIGSTOP);
        // The signal takes a moment: until then LibreOffice still answers.
        const auto limite = Reloj::now() + std::chrono::seconds(10);
        while (!detenido() && Reloj::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        guardia_ = std::thread([this, tope] {
            std::unique_lock<std::mutex> l(m_);
            cv_.wait_for(l, tope, [this] { return seguida_; });
            kill(pid_, SIGCONT);
        });
    }
    void seguir() {
        {
            std::lock_guard<std::mutex> l(m_);
            seguida_ = true;
        }
        cv_.notify_all();
        if (guardia_.joinable()) guardia_.join();
    }
    ~Parada() { seguir(); }

  private:
    // The process's state in /proc: "T" once stopped.
    bool detenido() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string linea;
        std::getline(stat, linea);
        const auto cierre = linea.rfind(')');
        return cierre != std::string::npos && cierre + 2 < linea.size() && linea[cierre + 2] == 'T';
    }

    pid_t pid_;
    std::mutex m_;
    std::condition_variable cv_;
    bool seguida_ = false;
    std::thread guardia_;
};

} // namespace

// The pupil closes it in Writer: another client does it here, and the
// document the backend held is gone.
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
    EXPECT_FALSE(w.leer().abierto);
}

// Stopped, the call fails after its deadline saying that Writer does not
// answer and every later call says so at once; once LibreOffice goes on,
// calls work again, its document as it was. Then the pupil quits it.
TEST(WriterSinLibreOffice, ParadoSigueYSale) {
    // Long enough for a call of a loaded machine, short beside the guard's.
    WriterPropio p(std::chrono::seconds(3));
    Writer& w = *p.w;
    w.insertarTexto("\rantes\r");
    w.contraerSeleccion(false);
    Parada parada(p.lo.pid(), std::chrono::seconds(30));
    auto t0 = Reloj::now();
    EXPECT_EQ(fallo([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::noResponde);
    const double espera = segundosDesde(t0);
    // Its deadline, not LibreOffice's 30 s stop.
    EXPECT_GE(espera, 2.9);
    EXPECT_LT(espera, 20);
    t0 = Reloj::now();
    EXPECT_EQ(fallo([&] { w.insertarBloque("\r  125 \r", "Courier New", {}); }),
              ErrorWord::Tipo::noResponde);
    EXPECT_EQ(fallo([&] { w.enTabla(); }), ErrorWord::Tipo::noResponde);
    EXPECT_EQ(fallo([&] { w.desmarcarCelda(); }), ErrorWord::Tipo::noResponde);
    EXPECT_EQ(fallo([&] { w.ventanaDelDocumento(); }), ErrorWord::Tipo::otro); // 0, no throw
    EXPECT_LT(segundosDesde(t0), 2.9);
    parada.seguir();
    // The call that waited comes back, and with it the calls.
    t0 = Reloj::now();
    ErrorWord::Tipo tipo = ErrorWord::Tipo::noResponde;
    while (tipo == ErrorWord::Tipo::noResponde && segundosDesde(t0) < 30) {
        tipo = fallo([&] { w.textoPrimerParrafo(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(tipo, ErrorWord::Tipo::otro) << "calls work again";
    w.insertarBloque("\r  125 \r", "Courier New", {});
    w.contraerSeleccion(false);
    EXPECT_EQ(describir(w.leer()), "|antes||[C]  125 | @4");
    w.salir();
    EXPECT_TRUE(p.cola.esperar([&] { return p.salidas > 0; }, std::chrono::seconds(10)));
    const auto limite = Reloj::now() + std::chrono::seconds(15);
    while (p.lo.enMarcha() && Reloj::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(p.lo.enMarcha());
    EXPECT_EQ(fallo([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::cerrado);
    EXPECT_FALSE(w.leer().abierto);
}

// Killed while F9 and the table manager work, once a round has gone
// through: the call it cuts off already says that Writer has gone, as every
// later one does, so that the pupil's F9 tells it the first time; a crash is
// not the pupil quitting, so the notebook goes on.
TEST(WriterSinLibreOffice, MatadoEnMedioDelTrabajo) {
    WriterPropio p;
    Writer& w = *p.w;
    const Bloque b = cuadriculaLlena();
    std::atomic<bool> matando{false};
    std::atomic<int> hechos{0};
    std::thread asesino([&] {
        const auto tope = Reloj::now() + std::chrono::seconds(60);
        while (hechos == 0 && Reloj::now() < tope)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
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
            w.contraerSeleccion(false);
            w.agregarTabla(2, 2);
            w.agregarFila();
            w.moverCeldas(10);
            w.moverCursor(1);
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
}

} // namespace renglero::prueba
