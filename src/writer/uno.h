#pragma once
// UNO inside the Writer backend: the SDK's headers, the handles that the
// backend keeps and small helpers. Only the backend's own files include it.
#include <atomic>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontStrikeout.hpp>
#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/table/TableBorder2.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/character.hxx>
#include <rtl/ustring.hxx>

#include "writer/ConexionWriter.h"
#include "writer/HiloWriter.h"
#include "writer/Writer.h"

namespace renglero {

using rtl::OString;
using rtl::OUString;
namespace uno = css::uno;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

// A sequence from a list (the SDK offers no such constructor to clients).
template <class T> uno::Sequence<T> lista(std::initializer_list<T> l) {
    return uno::Sequence<T>(l.begin(), static_cast<sal_Int32>(l.size()));
}
inline uno::Sequence<OUString> nombres(std::initializer_list<const char*> l) {
    uno::Sequence<OUString> s(static_cast<sal_Int32>(l.size()));
    sal_Int32 i = 0;
    for (const char* n : l)
        s.getArray()[i++] = OUString::createFromAscii(n);
    return s;
}

inline OUString aOU(const std::string& s) {
    return OStringToOUString(OString(s.data(), static_cast<sal_Int32>(s.size())),
                             RTL_TEXTENCODING_UTF8);
}
inline std::string aStd(const OUString& s) {
    const OString o = OUStringToOString(s, RTL_TEXTENCODING_UTF8);
    return std::string(o.getStr(), o.getLength());
}
// Characters as the notebook counts them: code points, not UTF-16 units.
int puntosDeCodigo(const OUString& s);

// Lengths: UNO keeps 1/100 mm, the notebook points.
inline double aPuntos(double centesimasMm) {
    return centesimasMm * 72.0 / 2540.0;
}
inline sal_Int32 aCentesimas(double puntos) {
    return static_cast<sal_Int32>(puntos * 2540.0 / 72.0 + (puntos >= 0 ? 0.5 : -0.5));
}

// The 20 % shading that marks a cell: its grey stays readable as the mark.
constexpr sal_Int32 kGrisMarca = 0xCCCCCC;

// The font of the Symbol font's signs in Writer. Writer draws "Symbol" in a
// proportional font, and a row that holds a sign would no longer line up
// with the others; FreeMono is a Courier as wide as Courier New and has
// every sign of the Symbol font but one (U+23D0). It reads back as the
// notebook names it: "Symbol".
inline const char* const kFuenteSignos = "FreeMono";
inline const char* const kFuenteSymbol = "Symbol";

// The narrowest column Writer keeps as a column of its own, in points: it
// merges edges 20 twips (one point) apart or closer.
constexpr double kAnchoMinimoColumna = 1.5;

struct ConexionWriter::Uno {
    Reference<uno::XComponentContext> remoto;
    // The pipe's bridge, shared with every other connection to it in the
    // process (writer/ConexionWriter.cpp), and whether it has closed.
    Reference<css::bridge::XBridge> puente;
    std::shared_ptr<std::atomic<bool>> caido;
    Reference<css::frame::XDesktop2> escritorio;
    int generacion = 0; // counts the connections made
};

// What the backend shares with the notebook's thread and the listener of
// LibreOffice's end, which runs on one of UNO's threads: the handlers, run
// on the notebook's thread (avisar) and touched there only.
struct CanalEventos : std::enable_shared_from_this<CanalEventos> {
    // It goes with its Writer: a listener that LibreOffice still calls
    // afterwards must not reach a queue that is gone.
    std::mutex mutexPoster;
    Writer::Poster poster;
    void soltarPoster() {
        std::lock_guard<std::mutex> l(mutexPoster);
        poster = nullptr;
    }
    EventosWord eventos;
    std::atomic<bool> vivo{true};
    std::atomic<bool> seleccionPendiente{false};
    std::atomic<bool> salirAvisado{false};

