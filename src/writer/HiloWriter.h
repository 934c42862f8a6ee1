#pragma once
// Writer's own thread. Every call into LibreOffice runs there, one after
// another; whoever asks waits for the answer no longer than a deadline. A
// LibreOffice that hangs (or is stopped) keeps this thread, never the
// notebook's window: past the deadline the call fails as "not answering",
// and so does every later call at once, until the call that hung comes
// back, which is how the thread finds out that LibreOffice answers again.
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include "word/Word.h"

namespace renglero {

class HiloWriter {
  public:
    HiloWriter();
    // Waits for the thread to end: whoever owns it has let it go first
    // (terminar), or knows that nothing it runs is hung.
    ~HiloWriter();
    HiloWriter(const HiloWriter&) = delete;
    HiloWriter& operator=(const HiloWriter&) = delete;

    // Runs `f` on the thread and returns what it returns (or throws what it
    // throws). Past `plazo` it throws ErrorWord noResponde and leaves `f` to
    // end whenever LibreOffice answers: `f` must own whatever it uses. On
    // the thread itself `f` runs at once.
    template <class F> auto llamar(F f, std::chrono::milliseconds plazo) -> decltype(f()) {
        if (enEsteHilo()) return f();
        using R = decltype(f());
        auto tarea = std::make_shared<std::packaged_task<R()>>(std::move(f));
        std::future<R> futuro = tarea->get_future();
        const unsigned long numero = poner([tarea] { (*tarea)(); });
        if (futuro.wait_for(plazo) != std::future_status::ready) {
            darPorAtascada(numero);
            // It may have ended in between, its number not yet counted.
            if (futuro.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
                throw ErrorWord(ErrorWord::Tipo::noResponde, "LibreOffice no responde.");
        }
        return futuro.get();
    }
    // Runs `f` on the thread later; nobody waits for it.
    void encargar(std::function<void()> f);
    // Runs `f` on the thread `cada` after it last ran (or was given), once
    // nothing is queued, until the thread is told to end.
    void enReposo(std::function<void()> f, std::chrono::milliseconds cada);
    bool enEsteHilo() const;
    // A call has hung and has not come back yet.
    bool atascado() const;
    // The thread ends once it has run what it holds; true when it has
    // within `plazo`. When it has not, what it runs still uses its owner.
    bool terminar(std::chrono::milliseconds plazo);

    // From the process's end on, no thread runs a task: the end waits up to
    // 2 s for those under way. Called once UNO's statics exist (a connection
    // made), so that it runs before they are destroyed.
    static void cerrarAlSalir();

    struct Compartido;

  private:
    // Queues a task and gives its number; throws noResponde at once while
    // a call is hung, and ErrorWord once the thread was told to end.
    unsigned long poner(std::function<void()> f);
    // Task `numero` is past its deadline: calls fail at once from now on
    // until it ends (unless it has ended already).
    void darPorAtascada(unsigned long numero);

    std::shared_ptr<Compartido> compartido_;
    std::thread hilo_;
};

} // namespace renglero
