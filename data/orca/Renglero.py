"""Orca's script for Renglero, the pupils' squared-paper notebook.

Orca takes it for the application named "Renglero" from its apps folder (the
Debian package installs it there) or from a user's orca-scripts folder. While
the notebook has the focus:

- the keypad's + - * / reach the notebook, which lays out its operations with
  them: Orca's own commands on those keys (say all, flat review, clicks) stay
  outside the notebook, so no bypass key is needed and none reaches the grid;
- what the notebook announces is said as a message, without the name of the
  role, and shown in braille as its text;
- a cell of the notebook is read by itself (not its whole row at each row
  change), a blank one as "en blanco", a typed figure is not followed by the
  blank cell the cursor moves to, and braille shows the written part of the cell's row with the cursor on
  the cell.
"""

import pyatspi

import orca.braille as braille
import orca.keybindings as keybindings
import orca.messages as messages
import orca.orca_state as orca_state
import orca.script_utilities as script_utilities
import orca.speech_generator as speech_generator
from orca.scripts.toolkits.Qt import Script as ScriptQt

# The keypad keys of the notebook's operations.
TECLAS_OPERACION = ("KP_Add", "KP_Subtract", "KP_Multiply", "KP_Divide")

# The notebook's own grids: the notebook, the memory line, the signs.
TABLAS = ("Cuaderno", "Memoria", "Signos especiales")

# Keys after which the cell the cursor moves to is not read: a typed key was
# echoed and the cell it left is the one that changed; the notebook says an
# Enter's or a Tab's step with its place.
TECLAS_MUDAS = ("BackSpace", "space", "Return", "Tab")


def tabla_de(celda):
    """The notebook's grid that holds `celda`, or None."""
    try:
        if celda.getRole() != pyatspi.ROLE_TABLE_CELL:
            return None
        tabla = celda.parent
        if tabla is None or tabla.name not in TABLAS:
            return None
        return tabla
    except Exception:
        return None


def fila_escrita(celda):
    """The written part of the cell's row, as the notebook shows it, and the
    cursor's place in it; None when the row cannot be read."""
    tabla = tabla_de(celda)
    if tabla is None:
        return None
    try:
        t = tabla.queryTable()
        indice = celda.getIndexInParent()
        fila, columna = t.getRowAtIndex(indice), t.getColumnAtIndex(indice)
        texto = t.getRowDescription(fila) or ""
    except Exception:
        return None
    escritas = [i for i, c in enumerate(texto) if not c.isspace()]
    inicio = min(escritas + [columna])
    fin = max(escritas + [columna])
    return texto[inicio:fin + 1], columna - inicio


class Utilities(script_utilities.Utilities):
    def shouldReadFullRow(self, obj):
        if tabla_de(obj) is not None:
            return False
        return super().shouldReadFullRow(obj)


class Habla(speech_generator.SpeechGenerator):
    def _generateRealTableCell(self, obj, **args):
        # A blank cell of the notebook is said, as Orca says a blank line.
        if tabla_de(obj) is not None and not obj.name and not args.get("readingRow"):
            return [messages.BLANK] + self.voice(speech_generator.DEFAULT, obj=obj, **args)
        return super()._generateRealTableCell(obj, **args)


class Script(ScriptQt):
    def __init__(self, app):
        super().__init__(app)
        # An announcement made before Orca has presented the notebook's
        # window (the start's): said once the window has been.
        self._pendiente = None

    def getUtilities(self):
        return Utilities(self)

    def getSpeechGenerator(self):
        return Habla(self)

    def getKeyBindings(self):
        todas = super().getKeyBindings()
        propias = keybindings.KeyBindings()
        for b in todas.keyBindings:
            if b.keysymstring in TECLAS_OPERACION and \
                    not b.modifiers & keybindings.ORCA_MODIFIER_MASK:
                continue
            propias.add(b)
        return propias

    def onShowingChanged(self, event):
        obj = event.source
        if obj.getRole() == pyatspi.ROLE_NOTIFICATION:
            if event.detail1 and obj.name:
                if orca_state.activeWindow == self.utilities.topLevelObject(obj):
                    self.presentMessage(obj.name)
                else:
                    self._pendiente = obj.name
            return
        super().onShowingChanged(event)

    def onWindowActivated(self, event):
        super().onWindowActivated(event)
        pendiente, self._pendiente = self._pendiente, None
        if pendiente:
            self.presentMessage(pendiente)

    def locusOfFocusChanged(self, event, oldFocus, newFocus):
        tecla, _ = self.utilities.lastKeyAndModifiers()
        escrita = len(tecla) == 1 or tecla in TECLAS_MUDAS or \
            (tecla.startswith("KP_") and tecla[3:].isdigit())
        tabla = tabla_de(newFocus)
        if escrita and tabla is not None and tabla == tabla_de(oldFocus):
            self.updateBraille(newFocus)
            return
        super().locusOfFocusChanged(event, oldFocus, newFocus)

    def updateBraille(self, obj, **args):
        linea = fila_escrita(obj)
        if linea is None:
            super().updateBraille(obj, **args)
            return
        texto, cursor = linea
        self.clearBraille()
        renglon = self.getNewBrailleLine()
        braille.addLine(renglon)
        region = braille.Region(texto, cursor)
        self.addBrailleRegionToLine(region, renglon)
        self.setBrailleFocus(region)
        self.refreshBraille(True)
