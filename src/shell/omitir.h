#pragma once
// A statement whose failure is skipped: the procedure goes on with the next
// one, as the notebook's procedures do where their failures are harmless.
namespace renglero {

template <class Error, class F> bool omitir(F&& sentencia) {
    try {
        sentencia();
        return true;
    } catch (const Error&) {
        return false;
    }
}

} // namespace renglero
