"""The accessibility tests' session on lector.sh's X server and D-Bus: the notebook started
there, keys typed with xdotool, an AT-SPI listener that logs every event."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


class Fallo(Exception):
    pass


def esperar(condicion, segundos, que):
    """Pumps AT-SPI events until `condicion()` holds; fails after `segundos`."""
    fin = time.monotonic() + segundos
    contexto = GLib.MainContext.default()
    while True:
        while contexto.pending():
            contexto.iteration(False)
        valor = condicion()
        if valor:
            return valor
        if time.monotonic() > fin:
            raise Fallo("no llegó a tiempo: " + que)
        time.sleep(0.02)


class Escritorio:
    def __init__(self, registro):
        self.procesos = []
        self.registro = open(registro, "w", encoding="utf-8")
        self.eventos = []
        for tipo in ("object:state-changed:focused", "object:state-changed:showing",
                     "object:property-change:accessible-name", "object:children-changed",
                     "window:activate", "focus:"):
            pyatspi.Registry.registerEventListener(self.anotar, tipo)

    def anotar(self, evento):
        try:
            fuente = evento.source
            rol = fuente.getRoleName() if fuente else ""
            nombre = fuente.name if fuente else ""
        except Exception:  # an object gone meanwhile
            rol, nombre = "?", "?"
        linea = {"tipo": evento.type, "d1": evento.detail1, "rol": rol, "nombre": nombre,
                 "dato": evento.any_data if isinstance(evento.any_data, str) else ""}
        if rol == "table cell":
            try:
                tabla = evento.source.parent.queryTable()
                i = evento.source.getIndexInParent()
                linea["celda"] = (tabla.getRowAtIndex(i), tabla.getColumnAtIndex(i))
            except Exception:
                pass
        self.eventos.append(linea)
        self.registro.write(repr(linea) + "\n")
        self.registro.flush()

    def anunciado(self, texto, desde=0):
        """Waits for the notebook to announce `texto` after event `desde`."""
        esperar(lambda: any(ev["rol"] == "notification" and ev["nombre"] == texto
                            for ev in self.eventos[desde:]), 10, "el anuncio " + texto)

    def focos(self, desde=0):
        """The objects that took the focus after event `desde`."""
        return [ev for ev in self.eventos[desde:]
                if ev["tipo"] == "object:state-changed:focused" and ev["d1"] == 1]

    def arrancar(self, orden, entorno=None):
        p = subprocess.Popen(orden, env=os.environ | (entorno or {}), stdout=subprocess.DEVNULL,
                             stderr=open(self.registro.name + ".err", "a"))
        self.procesos.append(p)
        return p

    def cuaderno(self, renglero):
        """The notebook started with accessibility on, its window given the keys:
        its application in AT-SPI, and its X window."""
        self.arrancar([renglero, "--documento", "propio"],
                      {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        app = esperar(lambda: aplicacion("renglero"), 30, "el cuaderno en AT-SPI")
        ventana = esperar(lambda: subprocess.run(
            ["xdotool", "search", "--name", "^Renglero  -"], capture_output=True,
            text=True).stdout.split(), 20, "la ventana X del cuaderno")[0]
        self.enfocar(ventana)
        return app, ventana

    def enfocar(self, ventana):
        subprocess.run(["xdotool", "windowfocus", "--sync", ventana], check=True)

    def teclas(self, nombres, pausa=30):
        """Types the keys that `nombres` names (xdotool's names, a space apart)."""
        subprocess.run(["xdotool", "key", "--delay", str(pausa), *nombres.split()], check=True)

    def __enter__(self):
        return self

    def __exit__(self, *excepcion):
        for p in reversed(self.procesos):
            p.terminate()  # nothing for one already ended
        for p in reversed(self.procesos):
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
        self.registro.close()


def buscar(raiz, prueba, profundidad=6):
    """The first object under `raiz` (breadth first) for which `prueba` holds."""
    nivel = [raiz]
    for _ in range(profundidad):
        siguiente = []
        for o in nivel:
            try:
                if o is not raiz and prueba(o):
                    return o
                if o.getRoleName() == "table":
                    continue  # its cells are asked for one by one
                siguiente.extend(o[i] for i in range(o.childCount))
            except Exception:
                pass
        nivel = siguiente
    return None


def aplicacion(nombre):
    """The application in AT-SPI whose name holds `nombre`."""
    return buscar(pyatspi.Registry.getDesktop(0), lambda o: nombre in (o.name or "").lower(), 2)


def correr(principal):
    """A test's command line: principal(*arguments) is the exit code; a Fallo fails."""
    try:
        sys.exit(principal(*sys.argv[1:]))
    except Fallo as f:
        print("FALLO:", f)
        sys.exit(1)
