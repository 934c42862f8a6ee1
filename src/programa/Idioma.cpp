#include "programa/Idioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace renglero {

bool cargarTraduccionesQt() {
    auto* qt = new QTranslator(QCoreApplication::instance());
    // Spanish whatever the user's locale: every text of the notebook is.
    if (!qt->load(QStringLiteral("qtbase_es"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(qt)) {
        delete qt;
        return false;
    }
    return true;
}

} // namespace renglero
