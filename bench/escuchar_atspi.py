"""An AT-SPI client that listens as a screen reader does (focus, names,
showing), so that the notebook's bridge sends its events while the benchmark
runs; it stops when standard input closes."""
import sys
import threading

import pyatspi
from gi.repository import GLib

vistos = 0


def anotar(evento):
    global vistos
    vistos += 1
    try:
        _ = evento.source.name
    except Exception:
        pass


for tipo in ("object:state-changed:focused", "object:state-changed:showing",
             "object:property-change:accessible-name", "focus:"):
    pyatspi.Registry.registerEventListener(anotar, tipo)
bucle = GLib.MainLoop()
threading.Thread(target=lambda: (sys.stdin.read(), GLib.idle_add(bucle.quit)), daemon=True).start()
print("escuchando", flush=True)
bucle.run()
print("eventos leídos:", vistos, file=sys.stderr)
