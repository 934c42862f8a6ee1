#pragma once
// The LibreOffice shared by the tests, the notebook-thread hand-off of
// Writer's events, and a fresh document for each test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "writer/LibreOfficePrivado.h"
#include "writer/TuboWriter.h"
#include "writer/Writer.h"

namespace renglero::prueba {

// A socket listening where LibreOffice would put the pipe `nombre`'s, which
// answers nobody; -1 when it cannot be made.
inline int escucharEnElTubo(const std::string& nombre) {
    sockaddr_un dir{};
    dir.sun_family = AF_UNIX;
    tubo::rutaSocket(nombre).copy(dir.sun_path, sizeof dir.sun_path - 1);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (bind(s, reinterpret_cast<const sockaddr*>(&dir), sizeof dir) != 0 || listen(s, 4) != 0) {
        close(s);
        return -1;
    }
    return s;
}

// An environment variable set (unset where null) while this lives.
class VariableDeEntorno {
  public:
    VariableDeEntorno(const char* nombre, const char* valor) : nombre_(nombre) {
        if (const char* v = std::getenv(nombre)) antes_ = v;
        poner(valor);
    }
    ~VariableDeEntorno() { poner(antes_ ? antes_->c_str() : nullptr); }
    void poner(const char* valor) {
        valor ? setenv(nombre_.c_str(), valor, 1) : unsetenv(nombre_.c_str());
    }

  private:
    std::string nombre_;
    std::optional<std::string> antes_;
};

// Polls cond() until it holds or the time is up; whether it holds.
inline bool esperarHasta(const std::function<bool()>& cond, std::chrono::milliseconds tope) {
    const auto limite = std::chrono::steady_clock::now() + tope;
    for (; !cond(); std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (std::chrono::steady_clock::now() > limite) return false;
    return true;
}

// Polls w until its calls work, each failure meanwhile saying `tipo`.
inline bool respondeTras(Word& w, ErrorWord::Tipo tipo, std::chrono::seconds tope) {
    return esperarHasta(
        [&] {
            try {
                w.textoPrimerParrafo();
                return true;
            } catch (const ErrorWord& e) {
                EXPECT_EQ(e.tipo(), tipo);
                return false;
            }
        },
        tope);
}

// The tests' poster: what UNO threads hand over waits for the test's thread to drain it.
class ColaEventos {
  public:
    Writer::Poster poster() {
        return [this](std::function<void()> f) {
            std::lock_guard<std::mutex> l(m_);
            cola_.push_back(std::move(f));
        };
    }
    // Runs what is queued now, on the calling thread.
    void drenar() {
        std::deque<std::function<void()>> lote;
        {
            std::lock_guard<std::mutex> l(m_);
            lote.swap(cola_);
        }
        drenando_ = true;
        for (auto& f : lote)
            f();
        drenando_ = false;
    }
    // Drains until cond() holds or the time is up.
    bool esperar(const std::function<bool()>& cond, std::chrono::milliseconds tope) {
        return esperarHasta([&] { return drenar(), cond(); }, tope);
    }
    bool drenando() const { return drenando_; }

  private:
    std::mutex m_;
    std::deque<std::function<void()>> cola_;
    bool drenando_ = false;
};

// The program's LibreOffice, started once.
LibreOfficePrivado& libreOffice();

// A Writer on the program's LibreOffice with a new document of its own.
struct DocumentoWriter {
    DocumentoWriter() { w->nuevoDocumento(); }
    ~DocumentoWriter() {
        w->cerrarDocumento(); // where it is already gone, nothing to close
        // One that stopped answering is stopped: the run ends, not waits for ever.
        if (!terminarWriter(w, libreOffice()))
            ADD_FAILURE() << "LibreOffice no contesta: se detiene";
        w.reset();
        cola.drenar();
    }
    Word& word() { return *w; }
    ManejoDocumento& manejo() { return *w; }

    ColaEventos cola;
    std::unique_ptr<Writer> w =
        std::make_unique<Writer>(libreOffice().tubo(), cola.poster(), false);
};
class ConWriter : public ::testing::Test, protected DocumentoWriter {};

// A block as F9 sends it: its text and each character's format.
struct Bloque {
    std::string texto;
    std::vector<FormatoCaracter> formatos;
};
// A full Texto grid, 50 rows of 62 cells, its formats changing every few.
Bloque cuadriculaLlena();

// Over a UNO connection of the test's own to the LibreOffice on `tubo`: in the document in
// front, where each character of each paragraph from `marca` on begins (points from the page's
// edge); how many text documents are open.
std::vector<std::vector<double>> iniciosDeCaracteres(const std::string& tubo,
                                                     const std::string& marca);
int documentosDeTexto(const std::string& tubo);

} // namespace renglero::prueba
