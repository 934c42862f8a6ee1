#pragma once
// Messages for maintainers: Qt logging categories, silent below warnings
// unless QT_LOGGING_RULES switches them on, for example
//   QT_LOGGING_RULES="renglero.*.debug=true" renglero
#include <QLoggingCategory>

namespace renglero {

// The connection to LibreOffice Writer: joining, starting, failures.
inline const QLoggingCategory& registroWriter() {
    static const QLoggingCategory categoria("renglero.writer", QtWarningMsg);
    return categoria;
}

// The word processor's events as they arrive.
inline const QLoggingCategory& registroEventos() {
    static const QLoggingCategory categoria("renglero.eventos", QtWarningMsg);
    return categoria;
}

// The X11 parts: the global F11 state and activating other windows.
inline const QLoggingCategory& registroX11() {
    static const QLoggingCategory categoria("renglero.x11", QtWarningMsg);
    return categoria;
}

// The message boxes shown to the pupil, by their text.
inline const QLoggingCategory& registroMensajes() {
    static const QLoggingCategory categoria("renglero.mensajes", QtWarningMsg);
    return categoria;
}

} // namespace renglero
