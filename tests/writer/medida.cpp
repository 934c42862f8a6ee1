#include "entorno.h"

#include "writer/uno.h"

namespace renglero::prueba {

std::vector<std::vector<double>> iniciosDeCaracteres(const std::string& tubo,
                                                     const std::string& marca) {
    std::vector<std::vector<double>> inicios;
    ConexionWriter conexion(tubo);
    if (!conexion.conectar()) return inicios;
    const Reference<css::text::XTextDocument> d(conexion.uno().escritorio->getCurrentComponent(),
                                                UNO_QUERY_THROW);
    const Reference<css::text::XTextViewCursor> vista =
        Reference<css::text::XTextViewCursorSupplier>(d->getCurrentController(), UNO_QUERY_THROW)
            ->getViewCursor();
    const Reference<css::text::XText> texto = d->getText();
    const Reference<css::container::XEnumeration> parrafos =
        Reference<css::container::XEnumerationAccess>(texto, UNO_QUERY_THROW)->createEnumeration();
    bool visto = false;
    while (parrafos->hasMoreElements()) {
        const Reference<css::text::XTextRange> p(parrafos->nextElement(), UNO_QUERY);
        if (!p.is() || !(visto = visto || aStd(p->getString()) == marca)) continue;
        std::vector<double>& fila = inicios.emplace_back();
        const Reference<css::text::XTextCursor> c = texto->createTextCursorByRange(p->getStart());
        for (sal_Int32 i = 0; i <= p->getString().getLength(); ++i, c->goRight(1, false)) {
            vista->gotoRange(c->getStart(), false);
            fila.push_back(aPuntos(vista->getPosition().X));
        }
    }
    return inicios;
}

int documentosDeTexto(const std::string& tubo) {
    ConexionWriter conexion(tubo);
    if (!conexion.conectar()) return -1;
    int n = 0;
    const Reference<css::container::XEnumeration> documentos =
        conexion.uno().escritorio->getComponents()->createEnumeration();
    while (documentos->hasMoreElements())
        if (Reference<css::text::XTextDocument>(documentos->nextElement(), UNO_QUERY).is()) ++n;
    return n;
}

} // namespace renglero::prueba
