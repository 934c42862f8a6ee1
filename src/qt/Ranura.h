#pragma once
// Where a running notebook keeps its recovery copy: a slot of its own, a
// folder under the recovery folder that it holds locked (flock) for as long
// as it runs. The kernel lets the lock go when the process ends, however it
// ends, so a slot that nobody holds belongs to a notebook that has gone, and
// its copy is what that notebook left.
#include <optional>
#include <string>
#include <string_view>

namespace renglero {

// Writes datos to ruta so that, whenever the process is killed, ruta holds
// either the last copy or this one, whole: a temporary file beside it,
// flushed to the disk, renamed over it. False (and why, in error) on failure.
bool escribirAtomico(const std::string& ruta, std::string_view datos, std::string* error = nullptr);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> leerArchivo(const std::string& ruta);

// $XDG_STATE_HOME/renglero/recuperacion, by default
// ~/.local/state/renglero/recuperacion.
std::string carpetaRecuperacion();

class Ranura {
  public:
    // A new slot of this process in the recovery folder; an unclaimed one
    // (reclamada() false) where the folder cannot be made.
    static Ranura nueva(const std::string& carpeta);
    // The slot with the newest copy among those that nobody holds, now held
    // by this process; slots of gone notebooks that left no copy are
    // removed on the way. None when there is none.
    static std::optional<Ranura> abandonada(const std::string& carpeta);

    Ranura(Ranura&& otra) noexcept;
    Ranura& operator=(Ranura&& otra) noexcept;
    Ranura(const Ranura&) = delete;
    Ranura& operator=(const Ranura&) = delete;
    // Lets the lock go; the slot and its copy stay.
    ~Ranura();

    bool reclamada() const { return cerrojo_ >= 0; }
    const std::string& carpeta() const { return carpeta_; }
    std::string rutaCopia() const { return carpeta_ + "/copia"; }
    bool guardar(std::string_view datos, std::string* error = nullptr) const;
    std::optional<std::string> leer() const { return leerArchivo(rutaCopia()); }
    // The copy and the slot go; it is held no more.
    void eliminar();

  private:
    Ranura() = default;
    std::string carpeta_;
    int cerrojo_ = -1;
};

} // namespace renglero
