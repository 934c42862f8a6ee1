// LibreOffice killed in the middle of a send: the call that it cuts off
// already says that Writer has gone, as every later one does, so that the
// pupil's F9 tells it the first time.
#include <atomic>

#include "entorno.h"

namespace renglero::prueba {

TEST(WriterSinLibreOffice, MatadoDuranteUnEnvioDiceQueSeHaCerrado) {
    LibreOfficePrivado lo;
    ASSERT_TRUE(lo.arrancar());
    ColaEventos cola;
    Writer w(lo.tubo(), cola.poster(), false);
    w.nuevoDocumento();
    // A full Texto grid: 50 rows of 62 cells, formats changing every few.
    std::string texto = "\r";
    std::vector<FormatoCaracter> formatos(1);
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 62; ++c) {
            texto += static_cast<char>('a' + (r + c) % 26);
            FormatoCaracter f;
            f.negrita = true;
            f.cursiva = (c / 3) % 2 == 0;
            f.subrayado = (c / 5) % 2 == 0;
            if (c % 7 == 0) f.color = 0x0000FF;
            formatos.push_back(f);
        }
        texto += "\r";
        formatos.emplace_back();
    }
    std::atomic<bool> matando{false};
    std::atomic<int> hechos{0};
    // Killed half a second into the sends, once one has gone through.
    std::thread asesino([&] {
        const auto tope = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (hechos == 0 && std::chrono::steady_clock::now() < tope)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        matando = true;
        lo.matar();
    });
    std::vector<ErrorWord::Tipo> tipos;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (std::chrono::steady_clock::now() < limite && tipos.size() < 2) {
        try {
            w.textoPrimerParrafo();
            w.insertarBloque(texto, "Courier New", formatos);
            w.contraerSeleccion(false);
            ++hechos;
        } catch (const ErrorWord& e) {
            // Failures while it still runs are not the point here.
            if (matando) tipos.push_back(e.tipo());
        }
    }
    asesino.join();
    EXPECT_GT(hechos, 0);
    ASSERT_EQ(tipos.size(), 2u);
    EXPECT_EQ(tipos[0], ErrorWord::Tipo::cerrado) << "the call cut off";
    EXPECT_EQ(tipos[1], ErrorWord::Tipo::cerrado) << "the next call";
}

} // namespace renglero::prueba