    // Runs the handler `que` on the notebook's thread, `antes` first.
    void avisar(std::function<void()> EventosWord::*que,
                std::function<void(CanalEventos&)> antes = nullptr);
    void salir();
};

// A table cell by its place, 0-based.
struct CeldaNombre {
    int fila = 0, columna = 0;
};

struct Writer::Estado {
    std::shared_ptr<CanalEventos> canal;
    // The listener of LibreOffice's end, attached once per connection.
    Reference<css::frame::XTerminateListener> oyenteFin;
    int generacionOyentes = -1;

    // What the last look at Writer saw (sondear): its text documents and
    // the one in front; and the document the pupil last had in front (a
    // new, opened or activated one).
    std::vector<Reference<uno::XInterface>> documentosVistos;
    Reference<uno::XInterface> delanteVisto;
    Reference<uno::XInterface> modeloActivo;

    // The document worked on, with its view: what the view's cursor spanned
    // and whether its window was active at the last look.
    Reference<css::text::XTextDocument> modelo;
    Reference<css::frame::XController> controlador;
    Reference<css::text::XTextViewCursor> vista;
    Reference<css::awt::XWindow2> ventana;
    Reference<css::text::XTextCursor> seleccionVista;
    std::optional<bool> ventanaActiva;

    // A run of formatear calls: one cursor that walks the selection and the
    // document's layout held back until the run ends.
    struct Lote {
        Reference<css::text::XTextCursor> cursor;
        int desde = 1, hasta = 1; // the characters the cursor spans, [desde, hasta)
        int largoSeleccion = 0;
        bool bloqueado = false;
    };
    std::optional<Lote> lote;

    // The unit that the last expandir selected, while the selection stays.
    struct Expansion {
        Unidad unidad;
        OUString tabla;
        int fila, columna; // 0-based, the cell the selection started from
        CeldaNombre vista; // where the view cursor stood after it
    };
    std::optional<Expansion> expansion;

    // The cell that carries the mark, in whichever document, and what it had.
    struct Marca {
        Reference<css::beans::XPropertySet> celda;
        uno::Any color, transparente;
    };
    std::optional<Marca> marca;

    // The column widths that the notebook gave each table, in points: Writer
    // keeps them in coarser units, and they read back as given while the
    // table still has them (within half a point).
    std::map<OUString, std::vector<double>> anchosDados;
    // A text cursor over the view's selection, and one collapsed after it.
    Reference<css::text::XTextCursor> cursorSobreSeleccion() const;
    Reference<css::text::XTextCursor> cursorTrasSeleccion() const;

    std::vector<double> anchos(const Reference<css::text::XTextTable>& t);
    void fijarAnchos(const Reference<css::text::XTextTable>& t, std::vector<double> anchos,
                     bool ajustada);
};

// Every UNO failure becomes an ErrorWord (Writer::fallo tells which).
template <class F> auto Writer::proteger(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const ErrorWord&) {
        throw;
    } catch (const uno::Exception& ex) {
        fallo(aStd(ex.Message));
    } catch (const std::exception& ex) {
        fallo(ex.what());
    }
}

template <class F> auto Writer::llamar(F f, std::chrono::milliseconds mas) -> decltype(f()) {
    if (arrancando_ && !hilo_->enEsteHilo())
        throw ErrorWord(ErrorWord::Tipo::arrancando, "LibreOffice Writer se está iniciando.");
    return hilo_->llamar(
        [this, f = std::move(f)]() mutable {
            // A selection the call moved is told before its caller goes on.
            const struct Sondeo {
                Writer* w;
                ~Sondeo() { w->sondear(false); }
            } sondeo{this};
            return proteger(f);
        },
        plazo_ + mas);
}

// Table helpers shared by the backend's files.
std::optional<CeldaNombre> leerNombreCelda(const OUString& nombre);
OUString nombreCelda(int fila, int columna);
std::vector<double> anchosTabla(const Reference<css::text::XTextDocument>& modelo,
                                const Reference<css::text::XTextTable>& tabla);
void fijarAnchosTabla(const Reference<css::text::XTextTable>& tabla,
                      const std::vector<double>& anchos, bool ajustada);
bool tablaConCuadricula(const Reference<css::text::XTextTable>& tabla);
double anchoLineaPuntos(const Reference<css::text::XTextDocument>& modelo,
                        const Reference<css::text::XTextRange>& donde);

} // namespace renglero
