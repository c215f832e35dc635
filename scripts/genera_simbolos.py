#!/usr/bin/env python3
"""Draws the symbol pictures of the map (data/Bitmap/*.bmp).

Every picture is small pixel art sized for hexes of radius 30, on the transparent key colour
(red 128, green 0, blue 0) that the map leaves out when it draws a symbol. The output is the same
on every run: no randomness, no fonts, only the shapes below.

    scripts/genera_simbolos.py [CARPETA] [--muestra MUESTRA.png]

CARPETA defaults to data/Bitmap beside this script's folder; --muestra also writes an enlarged
sheet of every symbol for a quick look.
"""

import os
import struct
import sys
import zlib

CLAVE = (128, 0, 0)

NEGRO = (0, 0, 0)
BLANCO = (255, 255, 255)

# Allegiance fills: main and dark shade. None of them may equal the key colour.
BANDOS = {
    "": ((232, 232, 232), (150, 150, 150)),     # allegiance not recorded
    "L": ((60, 210, 60), (20, 130, 20)),        # Libre
    "O": ((228, 48, 48), (150, 24, 24)),        # Oscuro
    "N": ((40, 215, 230), (0, 128, 150)),       # Neutral
}
PIEDRA = (180, 180, 180)
PIEDRA_OSCURA = (96, 96, 96)
MADERA = (150, 98, 42)
MADERA_OSCURA = (96, 60, 24)
AZUL_MARINO = (0, 0, 150)
AMARILLO = (250, 215, 0)
AZUL_INFO = (20, 70, 200)


class Lienzo:
    def __init__(self, ancho, alto):
        self.ancho, self.alto = ancho, alto
        self.p = [[None] * ancho for _ in range(alto)]

    def pon(self, x, y, c):
        if 0 <= x < self.ancho and 0 <= y < self.alto:
            self.p[y][x] = c

    def toma(self, x, y):
        if 0 <= x < self.ancho and 0 <= y < self.alto:
            return self.p[y][x]
        return None

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pon(x, y, c)

    def tejado(self, x0, x1, y_base, alto, c):
        """Triangle with its base on row y_base from x0 to x1 and its apex `alto` rows up."""
        for i in range(alto):
            y = y_base - i
            recorte = (i * (x1 - x0 + 1)) // (2 * alto)
            self.rect(x0 + recorte, y, x1 - recorte, y, c)

    def almenas(self, x0, x1, y, c, alto=1):
        """Merlons two pixels wide with gaps of three, so the outline leaves a gap showing."""
        for x in range(x0, x1 + 1):
            if (x - x0) % 5 < 2 or x == x1:
                for dy in range(alto):
                    self.pon(x, y - dy, c)

    def contorno(self, c=NEGRO):
        """A one-pixel line around every shape, outside it (eight neighbours)."""
        marcas = []
        for y in range(self.alto):
            for x in range(self.ancho):
                if self.p[y][x] is not None:
                    continue
                for dy in (-1, 0, 1):
                    for dx in (-1, 0, 1):
                        v = self.toma(x + dx, y + dy)
                        if v is not None and v != c:
                            marcas.append((x, y))
                            break
                    else:
                        continue
                    break
        for x, y in marcas:
            self.p[y][x] = c

    def plantilla(self, x0, y0, filas, colores):
        for dy, fila in enumerate(filas):
            for dx, ch in enumerate(fila):
                if ch != ".":
                    self.pon(x0 + dx, y0 + dy, colores[ch])

    def cambia(self, f):
        for y in range(self.alto):
            for x in range(self.ancho):
                if self.p[y][x] is not None:
                    self.p[y][x] = f(x, y, self.p[y][x])


def aclara(c, parte=0.55):
    return tuple(int(round(v + (255 - v) * parte)) for v in c)


def heredado(l):
    """Inherited rows: paler fills and a broken outline, the look of old news."""
    def f(x, y, c):
        if c == NEGRO:
            return NEGRO if (x + y) % 2 == 0 else BLANCO
        return aclara(c)
    l.cambia(f)


# --- Population centres --------------------------------------------------------------------

def casa(l, x0, x1, y_base, alto_cuerpo, alto_tejado, claro, oscuro):
    y_cuerpo = y_base - alto_cuerpo + 1
    l.rect(x0, y_cuerpo, x1, y_base, claro)
    l.tejado(x0 - 1, x1 + 1, y_cuerpo - 1, alto_tejado, oscuro)
    medio = (x0 + x1) // 2
    l.rect(medio, y_base - 1, medio + (1 if x1 - x0 >= 5 else 0), y_base, NEGRO)


def torre(l, x0, x1, y_arriba, y_base, claro, oscuro):
    l.rect(x0, y_arriba + 1, x1, y_base, claro)
    l.pon(x0, y_arriba, claro)
    l.pon(x1, y_arriba, claro)
    l.rect(x0 + 1, y_arriba + 3, x1 - 1, y_arriba + 4, oscuro)


