#pragma once
// A headless LibreOffice of one's own, for tests and benchmarks: a private
// profile folder and a private pipe, started and stopped by its process id.
// It dies with the thread that started it, should the test program crash.
#include <chrono>
#include <string>
#include <sys/types.h>

namespace renglero {

class LibreOfficePrueba {
  public:
    LibreOfficePrueba();
    ~LibreOfficePrueba(); // detener()
    LibreOfficePrueba(const LibreOfficePrueba&) = delete;
    LibreOfficePrueba& operator=(const LibreOfficePrueba&) = delete;

    // Starts it and waits until its pipe answers; false when it does not.
    bool arrancar(std::chrono::milliseconds espera = std::chrono::seconds(90));
    // SIGTERM, then SIGKILL if it lingers; the profile folder goes too.
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
    pid_t pid_ = -1;
};

} // namespace renglero
