// LibreOffice Writer as the notebook's document, against a headless
// LibreOffice that the benchmark starts: F9 of a full formatted Texto grid
// sent in one insertion (as the notebook does), run by run, and with one
// call per attribute per character, all in the same run; and joining a
// running Writer.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <sstream>

#include "cuadricula_formateada.h"
#include "headless/Conductor.h"
#include "writer/LibreOfficePrivado.h"
#include "writer/Writer.h"

using namespace renglero;

namespace {

LibreOfficePrivado* libreOffice = nullptr;

// Writer's events wait here until the driver lets pending events run.
class Cola {
  public:
    Writer::Poster poster() {
        return [this](std::function<void()> f) {
            std::lock_guard<std::mutex> l(m_);
            cola_.push_back(std::move(f));
        };
    }
    void drenar() {
        std::deque<std::function<void()>> lote;
        {
            std::lock_guard<std::mutex> l(m_);
            lote.swap(cola_);
        }
        for (auto& f : lote)
            f();
    }

  private:
    std::mutex m_;
    std::deque<std::function<void()>> cola_;
};

// The same Writer, but the block goes the default way: plain text, its font,
// then one formatear per run of each attribute, or (caracterACaracter) one
// call per attribute per character, as a send without runs would.
class SinBloque : public Word {
  public:
    SinBloque(Writer& w, bool caracterACaracter) : w_(w), caracterACaracter_(caracterACaracter) {}
    void mostrarAplicacion() override { w_.mostrarAplicacion(); }
    void suscribir(EventosWord e) override { w_.suscribir(std::move(e)); }
    std::string textoPrimerParrafo() override { return w_.textoPrimerParrafo(); }
    void insertarTexto(const std::string& t) override { w_.insertarTexto(t); }
    void fuenteSeleccion(const std::string& n) override { w_.fuenteSeleccion(n); }
    void formatear(int desde, int largo, Atributo a, Color c) override {
        if (!caracterACaracter_) {
            w_.formatear(desde, largo, a, c);
            return;
        }
        for (int k = desde; k < desde + largo; ++k)
            w_.formatear(k, 1, a, c);
    }
    void contraerSeleccion(bool alInicio) override { w_.contraerSeleccion(alInicio); }
    void finIgualAInicio() override { w_.finIgualAInicio(); }
    bool enTabla() override { return w_.enTabla(); }
    void agregarTabla(int f, int c) override { w_.agregarTabla(f, c); }
    void formatoTabla(bool c) override { w_.formatoTabla(c); }
    void permitirAutoajuste() override { w_.permitirAutoajuste(); }
    void mostrarLineasDeTabla() override { w_.mostrarLineasDeTabla(); }
    int filasTabla() override { return w_.filasTabla(); }
    int columnasTabla() override { return w_.columnasTabla(); }
    void agregarFila() override { w_.agregarFila(); }
    void agregarColumna() override { w_.agregarColumna(); }
    void igualarColumnas() override { w_.igualarColumnas(); }
    bool bordeVisible(int b) override { return w_.bordeVisible(b); }
    int filaCelda() override { return w_.filaCelda(); }
    int columnaCelda() override { return w_.columnaCelda(); }
    void moverCeldas(int n) override { w_.moverCeldas(n); }
    void expandir(Unidad u) override { w_.expandir(u); }
    void borrarCeldasSeleccionadas() override { w_.borrarCeldasSeleccionadas(); }
    void vaciarPrimeraCelda() override { w_.vaciarPrimeraCelda(); }
    void sombrearPrimeraCelda(int t) override { w_.sombrearPrimeraCelda(t); }
    float anchoColumna() override { return w_.anchoColumna(); }
    void fijarAnchoColumna(float p) override { w_.fijarAnchoColumna(p); }
    void ajustarAVentana() override { w_.ajustarAVentana(); }
    Pagina pagina() override { return w_.pagina(); }
    DocumentoLeido leer() override { return w_.leer(); }

  private:
    Writer& w_;
    bool caracterACaracter_;
};

// A notebook in Texto mode, every cell written and formatted, its formats
// changing every few cells, sending to Writer.
struct CuadernoWriter {
    Cola cola;
    Writer writer{libreOffice->tubo(), cola.poster(), false};
    SinBloque porTramos{writer, false};
    SinBloque caracterACaracter{writer, true};
    std::ostringstream salida;
    std::unique_ptr<Conductor> conductor;

    enum class Modo { deUnaVez, porTramos, caracterACaracter };