def centro(n, bando):
    claro, oscuro = BANDOS[bando]
    if n == 1:      # Campamento: a tent
        l = Lienzo(11, 10)
        l.tejado(1, 9, 8, 8, claro)
        l.tejado(4, 6, 8, 4, oscuro)
        l.rect(5, 7, 5, 8, NEGRO)
    elif n == 2:    # Aldea: one house
        l = Lienzo(12, 12)
        casa(l, 2, 9, 10, 5, 5, claro, oscuro)
    elif n == 3:    # Pueblo: two houses
        l = Lienzo(14, 13)
        casa(l, 2, 6, 11, 4, 3, claro, oscuro)
        casa(l, 7, 11, 11, 6, 4, claro, oscuro)
    elif n == 4:    # Villa: houses and a tower
        l = Lienzo(16, 15)
        torre(l, 1, 4, 2, 13, claro, oscuro)
        casa(l, 6, 10, 13, 5, 4, claro, oscuro)
        casa(l, 11, 14, 13, 3, 3, claro, oscuro)
    else:           # Ciudad: a wall with towers and a keep
        l = Lienzo(18, 17)
        l.rect(1, 10, 16, 15, claro)
        torre(l, 1, 4, 5, 15, claro, oscuro)
        torre(l, 13, 16, 5, 15, claro, oscuro)
        casa(l, 6, 11, 8, 4, 4, claro, oscuro)
        l.rect(8, 13, 9, 15, NEGRO)
    l.contorno()
    return l


def ruinas():
    l = Lienzo(12, 10)
    l.rect(1, 2, 2, 7, PIEDRA)
    l.rect(5, 5, 6, 7, PIEDRA)
    l.rect(9, 1, 10, 7, PIEDRA)
    l.pon(10, 1, None)
    l.pon(3, 6, PIEDRA_OSCURA)
    l.pon(7, 7, PIEDRA_OSCURA)
    l.rect(0, 8, 11, 8, PIEDRA_OSCURA)
    l.contorno()
    return l


# --- Other symbols -------------------------------------------------------------------------

