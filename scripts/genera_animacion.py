#!/usr/bin/env python3
"""Writes the progress box animation data/otros/Pcojo.gif: an eye looking from side to side.

The picture is drawn and encoded here (GIF89a, LZW) without any library, so the same script
always writes the same bytes."""
import math
import os
import struct
import sys

ANCHO, ALTO, CUADROS = 96, 48, 16
PALETA = [(212, 208, 200), (255, 255, 255), (0, 0, 0), (110, 70, 30), (40, 90, 160), (128, 128, 128), (0, 0, 0), (0, 0, 0)]


def cuadro(n):
    fase = math.sin(2 * math.pi * n / CUADROS)
    cx, cy, rx, ry = ANCHO / 2, ALTO / 2, 40.0, 18.0
    ix = cx + fase * 20
    px = []
    for y in range(ALTO):
        for x in range(ANCHO):
            e = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            d = math.hypot(x + 0.5 - ix, y + 0.5 - cy)
            if e > 1.08:
                c = 0
            elif e > 0.92:
                c = 5
            elif d < 5:
                c = 2
            elif d < 12:
                c = 4 if d < 9 else 3
            else:
                c = 1
            px.append(c)
    return px


def lzw(indices, minimo):
    limpiar, fin = 1 << minimo, (1 << minimo) + 1
    bits, tam = [], minimo + 1
    tabla = {(i,): i for i in range(limpiar)}
    siguiente = fin + 1
    salida = [(limpiar, tam)]
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in tabla:
            w = wk
            continue
        salida.append((tabla[w], tam))
        if siguiente < 4096:
            tabla[wk] = siguiente
            siguiente += 1
            if siguiente > (1 << tam) and tam < 12:
                tam += 1
        else:
            salida.append((limpiar, tam))
            tabla = {(i,): i for i in range(limpiar)}
            siguiente, tam = fin + 1, minimo + 1
        w = (k,)
    if w:
        salida.append((tabla[w], tam))
    salida.append((fin, tam))
    acum, n, datos = 0, 0, bytearray()
    for codigo, t in salida:
        acum |= codigo << n
        n += t
        while n >= 8:
            datos.append(acum & 0xFF)
            acum >>= 8
            n -= 8
    if n:
        datos.append(acum & 0xFF)
    return bytes(datos)


def bloques(datos):
    r = bytearray()
    for i in range(0, len(datos), 255):
        trozo = datos[i:i + 255]
        r.append(len(trozo))
        r += trozo
    r.append(0)
    return bytes(r)


def gif():
    r = bytearray(b"GIF89a")
    r += struct.pack("<HHBBB", ANCHO, ALTO, 0xF2, 0, 0)
    for c in PALETA:
        r += bytes(c)
    r += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for n in range(CUADROS):
        r += b"\x21\xF9\x04\x00" + struct.pack("<H", 8) + b"\x00\x00"
        r += b"\x2C" + struct.pack("<HHHHB", 0, 0, ANCHO, ALTO, 0)
        r.append(3)
        r += bloques(lzw(cuadro(n), 3))
    r += b"\x3B"
    return bytes(r)


if __name__ == "__main__":
    destino = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "otros", "Pcojo.gif")
    with open(destino, "wb") as f:
        f.write(gif())
