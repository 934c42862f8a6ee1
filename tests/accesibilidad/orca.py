"""A pupil's work (orca_esperado.txt) by ear through Orca in Spanish, with the notebook's
script installed as the package does: each step's words in order, no stray words, the sum typed
fast whole, its braille. Speech (a speech-dispatcher module writing to a file) and braille: CARPETA.
Usage: orca.py RENGLERO CARPETA"""
import os
import re
import shutil
import subprocess

from sesion import Escritorio, Fallo, aplicacion, buscar, correr, esperar

AQUI = os.path.dirname(os.path.abspath(__file__))
SCRIPT_ORCA = os.path.join(AQUI, "..", "..", "data", "orca", "Renglero.py")
ESPERADO = os.path.join(AQUI, "orca_esperado.txt")

# Each message on its own line, after the time it reached the module.
MODULO = """GenericExecuteSynth "printf '%s %s\\\\n' $(date +%s.%N) \\'$DATA\\' >> {archivo}"
GenericLanguage "es" "es" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "es" "MALE1" "es"
DefaultVoice "es"
"""

# The module still opens a sound device at start: libao's null driver.
SPEECHD = """AudioOutputMethod "libao"
AddModule "archivo" "sd_generic" "archivo.conf"
DefaultModule archivo
DefaultLanguage "es"
Timeout 600
LogLevel 3
LogDir "{carpeta}"
"""

# Orca's own log of what it shows in braille, kept in a file.
PERSONALIZACION = """import logging
_archivo = logging.FileHandler({archivo!r}, encoding="utf-8")
_archivo.setFormatter(logging.Formatter("%(message)s"))
logging.getLogger("braille").addHandler(_archivo)
"""


def escribir(ruta, texto):
    os.makedirs(os.path.dirname(ruta), exist_ok=True)
    with open(ruta, "w", encoding="utf-8") as f:
        f.write(texto)


def preparar(carpeta):
    hablado, braille = os.path.join(carpeta, "hablado.txt"), os.path.join(carpeta, "braille.txt")
    for registro in (hablado, braille):
        escribir(registro, "")
    casa = os.environ["HOME"]
    conf = os.path.join(casa, ".config", "speech-dispatcher")
    escribir(os.path.join(conf, "speechd.conf"), SPEECHD.format(carpeta=carpeta))
    escribir(os.path.join(conf, "modules", "archivo.conf"), MODULO.format(archivo=hablado))
    escribir(os.path.join(casa, ".libao"), "default_driver=null\n")
    # Where Orca looks for a user's scripts, as it looks in its apps folder.
    orca = os.path.join(casa, ".local", "share", "orca")
    escribir(os.path.join(orca, "orca-scripts", "__init__.py"), "")
    shutil.copy(SCRIPT_ORCA, os.path.join(orca, "orca-scripts", "Renglero.py"))
    escribir(os.path.join(orca, "orca-customizations.py"),
             PERSONALIZACION.format(archivo=braille))
    return hablado, braille


def dicho(hablado):
    """What Orca said, a message a line (those after the time it was said)."""
    with open(hablado, encoding="utf-8", errors="replace") as f:
        return [l.partition(" ")[2].strip() for l in f if re.match(r"\d+\.\d+ ", l)]


def en_orden(frases, lineas):
    """The phrases said in order in these lines (speech-dispatcher may cut a
    message into sentences), spaces aside."""
    todo = " ".join(" ".join(lineas).split())
    desde = 0
    for frase in frases:
        frase = " ".join(frase.split())
        i = todo.find(frase, desde)
        if i < 0:
            return False
        desde = i + len(frase)
    return True


def pasos():
    """Each "> keys" line of ESPERADO, with the lines said after it."""
    lista = []
    with open(ESPERADO, encoding="utf-8") as f:
        for l in f.read().splitlines():
            if l.startswith("> "):
                lista.append((l[2:], []))
            elif l and not l.startswith("#"):
                lista[-1][1].append(l)
    return lista


def principal(renglero, carpeta):
    hablado, braille = preparar(carpeta)
    with Escritorio(os.path.join(carpeta, "eventos_orca.log")) as e:
        # A Spanish keyboard, as a pupil's.
        subprocess.run(["setxkbmap", "es"], stderr=subprocess.DEVNULL)
        # Never --replace: it kills every Orca of this user, not only ours.
        depurar = os.environ.get("ORCA_DEPURAR")
        orca = e.arrancar(["orca"] + (["--debug-file", depurar] if depurar else []))
        esperar(lambda: aplicacion("orca") or orca.poll() is not None, 60, "Orca en AT-SPI")
        if orca.poll() is not None:
            raise Fallo("Orca no arranca (¿otra copia en marcha de este usuario?)")
        # Orca is ready once it has said so.
        esperar(lambda: dicho(hablado), 30, "Orca hablando")
        app, _ = e.cuaderno(renglero)
        esperar(lambda: en_orden(["Renglero, Cuentas", "Modo Cuentas, fila 2, columna 4."],
                                 dicho(hablado)), 30, "Orca diciendo la ventana y el modo")
        transcripcion = ["> (el cuaderno se abre)"] + dicho(hablado)

        # The pupil's work, step by step.
        for teclas, frases in pasos():
            desde = len(dicho(hablado))
            deprisa = teclas.startswith("deprisa ")
            e.teclas(teclas.removeprefix("deprisa "), pausa=100 if deprisa else 30)
            esperar(lambda: en_orden(frases, dicho(hablado)[desde:]), 20,
                    "Orca diciendo %r tras %s" % (frases, teclas))
            transcripcion += ["> " + teclas] + dicho(hablado)[desde:]

        # The addition typed deprisa lost no figure.
        tabla = buscar(app, lambda o: o.getRoleName() == "table" and o.name == "Cuaderno", 8)
        t = tabla.queryTable()
        escrito = ["".join(t.getAccessibleAt(fila, c).name or " " for c in range(18, 23))
                   for fila in (1, 2)]
        if escrito != ["  125", "más 37"] and escrito != ["  125", "más  37"]:
            raise Fallo("la suma deprisa perdió cifras: %r" % escrito)

        escribir(os.path.join(carpeta, "transcripcion.txt"), "\n".join(transcripcion) + "\n")
        print("\n".join(transcripcion))
        todo = " ".join(transcripcion)
        for mal in ("notificación", "corchete", "menor que", "dos puntos"):
            if mal in todo:
                raise Fallo("Orca dijo %r" % mal)

        # Braille: the rows as written, the announcements as text.
        with open(braille, encoding="utf-8") as f:
            lineas_braille = [l.rstrip("\n") for l in f]
        print("\n".join(l for l in lineas_braille if l.startswith("BRAILLE LINE")))
        for fila in ("' 162'", "'+  37'", "'Enviado al documento.'"):
            if not any(l.startswith("BRAILLE LINE:") and l.endswith(fila)
                       for l in lineas_braille):
                raise Fallo("el braille no mostró %s" % fila)

        return 0 if orca.poll() is None else 1


if __name__ == "__main__":
    correr(principal)
