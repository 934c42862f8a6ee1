"""The notebook as a screen reader sees it through AT-SPI: a short window name, a 13 x 25 table
of named cells, the cursor's cell focused, layouts announced, prompts, boxes and help readable.
Usage: atspi.py RENGLERO CARPETA"""
import os

import pyatspi

from sesion import Escritorio, Fallo, buscar, correr, esperar


def principal(renglero, carpeta):
    with Escritorio(os.path.join(carpeta, "eventos.log")) as e:
        app, ventana = e.cuaderno(renglero)
        marco = esperar(lambda: buscar(app, lambda o: o.getRoleName() == "frame" and
                                       o.name == "Renglero, Cuentas"), 30,
                        "la ventana del cuaderno")
        if not marco.description.startswith("F5, Ayuda."):
            raise Fallo("la leyenda de la ventana: %r" % marco.description)
        tabla = esperar(lambda: buscar(marco, lambda o: o.getRoleName() == "table" and
                                       o.name == "Cuaderno"), 10, "la tabla Cuaderno")
        t = tabla.queryTable()
        if (t.nRows, t.nColumns) != (13, 25):
            raise Fallo("la tabla tiene %d x %d celdas" % (t.nRows, t.nColumns))

        def nombre(fila, col):
            return t.getAccessibleAt(fila, col).name

        e.teclas("1 2 5")
        esperar(lambda: [nombre(1, c) for c in (3, 4, 5)] == ["1", "2", "5"], 10,
                "los nombres de las celdas tras 1 2 5")
        if nombre(1, 6) != "":
            raise Fallo("una celda en blanco tiene nombre: %r" % nombre(1, 6))

        antes = len(e.eventos)
        e.teclas("Return 3 7 KP_Add")
        esperar(lambda: any(ev.get("celda") == (4, 22) for ev in e.focos(antes)), 10,
                "el foco en la fila 4, columna 22")
        celda = t.getAccessibleAt(4, 22)
        if not celda.getState().contains(pyatspi.STATE_FOCUSED):
            raise Fallo("la celda del primer resultado no tiene el foco")

        # A prompt of the notebook: C (confirm), then Esc asks.
        e.teclas("c Escape")
        aviso = esperar(lambda: buscar(marco, lambda o: o.getRoleName() == "alert" and
                                       o.name.startswith("BORRAR LA TABLA")), 10,
                        "el aviso de borrar")
        if "Pulsa la misma tecla para confirmar" not in aviso.name:
            raise Fallo("el aviso no se lee entero: %r" % aviso.name)
        e.teclas("Left")
        e.anunciado("Operación anulada.")

        # A message box: H with a written grid.
        def caja():
            return buscar(app, lambda o: o.getRoleName() in ("label", "static") and
                          o.name.startswith("Para cambiar el tamaño de <Renglero>"), 8)
        e.teclas("h")
        esperar(caja, 10, "la caja de mensaje")
        e.teclas("Return")
        esperar(lambda: caja() is None, 10, "la caja cerrada")
        # Without a window manager nobody gives the focus back.
        e.enfocar(ventana)

        # The help, one line an item.
        e.teclas("F5")
        lista = esperar(lambda: buscar(marco, lambda o: o.getRoleName() == "list" and
                                       o.name == "Ayuda" and
                                       o.getState().contains(pyatspi.STATE_SHOWING)), 10,
                        "la lista de la Ayuda")
        lineas = [lista[i].name for i in range(lista.childCount)]
        if lineas[0] != "Esc, Borrar la tabla del Renglero." or \
                "Fin de la Ayuda." not in lineas or \
                not any(l.startswith("Control O, Oír la columna") for l in lineas):
            raise Fallo("las líneas de la Ayuda: %r" % lineas[:3])
        esperar(lambda: any(ev["rol"] == "list item" for ev in e.focos()), 10,
                "el foco en una línea de la Ayuda")
        e.teclas("Escape")
        e.anunciado("Ayuda cerrada.")

        # The last Enter of a division walks the cursor along a row; the focus
        # moves once, to where it ends. (The key after the help is dropped: Right.)
        e.teclas("Right c")
        e.anunciado("Confirmar no.")
        e.teclas("Escape")
        e.anunciado("Tabla borrada.")
        e.teclas("7 5 6 Return 3 KP_Divide 2 Return Left 1 Return 5 Return 5 Return 0 Return 6 "
                 "Return 2 Return 0")
        esperar(lambda: nombre(4, 3) == "0", 10, "el último resto")
        antes = len(e.eventos)
        e.teclas("Return")
        e.anunciado("No quedan cifras que bajar en la fila 5, columna 5, "
                    "de izquierda a derecha.", antes)
        focos = [ev.get("celda") for ev in e.focos(antes)]
        if focos != [(4, 4)]:
            raise Fallo("el último Intro movió el foco por %r" % focos)
        print("bien: %d eventos" % len(e.eventos))
        return 0


if __name__ == "__main__":
    correr(principal)
