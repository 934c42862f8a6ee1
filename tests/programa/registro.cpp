// The maintainers' messages: silent unless QT_LOGGING_RULES asks for them,
// each part on its own.
#include <gtest/gtest.h>

#include "programa/Registro.h"

using namespace renglero;

TEST(Registro, CallanPorDefectoSalvoLosAvisos) {
    for (const QLoggingCategory* c : {&registroWriter(), &registroEventos(), &registroX11()}) {
        EXPECT_FALSE(c->isDebugEnabled()) << c->categoryName();
        EXPECT_FALSE(c->isInfoEnabled()) << c->categoryName();
        EXPECT_TRUE(c->isWarningEnabled()) << c->categoryName();
    }
}

TEST(Registro, UnaReglaEnciendeUnaParteSola) {
    QLoggingCategory::setFilterRules(QStringLiteral("renglero.writer.debug=true"));
    EXPECT_TRUE(registroWriter().isDebugEnabled());
    EXPECT_FALSE(registroEventos().isDebugEnabled());
    EXPECT_FALSE(registroX11().isDebugEnabled());
    QLoggingCategory::setFilterRules(QStringLiteral("renglero.*.debug=true"));
    EXPECT_TRUE(registroEventos().isDebugEnabled());
    EXPECT_TRUE(registroX11().isDebugEnabled());
    QLoggingCategory::setFilterRules(QString());
    EXPECT_FALSE(registroWriter().isDebugEnabled());
}