    explicit CuadernoWriter(Modo modo) {
        DocumentoConducido d;
        d.word = modo == Modo::deUnaVez    ? static_cast<Word*>(&writer)
                 : modo == Modo::porTramos ? static_cast<Word*>(&porTramos)
                                           : static_cast<Word*>(&caracterACaracter);
        d.manejo = &writer;
        d.entregarEventos = [this] { cola.drenar(); };
        conductor = std::make_unique<Conductor>(salida, d);
        Form1& f = conductor->form();
        conductor->linea("doc new");
        f.anchoLineaWord = 453.5F;
        conductor->linea("keys ç");
        Cuadricula& t = f.tabla;
        for (int r = 0; r < t.Rows(); ++r)
            for (int c = 0; c < t.Cols(); ++c)
                t.setTextMatrix(r, c, std::string(1, static_cast<char>('a' + (r + c) % 26)));
        formatearCadaCelda(t);
    }
    ~CuadernoWriter() { writer.cerrarDocumento(); }
};

void enviar(benchmark::State& estado, CuadernoWriter::Modo modo) {
    CuadernoWriter cuaderno(modo);
    Form1& f = cuaderno.conductor->form();
    if (f.tabla.Rows() != 50 || f.tabla.Cols() != 62) {
        estado.SkipWithError("la cuadrícula no es de 50 x 62");
        return;
    }
    std::size_t parrafos = 0;
    for (auto _ : estado) {
        estado.PauseTiming();
        cuaderno.writer.cerrarDocumento();
        cuaderno.writer.nuevoDocumento();
        cuaderno.cola.drenar();
        estado.ResumeTiming();
        f.pulsarTecla(120, 0, -1); // F9
        f.soltarTecla(120, 0);
        estado.PauseTiming();
        const DocumentoLeido d = cuaderno.writer.leer();
        parrafos = d.parrafos.size();
        estado.ResumeTiming();
    }
    if (parrafos < 52) estado.SkipWithError("el documento no recibió el bloque");
}

void envioDeUnaVez(benchmark::State& estado) {
    enviar(estado, CuadernoWriter::Modo::deUnaVez);
}
BENCHMARK(envioDeUnaVez)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9);

void envioPorTramos(benchmark::State& estado) {
    enviar(estado, CuadernoWriter::Modo::porTramos);
}
BENCHMARK(envioPorTramos)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void envioCaracterACaracter(benchmark::State& estado) {
    enviar(estado, CuadernoWriter::Modo::caracterACaracter);
}
BENCHMARK(envioCaracterACaracter)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Joining a Writer that listens already (the process's UNO context is made
// by the first join, before the timing).
void conectar(benchmark::State& estado) {
    ConexionWriter previa(libreOffice->tubo());
    if (!previa.conectar()) {
        estado.SkipWithError("LibreOffice no responde");
        return;
    }
    for (auto _ : estado) {
        ConexionWriter c(libreOffice->tubo());
        if (!c.conectar()) estado.SkipWithError("LibreOffice no responde");
        estado.PauseTiming();
        c.desconectar();
        estado.ResumeTiming();
    }
}
BENCHMARK(conectar)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

// Reports the medians of the three ways of sending and their ratios.
class Informe : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                if (r.run_name.function_name == "envioDeUnaVez")
                    deUnaVez_ = r.GetAdjustedRealTime();
                if (r.run_name.function_name == "envioPorTramos") tramos_ = r.GetAdjustedRealTime();
                if (r.run_name.function_name == "envioCaracterACaracter")
                    caracteres_ = r.GetAdjustedRealTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (deUnaVez_ > 0 && tramos_ > 0 && caracteres_ > 0)
            std::printf("F9 of a full Texto grid (median): %.0f ms in one insertion, %.0f ms by "
                        "runs, %.0f ms character by character; one insertion is %.1f times "
                        "faster than runs and %.1f times faster than characters (runs: %.1f "
                        "times faster than characters)\n",
                        deUnaVez_, tramos_, caracteres_, tramos_ / deUnaVez_,
                        caracteres_ / deUnaVez_, caracteres_ / tramos_);
    }

  private:
    double deUnaVez_ = 0, tramos_ = 0, caracteres_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    LibreOfficePrivado lo;
    if (!lo.arrancar()) {
        std::fprintf(stderr, "LibreOffice did not start\n");
        return 1;
    }
    libreOffice = &lo;
    Informe informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    benchmark::Shutdown();
    libreOffice = nullptr;
}
