// A LibreOffice that stops answering (here: stopped with SIGSTOP) holds no
// caller past its deadline: the call fails saying that Writer does not
// answer, every later call says so at once, and once LibreOffice goes on
// calls work again, its document as it was.
#include <csignal>
#include <fstream>

#include "entorno.h"

namespace renglero::prueba {

namespace {

using Reloj = std::chrono::steady_clock;

double segundosDesde(Reloj::time_point t0) {
    return std::chrono::duration<double>(Reloj::now() - t0).count();
}

// LibreOffice stopped for as long as it lives, and at most for `tope`: a
// call that waits without a deadline comes back late, and fails the test,
// instead of holding it for ever.
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

ErrorWord::Tipo tipoDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorWord& e) {
        return e.tipo();
    }
    return ErrorWord::Tipo::otro;
}

} // namespace

TEST(WriterParado, CadaLlamadaVuelveEnSuPlazoYAlSeguirTodoSigue) {
    LibreOfficePrivado lo;
    ASSERT_TRUE(lo.arrancar());
    ColaEventos cola;
    // Long enough for a call of a loaded machine, short beside the guard's.
    const auto plazo = std::chrono::seconds(3);
    Writer w(lo.tubo(), cola.poster(), false, plazo);
    w.nuevoDocumento();
    w.insertarTexto("\rantes\r");
    w.contraerSeleccion(false);
    Parada parada(lo.pid(), std::chrono::seconds(30));
    auto t0 = Reloj::now();
    EXPECT_EQ(tipoDe([&] { w.textoPrimerParrafo(); }), ErrorWord::Tipo::noResponde);
    const double espera = segundosDesde(t0);
    // Its deadline, not LibreOffice's 30 s stop.
    EXPECT_GE(espera, 2.9);
    EXPECT_LT(espera, 20);
    // Every call now fails at once: none waits its deadline again.
    t0 = Reloj::now();
    EXPECT_EQ(tipoDe([&] { w.insertarBloque("\r  125 \r", "Courier New", {}); }),
              ErrorWord::Tipo::noResponde);
    EXPECT_EQ(tipoDe([&] { w.enTabla(); }), ErrorWord::Tipo::noResponde);
    EXPECT_EQ(tipoDe([&] { w.desmarcarCelda(); }), ErrorWord::Tipo::noResponde);
    EXPECT_EQ(tipoDe([&] { w.ventanaDelDocumento(); }), ErrorWord::Tipo::otro); // 0, no throw
    EXPECT_LT(segundosDesde(t0), 2.9);
    parada.seguir();
    // The call that waited comes back, and with it the calls.
    t0 = Reloj::now();
    ErrorWord::Tipo tipo = ErrorWord::Tipo::noResponde;
    while (tipo == ErrorWord::Tipo::noResponde && segundosDesde(t0) < 30) {
        tipo = tipoDe([&] { w.textoPrimerParrafo(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(tipo, ErrorWord::Tipo::otro) << "calls work again";
    w.insertarBloque("\r  125 \r", "Courier New", {});
    std::vector<std::string> parrafos;
    for (const ParrafoLeido& p : w.leer().parrafos)
        parrafos.push_back(p.texto);
    EXPECT_EQ(parrafos, (std::vector<std::string>{"", "antes", "", "  125 ", ""}));
}

} // namespace renglero::prueba
