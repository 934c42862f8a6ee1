"""The notebook through Orca: 125 + 37 typed with Orca running in its default
(desktop) layout and speaking through speech-dispatcher, whose only output
module writes each message to a file instead of a sound card. The lines Orca
would speak are left in the log folder and printed.
Usage: orca.py RENGLERO CARPETA"""
import os
import subprocess

from sesion import Escritorio, aplicacion, correr, esperar

MODULO = """GenericExecuteSynth "printf '%s\\\\n' \\'$DATA\\' >> {archivo}"
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


def preparar(carpeta):
    hablado = os.path.join(carpeta, "hablado.txt")
    open(hablado, "w").close()
    conf = os.path.join(os.environ["HOME"], ".config", "speech-dispatcher")
    os.makedirs(os.path.join(conf, "modules"), exist_ok=True)
    with open(os.path.join(conf, "speechd.conf"), "w") as f:
        f.write(SPEECHD.format(carpeta=carpeta))
    with open(os.path.join(conf, "modules", "archivo.conf"), "w") as f:
        f.write(MODULO.format(archivo=hablado))
    with open(os.path.join(os.environ["HOME"], ".libao"), "w") as f:
        f.write("default_driver=null\n")
    return hablado


def lineas(hablado):
    with open(hablado, encoding="utf-8", errors="replace") as f:
        return [l.rstrip("\n") for l in f if l.strip()]


def principal(renglero, carpeta):
    hablado = preparar(carpeta)
    with Escritorio(os.path.join(carpeta, "eventos_orca.log")) as e:
        # Never --replace: it kills every Orca of this user, not only ours.
        orca = e.arrancar(["orca"])
        esperar(lambda: aplicacion("orca") or orca.poll() is not None, 60, "Orca en AT-SPI")
        if orca.poll() is not None:
            print("Orca no arranca (¿otra copia en marcha de este usuario?)")
            return 77
        # Orca is ready once it has said so.
        esperar(lambda: lineas(hablado), 30, "Orca hablando")
        e.arrancar([renglero, "--documento", "propio"],
                   {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        esperar(lambda: aplicacion("renglero"), 30, "el cuaderno en AT-SPI")
        ventana = esperar(lambda: subprocess.run(
            ["xdotool", "search", "--name", "^Renglero  -"], capture_output=True,
            text=True).stdout.split(), 20, "la ventana X del cuaderno")[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", ventana], check=True)
        esperar(lambda: any("Renglero" in l for l in lineas(hablado)), 30,
                "Orca diciendo la ventana")
        e.teclas("1", "2", "5", "Return")
        esperar(lambda: any("Línea nueva" in l for l in lineas(hablado)), 20,
                "Orca diciendo la línea nueva")
        e.teclas("3", "7")
        esperar(lambda: any(l.strip() in ("7", "siete") for l in lineas(hablado)), 20,
                "Orca diciendo el 7")
        # Orca's desktop layout keeps keypad + for itself; Orca+BackSpace
        # (Insert is the Orca key) hands the next key to the notebook.
        e.teclas("Insert+BackSpace")
        e.teclas("KP_Add")
        esperar(lambda: any("Suma preparada" in l for l in lineas(hablado)), 20,
                "Orca diciendo el anuncio de la suma")
        e.teclas("2", "6", "1")
        e.teclas("ctrl+o")
        esperar(lambda: any("Columna" in l for l in lineas(hablado)), 20,
                "Orca leyendo la columna")
        for l in lineas(hablado):
            print(l)
        return 0 if orca.poll() is None else 1


if __name__ == "__main__":
    correr(principal)
