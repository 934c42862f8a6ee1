#include "writer/HiloWriter.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <shared_mutex>

#include "programa/Registro.h"

namespace renglero {

namespace {

// At the process's end (exit(), as Qt calls it when the X server goes) UNO's
// own statics go, and every proxy with them: a task then would read freed
// memory. The end waits for the tasks under way, briefly, and none starts
// after it. Never destroyed, as it must outlive every static.
struct PuertaDeSalida {
    std::shared_timed_mutex mutex;
    std::atomic<bool> cerrada{false};
};
PuertaDeSalida& puertaDeSalida() {
    static auto* p = new PuertaDeSalida;
    return *p;
}

} // namespace

// What the thread and its owner share; the thread keeps it alive for as
// long as it runs, owner or not.
struct HiloWriter::Compartido {
    static void ejecutar(const std::function<void()>& tarea) {
        const std::shared_lock<std::shared_timed_mutex> puerta(puertaDeSalida().mutex,
                                                               std::try_to_lock);
        if (!puerta.owns_lock() || puertaDeSalida().cerrada) return;
        try {
            tarea();
        } catch (...) {
            // A task that nobody waits for has nobody to tell.
        }
    }

    std::mutex mutex;
    std::condition_variable hayTarea, terminado;
    std::deque<std::function<void()>> cola;
    unsigned long puestas = 0, hechas = 0;
    unsigned long atascada = 0; // the number of the hung call, 0 when none
    bool fin = false, acabado = false;
    std::thread::id id;
    std::function<void()> enReposo;
    std::chrono::milliseconds cadaReposo{0};
    std::chrono::steady_clock::time_point proximoReposo;

    void correr() {
        std::unique_lock<std::mutex> l(mutex);
        const auto hayAlgo = [&] { return fin || !cola.empty(); };
        while (true) {
            if (enReposo && !fin) {
                // Due, and no call queued: it runs between calls, never ahead of one.
                if (cola.empty() && std::chrono::steady_clock::now() >= proximoReposo) {
                    const std::function<void()> f = enReposo;
                    l.unlock();
                    ejecutar(f);
                    l.lock();
                    proximoReposo = std::chrono::steady_clock::now() + cadaReposo;
                    continue;
                }
                if (!hayTarea.wait_until(l, proximoReposo, hayAlgo)) continue;
            } else {
                hayTarea.wait(l, hayAlgo);
            }
            if (cola.empty()) break;
            std::function<void()> tarea = std::move(cola.front());
            cola.pop_front();
            l.unlock();
            ejecutar(tarea);
            l.lock();
            ++hechas;
            if (atascada != 0 && hechas >= atascada) {
                atascada = 0;
                qCDebug(registroWriter) << "LibreOffice responde de nuevo";
            }
        }
        acabado = true;
        terminado.notify_all();
    }
};

HiloWriter::HiloWriter() : compartido_(std::make_shared<Compartido>()) {
    // The id is set before any task can be queued: the queue's lock orders
    // it before every look from the thread itself.
    std::lock_guard<std::mutex> l(compartido_->mutex);
    hilo_ = std::thread([c = compartido_] { c->correr(); });
    compartido_->id = hilo_.get_id();
}

HiloWriter::~HiloWriter() {
    {
        std::lock_guard<std::mutex> l(compartido_->mutex);
        compartido_->fin = true;
    }
    compartido_->hayTarea.notify_all();
    if (hilo_.joinable()) {
        if (enEsteHilo())
            hilo_.detach();
        else
            hilo_.join();
    }
}

bool HiloWriter::enEsteHilo() const {
    return std::this_thread::get_id() == compartido_->id;
}

bool HiloWriter::atascado() const {
    std::lock_guard<std::mutex> l(compartido_->mutex);
    return compartido_->atascada != 0;
}

unsigned long HiloWriter::poner(std::function<void()> f) {
    std::lock_guard<std::mutex> l(compartido_->mutex);
    // Once told to end, the thread may be gone: a call queued then would
    // wait its whole deadline for nothing.
    if (compartido_->fin)
        throw ErrorWord(ErrorWord::Tipo::otro, "El enlace con LibreOffice ya se ha cerrado.");
    if (compartido_->atascada != 0)
        throw ErrorWord(ErrorWord::Tipo::noResponde, "LibreOffice no responde todavía.");
    compartido_->cola.push_back(std::move(f));
    compartido_->hayTarea.notify_all();
    return ++compartido_->puestas;
}

void HiloWriter::encargar(std::function<void()> f) {
    std::lock_guard<std::mutex> l(compartido_->mutex);
    if (compartido_->fin) return;
    compartido_->cola.push_back(std::move(f));
    ++compartido_->puestas;
    compartido_->hayTarea.notify_all();
}

void HiloWriter::cerrarAlSalir() {
    static std::once_flag hecho;
    std::call_once(hecho, [] {
        std::atexit([] {
            puertaDeSalida().cerrada = true;
            static_cast<void>(puertaDeSalida().mutex.try_lock_for(std::chrono::seconds(2)));
        });
    });
}

void HiloWriter::enReposo(std::function<void()> f, std::chrono::milliseconds cada) {
    std::lock_guard<std::mutex> l(compartido_->mutex);
    compartido_->enReposo = std::move(f);
    compartido_->cadaReposo = cada;
    compartido_->proximoReposo = std::chrono::steady_clock::now() + cada;
    compartido_->hayTarea.notify_all();
}

void HiloWriter::darPorAtascada(unsigned long numero) {
    std::lock_guard<std::mutex> l(compartido_->mutex);
    if (compartido_->hechas >= numero) return;
    if (compartido_->atascada == 0) compartido_->atascada = numero;
    qCDebug(registroWriter) << "LibreOffice no responde: una llamada sigue esperando";
}

bool HiloWriter::terminar(std::chrono::milliseconds plazo) {
    std::unique_lock<std::mutex> l(compartido_->mutex);
    compartido_->fin = true;
    compartido_->hayTarea.notify_all();
    if (!compartido_->terminado.wait_for(l, plazo, [&] { return compartido_->acabado; })) {
        l.unlock();
        return false;
    }
    l.unlock();
    if (hilo_.joinable()) hilo_.join();
    return true;
}

} // namespace renglero