def fortificacion(n):
    """Walls standing behind the centre's symbol, growing with the level."""
    ancho = 18 + 2 * n
    alto = 6 + 2 * n
    l = Lienzo(ancho, alto)
    if n == 1:      # a palisade of stakes
        for x in range(1, ancho - 1, 2):
            l.rect(x, 2, x, alto - 2, MADERA)
            l.pon(x, 1, MADERA_OSCURA)
        l.rect(1, alto - 3, ancho - 2, alto - 3, MADERA_OSCURA)
    else:
        cima = 5 if n >= 3 else 3
        l.rect(1, cima + 1, ancho - 2, alto - 2, PIEDRA)
        l.almenas(1, ancho - 2, cima, PIEDRA, 2)
        torres = [1, ancho - 5] + ([ancho // 2 - 2] if n == 5 else [])
        if n >= 3:
            for t in torres:
                l.rect(t, 2, t + 3, alto - 2, PIEDRA)
                l.pon(t, 1, PIEDRA)
                l.pon(t + 3, 1, PIEDRA)
                l.rect(t + 1, 4, t + 2, 5, PIEDRA_OSCURA)
        for y in range(cima + 3, alto - 2, 3):
            for x in range(2 + (y % 2) * 2, ancho - 2, 4):
                l.pon(x, y, PIEDRA_OSCURA)
    l.contorno()
    return l


def ancla(grande):
    if grande:
        filas = [
            "....###....",
            "....#.#....",
            "....###....",
            "..#######..",
            ".....#.....",
            ".....#.....",
            ".#...#...#.",
            "###..#..###",
            ".##..#..##.",
            "..##.#.##..",
            "...#####...",
        ]
    else:
        filas = [
            "...###...",
            "...#.#...",
            "...###...",
            ".#######.",
            "....#....",
            "#...#...#",
            "##..#..##",
            ".##.#.##.",
            "..#####..",
        ]
    l = Lienzo(len(filas[0]) + 2, len(filas) + 2)
    l.plantilla(1, 1, filas, {"#": AZUL_MARINO})
    l.contorno(BLANCO)
    return l


def personaje(bando):
    """Nine pixels high: two of them stand one above the other between the top of the hex's
    left side and the armies below."""
    claro, oscuro = BANDOS[bando]
    filas = [
        ".ooo.",
        ".ooo.",
        "xxxxx",
        "ooooo",
        "ooooo",
        ".o.o.",
        ".o.o.",
    ]
    l = Lienzo(7, 9)
    l.plantilla(1, 1, filas, {"o": claro, "x": oscuro})
    l.contorno()
    return l


def ejercito(bando, margen_izquierdo, margen_derecho):
    """A shield with crossed swords. The free armies stand in the lower left corner of the hex and
    the dark ones in the lower right, so each keeps a margin on the side of the hex's edge."""
    claro, oscuro = BANDOS[bando]
    filas = [
        "oooooooooo",
        "o#oooooo#o",
        "oo#oooo#oo",
        "ooo#oo#ooo",
        "oooo##oooo",
        "ooo#oo#ooo",
        ".o#xxxx#o.",
        "..oxxxxo..",
        "...oooo...",
    ]
    l = Lienzo(12 + margen_izquierdo + margen_derecho, 11)
    l.plantilla(1 + margen_izquierdo, 1, filas, {"o": claro, "x": oscuro, "#": NEGRO})
    l.contorno()
    return l


def encuentro():
    # Drawn to the right of its box: the notes mark is drawn three pixels to its left.
    filas = [
        "...y...",
        "..yyy..",
        ".yywyy.",
        "yyyyyyy",
        ".yyyyy.",
        "..yyy..",
        "...y...",
    ]
    l = Lienzo(10, 9)
    l.plantilla(3, 1, filas, {"y": AMARILLO, "w": BLANCO})
    l.contorno()
    return l


def notas():
    filas = [
        "wwwww",
        "wwbww",
        "wwwww",
        "wbbww",
        "wwbww",
        "wwbww",
        "wbbbw",
    ]
    l = Lienzo(7, 9)
    l.plantilla(1, 1, filas, {"w": BLANCO, "b": AZUL_INFO})
    l.contorno()
    return l


# --- Files ---------------------------------------------------------------------------------

def pixeles(l):
    return [[CLAVE if c is None else c for c in fila] for fila in l.p]


def escribe_bmp(ruta, l):
    filas = pixeles(l)
    ancho, alto = l.ancho, l.alto
    relleno = (4 - (ancho * 3) % 4) % 4
    datos = bytearray()
    for fila in reversed(filas):
        for r, g, b in fila:
            datos += bytes((b, g, r))
        datos += b"\0" * relleno
    cabecera = struct.pack("<2sIHHI", b"BM", 54 + len(datos), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, ancho, alto, 1, 24, 0, len(datos), 3780, 3780, 0, 0)
    with open(ruta, "wb") as f:
        f.write(cabecera + info + datos)


def escribe_png(ruta, filas):
    alto, ancho = len(filas), len(filas[0])
    crudo = b"".join(b"\0" + bytes(v for px in fila for v in px) for fila in filas)

    def trozo(tipo, datos):
        return struct.pack(">I", len(datos)) + tipo + datos + struct.pack(">I", zlib.crc32(tipo + datos) & 0xFFFFFFFF)

    with open(ruta, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(trozo(b"IHDR", struct.pack(">IIBBBBB", ancho, alto, 8, 2, 0, 0, 0)))
        f.write(trozo(b"IDAT", zlib.compress(crudo, 9)))
        f.write(trozo(b"IEND", b""))


def simbolos():
    s = {}
    for sufijo, marcado in (("", False), ("s", True)):
        for letra in ("", "L", "O", "N"):
            for n in range(1, 6):
                l = centro(n, letra)
                if marcado:
                    heredado(l)
                s["CP%s%d%s" % (letra, n, sufijo)] = l
        l = ruinas()
        if marcado:
            heredado(l)
        s["CP6" + sufijo] = l
    for n in range(1, 6):
        s["Forti%d" % n] = fortificacion(n)
    s["Ancla1"] = ancla(False)
    s["Ancla2"] = ancla(True)
    s["Ejer1"] = ejercito("L", 2, 0)
    s["Ejer2"] = ejercito("O", 0, 2)
    s["Ejer3"] = ejercito("N", 0, 0)
    s["Per"] = personaje("")
    s["Per1"] = personaje("L")
    s["Per2"] = personaje("O")
    s["Per3"] = personaje("N")
    s["Enc"] = encuentro()
    s["Info"] = notas()
    return s


def muestra(ruta, s, escala=6):
    nombres = sorted(s)
    por_fila = 10
    celda = 30 * escala
    filas_hoja = (len(nombres) + por_fila - 1) // por_fila
    ancho, alto = por_fila * celda, filas_hoja * celda
    hoja = [[(200, 190, 120) if ((x // 12 + y // 12) % 2) else (90, 150, 90) for x in range(ancho)] for y in range(alto)]
    for i, nombre in enumerate(nombres):
        l = s[nombre]
        ox, oy = (i % por_fila) * celda + escala, (i // por_fila) * celda + escala
        for y in range(l.alto):
            for x in range(l.ancho):
                c = l.p[y][x]
                if c is None:
                    continue
                for dy in range(escala):
                    for dx in range(escala):
                        hoja[oy + y * escala + dy][ox + x * escala + dx] = c
    escribe_png(ruta, hoja)


def main(argv):
    base = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    carpeta = os.path.join(base, "data", "Bitmap")
    ruta_muestra = None
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--muestra":
            ruta_muestra = args.pop(0)
        else:
            carpeta = a
    os.makedirs(carpeta, exist_ok=True)
    s = simbolos()
    for nombre, l in sorted(s.items()):
        assert all(c != CLAVE for fila in l.p for c in fila), nombre
        escribe_bmp(os.path.join(carpeta, nombre + ".bmp"), l)
    if ruta_muestra:
        muestra(ruta_muestra, s)
    print("%d símbolos en %s" % (len(s), carpeta))


if __name__ == "__main__":
    main(sys.argv[1:])
