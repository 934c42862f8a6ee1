#pragma once
// A headless LibreOffice of one's own, without windows: a private profile
// folder (its temporary files there too) and a private pipe, started and
// stopped by its process id; at the end nothing of it stays. The
// headless driver works with one, and so do the tests and benchmarks. It
// dies with the thread that started it, should its program crash.
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <sys/types.h>

namespace renglero {

class Writer;

class LibreOfficePrivado {
  public:
    LibreOfficePrivado();
    ~LibreOfficePrivado(); // detener()
    LibreOfficePrivado(const LibreOfficePrivado&) = delete;
    LibreOfficePrivado& operator=(const LibreOfficePrivado&) = delete;

    // Starts it and waits until its pipe answers; false when it does not.
    bool arrancar(std::chrono::milliseconds espera = std::chrono::seconds(90));
    // SIGTERM, then SIGKILL if it lingers.
    void detener();
    // SIGKILL at once, as a crash would end it.
    void matar();
    bool enMarcha();

    const std::string& tubo() const { return tubo_; }
    pid_t pid() const { return pid_; }

  private:
    bool lanzar();
    bool esperarFin(std::chrono::milliseconds espera);

    std::string tubo_;
    std::string perfil_;
    // The sockets of the pipes it had open once it answered.
    std::set<std::string> tubos_;
    pid_t pid_ = -1;
};

// Ends a Writer that drives `libreOffice`. One that hangs holds the backend's
// thread in its call: that LibreOffice is stopped, so the call fails and the
// thread ends; a thread that still holds on is left to the process's end
// (the Writer let go). False when LibreOffice had to be stopped.
bool terminarWriter(std::unique_ptr<Writer>& writer, LibreOfficePrivado& libreOffice);

} // namespace renglero
