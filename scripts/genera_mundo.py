#!/usr/bin/env python3
"""Builds the starting worlds of the two game templates (Tercera and Cuarta).

Writes data/tablas/<Plantilla>/{Hex,Paises,CenPob,Pjs,Ejer,Artef}.csv in the text form that
`kzdb cargar-datos` loads: a header line of field names, fields separated by ";", empty for
null, booleans True/False, values holding ";", a quote or a line break between double quotes.

The script is deterministic (its own seeded generators, standard library only), so running it
again gives the same files byte for byte. Usage: scripts/genera_mundo.py [DESTINO]
(default: data/tablas beside this script).

Map geometry (44 columns x 39 rows, pointy-topped hexes, odd rows start at the left edge and
even rows are shifted right by half a hex). Sides and neighbours go NE, E, SE, SO, O, NO.
Rivers and streams run along hex sides, so they are modelled as chains of hex edges between
corners; every edge knows the two (hex, side) pairs it belongs to, which is how a side is
marked on both hexes. Roads go from hex to hex across sides and are marked on both as well.
"""

import heapq
import math
import os
import random
import sys

COLUMNAS = 44
FILAS = 39
LADOS = ("NE", "E", "SE", "SO", "O", "NO")

# Terrain codes of Terreno.csv.
ALTA_MAR, COSTERAS, RIBERA, LLANO, ABRUPTO, BOSQUE, DESIERTO, PANTANO, MONTANOSO = (
    "01", "02", "03", "04", "05", "06", "07", "08", "09")
AGUA = (ALTA_MAR, COSTERAS)
# Cost of stepping into a hex when tracing roads (foot costs of Terreno.csv, mountains dearer
# so that roads go round them when they can).
COSTE_CAMINO = {RIBERA: 2, LLANO: 2, ABRUPTO: 4, BOSQUE: 3, DESIERTO: 3, PANTANO: 5, MONTANOSO: 9}


# ----------------------------------------------------------------------------------------------
# Geometry
# ----------------------------------------------------------------------------------------------

def codigo(c, r):
    return "%.2d%.2d" % (c, r)


def dentro(c, r):
    return 1 <= c <= COLUMNAS and 1 <= r <= FILAS


def vecino(c, r, lado):
    """Neighbour across a side (0 NE .. 5 NO); may fall outside the map."""
    impar = r % 2 == 1
    if lado == 0:
        return (c, r - 1) if impar else (c + 1, r - 1)
    if lado == 1:
        return (c + 1, r)
    if lado == 2:
        return (c, r + 1) if impar else (c + 1, r + 1)
    if lado == 3:
        return (c - 1, r + 1) if impar else (c, r + 1)
    if lado == 4:
        return (c - 1, r)
    return (c - 1, r - 1) if impar else (c, r - 1)


def opuesto(lado):
    return lado + 3 if lado < 3 else lado - 3


def vecinos(c, r):
    for lado in range(6):
        v = vecino(c, r, lado)
        if dentro(*v):
            yield lado, v


def centro(c, r):
    """Centre in integer units: x in half-widths, y in half-radii."""
    return (2 * c - 1 if r % 2 == 1 else 2 * c), 3 * r - 1


def esquinas(c, r):
    """Corners top, upper right, lower right, bottom, lower left, upper left; side i joins
    corner i and corner i + 1."""
    x, y = centro(c, r)
    return [(x, y - 2), (x + 1, y - 1), (x + 1, y + 1), (x, y + 2), (x - 1, y + 1), (x - 1, y - 1)]


def posicion(c, r):
    """Centre in hex radii, for distances and smooth fields."""
    x, y = centro(c, r)
    return x * math.sqrt(3) / 2, y / 2


def radios(v):
    """A corner in hex radii."""
    return v[0] * math.sqrt(3) / 2, v[1] / 2


def cubo(c, r):
    q = (c - 1) - ((r - 1) - ((r - 1) & 1)) // 2
    z = r - 1
    return q, -q - z, z


def distancia(a, b):
    qa, ya, za = cubo(*a)
    qb, yb, zb = cubo(*b)
    return max(abs(qa - qb), abs(ya - yb), abs(za - zb))


def distancia_movimiento(a, b):
    """The movement distance of the map window, written the way the map computes it."""
    (sc, sr), (tc, tr) = a, b
    dr = abs(tr - sr)
    libre = dr // 2
    if tc != sc and ((sr % 2 == 0 and tc > sc) or (sr % 2 == 1 and tc < sc)):
        libre = (dr + 1) // 2
    dc = abs(tc - sc)
    return dr if dc <= libre else dr + dc - libre


HEXES = [(c, r) for r in range(1, FILAS + 1) for c in range(1, COLUMNAS + 1)]


class Aristas:
    """The hex edges of the map: which (hex, side) pairs each edge belongs to and which edges
    meet at each corner."""

    def __init__(self):
        self.lados = {}      # edge -> [(hex, side)]
        self.en_vertice = {}  # corner -> [edge]
        self.hexes_vertice = {}  # corner -> [hex]
        for h in HEXES:
            e = esquinas(*h)
            for lado in range(6):
                arista = tuple(sorted((e[lado], e[(lado + 1) % 6])))
                self.lados.setdefault(arista, []).append((h, lado))
            for v in e:
                self.hexes_vertice.setdefault(v, []).append(h)
        for arista in self.lados:
            for v in arista:
                self.en_vertice.setdefault(v, []).append(arista)
        self._comprueba()

    def _comprueba(self):
        # The corner model and the neighbour table must agree, or sides would be marked on
        # the wrong neighbour.
        for arista, pares in self.lados.items():
            assert len(pares) in (1, 2), arista
            if len(pares) == 2:
                (h1, l1), (h2, l2) = pares
                assert vecino(*h1, l1) == h2 and l2 == opuesto(l1), (h1, l1, h2, l2)
        for h in HEXES:
            for lado in range(6):
                v = vecino(*h, lado)
                assert dentro(*v) == (len(self.lados[self.arista(h, lado)]) == 2)
        for a in HEXES[::37]:
            for b in HEXES[::41]:
                assert distancia(a, b) == distancia_movimiento(a, b), (a, b)

    @staticmethod
    def arista(h, lado):
        e = esquinas(*h)
        return tuple(sorted((e[lado], e[(lado + 1) % 6])))

    def otro_extremo(self, arista, v):
        return arista[1] if arista[0] == v else arista[0]


# ----------------------------------------------------------------------------------------------
# World
# ----------------------------------------------------------------------------------------------

class Forma:
    """Shape of one world: landmasses and mountain chains as segments in map fractions."""

    def __init__(self, semilla, tierra, masas, cordilleras, islas, humedad_norte):
        self.semilla = semilla
        self.tierra = tierra            # fraction of land hexes
        self.masas = masas              # (x0, y0, x1, y1, radius, height)
        self.cordilleras = cordilleras  # (x0, y0, x1, y1)
        self.islas = islas              # (x, y, radius in hex radii)
        self.humedad_norte = humedad_norte


ANCHO, ALTO = posicion(COLUMNAS, 2)[0] + 1, posicion(1, FILAS)[1] + 1


def distancia_segmento(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    largo = dx * dx + dy * dy
    t = 0.0 if largo == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / largo))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def suaviza(campo, veces):
    for _ in range(veces):
        nuevo = {}
        for h in HEXES:
            valores = [campo[h]] + [campo[v] for _, v in vecinos(*h)]
            nuevo[h] = sum(valores) / len(valores)
        campo = nuevo
    return campo


def rangos(valores):
    """Percentile rank (0..1) of each key's value."""
    orden = sorted(valores, key=lambda k: (valores[k], k))
    n = max(1, len(orden) - 1)
    return {k: i / n for i, k in enumerate(orden)}


class Mundo:
    def __init__(self, forma):
        self.forma = forma
        self.rng = random.Random(forma.semilla)
        self.aristas = Aristas()
        self.terreno = {}
        self.lados = {campo: {h: [False] * 6 for h in HEXES}
                      for campo in ("RIO", "RIA", "PUENTE", "VADO", "CAMINO")}
        self.centros = []   # dicts, see situa_centros

    # -- relief --------------------------------------------------------------------------------

    def relieve(self):
        f, rng = self.forma, self.rng
        ruido = suaviza({h: rng.uniform(-1, 1) for h in HEXES}, 2)
        islas = [(x * ANCHO, y * ALTO, radio) for x, y, radio in f.islas]
        altura = {}
        for h in HEXES:
            p = posicion(*h)
            a = 0.0
            for x0, y0, x1, y1, radio, alto in f.masas:
                d = distancia_segmento(p, (x0 * ANCHO, y0 * ALTO), (x1 * ANCHO, y1 * ALTO))
                a += alto * math.exp(-(d * d) / (2 * (radio * ANCHO) ** 2))
            for x, y, radio in islas:
                d = math.hypot(p[0] - x, p[1] - y)
                a += 1.1 * math.exp(-(d * d) / (2 * radio * radio))
            for x0, y0, x1, y1 in f.cordilleras:
                d = distancia_segmento(p, (x0 * ANCHO, y0 * ALTO), (x1 * ANCHO, y1 * ALTO))
                a += 0.55 * math.exp(-(d * d) / (2 * 1.3 * 1.3))
            a += 0.45 * ruido[h]
            c, r = h
            borde = min(c - 1, COLUMNAS - c, r - 1, FILAS - r)
            if borde < 3:
                a -= (3 - borde) * 0.35
            altura[h] = a
        self.altura = altura
        # Sea level: the height that leaves the wanted fraction of land.
        orden = sorted(altura.values())
        nivel = orden[int(len(orden) * (1 - f.tierra))]
        self.tierra = {h: altura[h] > nivel for h in HEXES}
        self._limpia_costa()
        self.rango_altura = rangos({h: altura[h] for h in HEXES if self.tierra[h]})

    def _limpia_costa(self):
        # A lone sea hex inside land becomes land and a lone land hex out at sea is kept only
        # when it is high enough to be a proper islet.
        for h in HEXES:
            alrededor = [self.tierra[v] for _, v in vecinos(*h)]
            if not self.tierra[h] and len(alrededor) == 6 and all(alrededor):
                self.tierra[h] = True
        for h in HEXES:
            if self.tierra[h] and not any(self.tierra[v] for _, v in vecinos(*h)):
                self.tierra[h] = self.rng.random() < 0.5

    # -- rivers and streams -----------------------------------------------------------------

    def es_arista_de_tierra(self, arista):
        pares = self.aristas.lados[arista]
        return len(pares) == 2 and all(self.tierra[h] for h, _ in pares)

    def es_desembocadura(self, v):
        return any(not self.tierra[h] for h in self.aristas.hexes_vertice[v])

    def cuencas(self):
        """Drainage tree: for every corner reachable over land edges, the next corner towards
        the sea (Dijkstra from every mouth). Going inland against the slope is cheap and going
        down is dear, so that the water, read the other way, always runs downhill."""
        rng = self.rng
        azar = {}
        for arista in sorted(self.aristas.lados):
            if self.es_arista_de_tierra(arista):
                azar[arista] = rng.random()
        altura = {v: self.altura_vertice(v) for v in self.aristas.en_vertice}
        coste, siguiente, saltos = {}, {}, {}
        cola = []
        for v in sorted(self.aristas.en_vertice):
            if self.es_desembocadura(v) and any(a in azar for a in self.aristas.en_vertice[v]):
                coste[v], saltos[v] = 0.0, 0
                heapq.heappush(cola, (0.0, v))
        while cola:
            d, v = heapq.heappop(cola)
            if d > coste[v]:
                continue
            for arista in self.aristas.en_vertice[v]:
                if arista not in azar:
                    continue
                u = self.aristas.otro_extremo(arista, v)
                nd = d + 1 + 8 * max(0.0, altura[v] - altura[u]) + 0.7 * azar[arista]
                if nd < coste.get(u, float("inf")):
                    coste[u], siguiente[u], saltos[u] = nd, v, saltos[v] + 1
                    heapq.heappush(cola, (nd, u))
        self.siguiente, self.saltos = siguiente, saltos

    def altura_vertice(self, v):
        hexes = self.aristas.hexes_vertice[v]
        return sum(self.rango_altura.get(h, 0.0) for h in hexes) / len(hexes)

    def traza_cursos(self, campo, cuantos, saltos_min, largo_max, altura_min, separacion):
        """Lays `cuantos` watercourses on the side field `campo`, each from a source corner down
        the drainage tree until it reaches the sea or another watercourse."""
        ocupados = self._vertices_con_agua()
        candidatos = [v for v in sorted(self.siguiente)
                      if self.saltos[v] >= saltos_min and v not in ocupados
                      and all(self.tierra[h] for h in self.aristas.hexes_vertice[v])
                      and self.altura_vertice(v) >= altura_min]
        self.rng.shuffle(candidatos)
        candidatos.sort(key=lambda v: -self.altura_vertice(v))
        fuentes, hechos = [], 0
        for v in candidatos:
            if hechos == cuantos:
                break
            if v in ocupados or any(math.dist(radios(v), radios(f)) < separacion for f in fuentes):
                continue
            curso, actual = [], v
            while actual in self.siguiente and len(curso) < largo_max:
                proximo = self.siguiente[actual]
                curso.append(tuple(sorted((actual, proximo))))
                actual = proximo
                if actual in ocupados or self.es_desembocadura(actual):
                    break
            if len(curso) < 2 or not (actual in ocupados or self.es_desembocadura(actual)):
                continue
            for arista in curso:
                for h, lado in self.aristas.lados[arista]:
                    self.lados[campo][h][lado] = True
                ocupados.update(arista)
            fuentes.append(v)
            hechos += 1

    def _vertices_con_agua(self):
        ocupados = set()
        for campo in ("RIO", "RIA"):
            for h in HEXES:
                for lado in range(6):
                    if self.lados[campo][h][lado]:
                        ocupados.update(self.aristas.arista(h, lado))
        return ocupados

    # -- terrain ----------------------------------------------------------------------------

    def terrenos(self):
        rng, f = self.rng, self.forma
        humedad_base = suaviza({h: rng.uniform(-1, 1) for h in HEXES}, 3)
        humedad = {}
        for h in HEXES:
            if not self.tierra[h]:
                continue
            c, r = h
            cerca_agua = sum(1 for _, v in vecinos(*h) if not self.tierra[v])
            con_rio = sum(1 for lado in range(6) if self.lados["RIO"][h][lado] or self.lados["RIA"][h][lado])
            latitud = (FILAS - r) / FILAS if f.humedad_norte else r / FILAS
            humedad[h] = humedad_base[h] + 0.08 * cerca_agua + 0.12 * con_rio + 0.25 * latitud
        rango_humedad = rangos(humedad)
        for h in HEXES:
            c, r = h
            if not self.tierra[h]:
                costa = any(self.tierra[v] for _, v in vecinos(*h))
                self.terreno[h] = COSTERAS if costa else ALTA_MAR
                continue
            alto, humedo = self.rango_altura[h], rango_humedad[h]
            en_costa = any(not self.tierra[v] for _, v in vecinos(*h))
            calido = r >= 24 if f.humedad_norte else r <= 15
            if alto >= 0.91:
                t = MONTANOSO
            elif alto >= 0.76:
                t = ABRUPTO
            elif en_costa and alto < 0.30 and rng.random() < 0.55:
                t = RIBERA
            elif calido and humedo < 0.24:
                t = DESIERTO
            elif humedo >= 0.86 and alto < 0.5:
                t = PANTANO
            elif humedo >= 0.50:
                t = BOSQUE
            else:
                t = LLANO
            self.terreno[h] = t

    # -- population centres and nations -------------------------------------------------------

    def masa_de_tierra(self):
        masa, n = {}, 0
        for h in HEXES:
            if self.tierra[h] and h not in masa:
                n += 1
                pila = [h]
                masa[h] = n
                while pila:
                    x = pila.pop()
                    for _, v in vecinos(*x):
                        if self.tierra[v] and v not in masa:
                            masa[v] = n
                            pila.append(v)
        self.masa = masa

    def situa_centros(self, paises, nombres):
        rng = self.rng
        self.masa_de_tierra()
        tamano = {}
        for m in self.masa.values():
            tamano[m] = tamano.get(m, 0) + 1
        aptos = [h for h in HEXES if self.tierra[h] and self.terreno[h] in (LLANO, RIBERA, BOSQUE)
                 and tamano[self.masa[h]] >= 12]
        # Capitals spread over the land: each new one as far as possible from the others.
        capitales = [rng.choice(aptos)]
        while len(capitales) < len(paises):
            mejor = max(aptos, key=lambda h: (min(distancia(h, c) for c in capitales), rng.random()))
            capitales.append(mejor)
        # Nations by side of the world: the free peoples on one side, the dark servants on the
        # other, the neutrals in between.
        eje = 0 if self.forma.humedad_norte else 1
        capitales.sort(key=lambda h: (posicion(*h)[eje], h))
        por_bando = {b: [p for p in paises if p["BANDO"] == b] for b in "123"}
        n1, n3 = len(por_bando["1"]), len(por_bando["3"])
        grupos = {"1": capitales[:n1], "3": capitales[n1:n1 + n3], "2": capitales[n1 + n3:]}
        for b in "123":
            for p, h in zip(por_bando[b], grupos[b]):
                p["capital"] = h
        ocupados = list(capitales)
        for p in paises:
            cap = p["capital"]
            p["HEXVER"] = codigo(max(1, min(36, cap[0] - 4)), max(1, min(27, cap[1] - 6)))
            self.centros.append(self._centro(cap, p, nombres, capital=True))
            extra = [h for h in HEXES if self.tierra[h] and self.terreno[h] != MONTANOSO
                     and 2 <= distancia(h, cap) <= 4 and self.masa[h] == self.masa[cap]]
            rng.shuffle(extra)
            for _ in range(rng.randint(1, 2)):
                libre = [h for h in extra if all(distancia(h, o) >= 2 for o in ocupados)]
                if not libre:
                    break
                ocupados.append(libre[0])
                self.centros.append(self._centro(libre[0], p, nombres, capital=False))
        sueltos = [h for h in HEXES if self.tierra[h] and self.terreno[h] != MONTANOSO
                   and all(distancia(h, o) >= 3 for o in ocupados)]
        rng.shuffle(sueltos)
        for h in sueltos[:4]:
            if all(distancia(h, o) >= 3 for o in ocupados):
                ocupados.append(h)
                self.centros.append(self._centro(h, None, nombres, capital=False))
        self.centros.sort(key=lambda c: codigo(*c["hex"]))

    def _centro(self, h, pais, nombres, capital):
        rng = self.rng
        c, r = h
        terreno = self.terreno[h]
        if terreno == DESIERTO:
            clima = "05"
        else:
            frio = r if self.forma.humedad_norte else FILAS + 1 - r
            clima = "01" if frio <= 4 else "02" if frio <= 12 else "03" if frio <= 27 else "04"
        costa = any(not self.tierra[v] for _, v in vecinos(*h))
        if pais is None:
            tipo = rng.choice(["00", "01"])
        elif capital:
            tipo = rng.choice(["04", "05", "05"])
        else:
            tipo = rng.choice(["01", "02", "02", "03"])
        if tipo == "00":
            fortifica, lealtad = "", None
        elif capital:
            fortifica, lealtad = rng.choice(["03", "04"]), rng.randint(90, 100)
        else:
            fortifica, lealtad = rng.choice(["", "", "01", "02"]), rng.randint(45, 85)
        muelles = ""
        if costa and tipo != "00":
            muelles = "02" if capital else rng.choice(["", "01"])
        return {"hex": h, "nombre": nombres.pop(), "pais": pais["CODIGO"] if pais else "",
                "tipo": tipo, "terreno": terreno, "clima": clima, "fortifica": fortifica,
                "lealtad": lealtad, "muelles": muelles, "capital": capital}

    # -- roads ------------------------------------------------------------------------------

    def coste_paso(self, a, lado, b):
        coste = COSTE_CAMINO[self.terreno[b]] + self.ruido_camino[b]
        if self.lados["RIO"][a][lado]:
            coste += 2
        elif self.lados["RIA"][a][lado]:
            coste += 1
        if self.lados["CAMINO"][a][lado]:
            coste *= 0.3
        return coste

    def ruta(self, origen):
        coste, previo = {origen: 0.0}, {}
        cola = [(0.0, origen)]
        while cola:
            d, h = heapq.heappop(cola)
            if d > coste[h]:
                continue
            for lado, v in vecinos(*h):
                if not self.tierra[v]:
                    continue
                nd = d + self.coste_paso(h, lado, v)
                if nd < coste.get(v, float("inf")):
                    coste[v], previo[v] = nd, (h, lado)
                    heapq.heappush(cola, (nd, v))
        return coste, previo

    def caminos(self):
        rng = self.rng
        self.ruido_camino = {h: rng.random() * 0.6 for h in HEXES}
        sitios = [c["hex"] for c in self.centros if c["tipo"] != "00"]
        pares = []
        for i, a in enumerate(sitios):
            coste, _ = self.ruta(a)
            for b in sitios[i + 1:]:
                if b in coste and coste[b] <= 40:
                    pares.append((coste[b], a, b))
        pares.sort()
        grupo = {h: h for h in sitios}

        def raiz(h):
            while grupo[h] != h:
                grupo[h] = grupo[grupo[h]]
                h = grupo[h]
            return h

        for _, a, b in pares:
            ra, rb = raiz(a), raiz(b)
            if ra == rb:
                continue
            grupo[ra] = rb
            _, previo = self.ruta(a)
            h = b
            while h != a:
                anterior, lado = previo[h]
                self._marca_camino(anterior, lado, h)
                h = anterior

    def _marca_camino(self, a, lado, b):
        vuelta = opuesto(lado)
        self.lados["CAMINO"][a][lado] = self.lados["CAMINO"][b][vuelta] = True
        if self.lados["RIO"][a][lado] and not (self.lados["PUENTE"][a][lado] or self.lados["VADO"][a][lado]):
            campo = "PUENTE" if self.rng.random() < 0.65 else "VADO"
            self.lados[campo][a][lado] = self.lados[campo][b][vuelta] = True

    # -- whole world --------------------------------------------------------------------------

    def genera(self, paises, nombres):
        self.relieve()
        self.cuencas()
        self.traza_cursos("RIO", cuantos=8, saltos_min=9, largo_max=80, altura_min=0.6, separacion=7)
        self.traza_cursos("RIA", cuantos=12, saltos_min=3, largo_max=8, altura_min=0.3, separacion=4)
        self.terrenos()
        self.situa_centros(paises, nombres)
        self.caminos()


# ----------------------------------------------------------------------------------------------
# Rows
# ----------------------------------------------------------------------------------------------

NACIONES = [
    ("Reino de Arvenia", "AR", "1"), ("Imperio de Umbrak", "UM", "2"),
    ("Mercaderes de Oroluna", "OL", "3"), ("Principado de Belmar", "BE", "1"),
    ("Dominio de Karnath", "KA", "2"), ("Marca de Norvalia", "NO", "1"),
    ("Hordas de Gorz", "HG", "2"), ("Nómadas de las Dunas", "ND", "3"),
    ("Ducado de Castelar", "CA", "1"), ("Reino Negro de Moradun", "MO", "2"),
    ("Señorío de Valdeluz", "VL", "1"), ("Señores de la Ceniza", "SC", "2"),
    ("Ciudades de la Espuma", "CE", "3"), ("Enanos de Picogris", "EP", "1"),
    ("Trasgos de Piedranegra", "TP", "2"), ("Elfos de Sylvaren", "ES", "1"),
    ("Nigromantes de Xul", "XU", "2"), ("Gremio de Tasmera", "GT", "3"),
    ("República de Marisal", "RM", "1"), ("Corsarios de Sal Rota", "CS", "2"),
    ("Condado de Robledal", "RO", "1"), ("Tiranía de Durgash", "DU", "2"),
    ("Isleños de Coralia", "IC", "3"), ("Clanes de Montealto", "MA", "1"),
    ("Tribus de Hierro", "TH", "2"),
]

PRINCIPIOS = ["Val", "Mor", "Bel", "Cas", "Tor", "Ros", "Alm", "Ber", "Cor", "Dur", "Fal", "Gal",
              "Har", "Lor", "Mar", "Nar", "Or", "Pen", "Quel", "San", "Tal", "Ur", "Vil", "Zar",
              "Ald", "Bra", "Cen", "Gor", "Ista", "Lum"]
FINALES = ["ada", "dal", "dor", "ena", "era", "gar", "ia", "ino", "mar", "neda", "oria", "rino",
           "tal", "uela", "via", "zar", "bría", "monte", "roca", "lejo", "ona", "ys"]

NOMBRES_PJ = ["Aldric", "Berenguer", "Casilda", "Dorian", "Elvira", "Fadrique", "Gontran",
              "Hilda", "Iñigo", "Jimena", "Leovigildo", "Mencía", "Nuño", "Oria", "Pelayo",
              "Quiteria", "Ramiro", "Sancha", "Tristán", "Urraca", "Vermudo", "Wamba", "Ximeno",
              "Yolanda", "Zoilo", "Argimiro", "Brunilda", "Cipriano", "Dulcidia", "Egilona",
              "Froila", "Godofredo", "Hermesinda", "Isarno", "Lupercio", "Munia", "Ordoño",
              "Recaredo", "Sisebuto", "Teudis", "Ulpiano", "Velasquita", "Adosinda", "Bermudo",
              "Cixila", "Dagoberto", "Ermesenda", "Fruela", "Gelvira", "Honorato"]
APELLIDOS = ["Moravel", "de Sotos", "Lanzafría", "Ferro", "del Vado", "Torcaz", "Umbría",
             "Roble", "Cendal", "Garza", "Salcedo", "Quirós", "Brasa", "Oteo"]
FEMENINOS = {"Casilda", "Elvira", "Hilda", "Jimena", "Mencía", "Oria", "Quiteria", "Sancha",
             "Urraca", "Yolanda", "Brunilda", "Dulcidia", "Egilona", "Hermesinda", "Munia",
             "Velasquita", "Adosinda", "Cixila", "Ermesenda", "Gelvira"}

ARTEFACTOS = [
    ("Espada de Arvenia", "1", "1", 20, "", "Forjada para el primer rey de Arvenia; pasó de padres a hijos durante diez generaciones."),
    ("Corona de Hierro Negro", "2", "1", 30, "Conminar", "Los señores de Umbrak la llevan en la guerra.\nDicen que susurra órdenes a quien la ciñe."),
    ("Daga del Silencio", "3", "2", 25, "", "Nadie oye los pasos de quien la porta."),
    ("Capa de Sombras", "3", "3", 20, "Ocultarse", "Tejida con hilo de niebla; se perdió en el asalto a Piedranegra."),
    ("Anillo del Embajador", "1", "4", 15, "", "Regalo de los mercaderes de Oroluna a sus aliados."),
    ("Báculo de Xul", "2", "5", 40, "Hechizo de Muerte", "Tallado en hueso de dragón; sus dueños nunca mueren en paz."),
    ("Orbe de los Vientos", "3", "5", 25, "Viento Favorable", "Permite hinchar las velas de una flota entera."),
    ("Escudo de Picogris", "1", "6", 30, "", "Los enanos lo forjaron con mithril de las minas hondas; resiste cualquier golpe."),
    ("Hacha de Gorz", "2", "6", 25, "", "Arma del caudillo de las hordas."),
    ("Yelmo del Capitán", "3", "1", 10, "", "Un yelmo sencillo pero famoso; dio suerte a quien lo llevó en la batalla del vado."),
    ("Vara de Sylvaren", "1", "5", 30, "Curar", "Los elfos la usan para sanar heridas."),
    ("Estandarte de la Ceniza", "2", "7", 20, "Moral", "Quien lo ve en batalla pierde el valor;\nquien lo sigue no conoce el miedo."),
]

CAMPOS = {
    "Hex": ["HEX", "TERRENO", "RIO", "RIA", "PUENTE", "VADO", "CAMINO", "DATOS"],
    "Paises": ["CODIGO", "NOMBRE", "ALIAS", "BANDO", "HEXVER", "TURNOOFICIAL", "TURNOREAL",
               "CodJugador", "NombreJugador", "Apellidos", "Direccion1", "Direccion2", "Email",
               "CodSeg", "TurnoCodSeg", "AliasJugador", "Telefono", "FechaTurno"],
    "CenPob": ["TURNO", "HEX", "NOMBRE", "PAIS", "TIPOCP", "TERRENO", "CLIMA", "FORTIFICA",
               "LEALTAD", "MUELLES", "CAPITAL", "OCULTO", "ASEDIADO",
               "PROCU", "PROBR", "PROAC", "PROMI", "PROCO", "PROMA", "PROMO", "PROOR",
               "ALMCU", "ALMBR", "ALMAC", "ALMMI", "ALMCO", "ALMMA", "ALMMO", "ALMOR",
               "HEREDADO", "ORIGEN"],
    "Pjs": ["TURNO", "CODIGO", "HEX", "NOMBRE", "SEXO", "VIDA", "PAIS", "TIPO",
            "GNMANDO", "GNAGENTE", "GNEMISARIO", "GNMAGO", "GNSIGILO",
            "GTMANDO", "GTAGENTE", "GTEMISARIO", "GTMAGO", "GTSIGILO", "SALUD", "DUELO"]
           + ["ART%d" % i for i in range(1, 7)] + ["HEC%d" % i for i in range(1, 16)]
           + ["REHEN1", "REHEN2", "REHEN3", "CAPTOR", "ORIGEN"],
    "Ejer": ["TURNO", "HEX", "CODIGO", "BANDO", "NOMBRE", "DESCRIPCION", "PAIS", "FLOTA", "MORAL",
             "GALERAS", "TRANSPOR", "MAQUINAS"]
            + [g + s for g in ("CP", "CL", "IP", "IL", "AR", "MI") for s in ("", "EN", "AR", "AD")]
            + ["COMIDA", "ARBR", "ARAC", "ARMI", "ADCU", "ADBR", "ADAC", "ADMI"],
    "Artef": ["CODIGO", "NOMBRE", "ALINEAMIENTO", "TIPO", "BONO", "ESPECIAL", "HISTORIA", "OBSERVACIONES"],
}

# Production of the eight goods (CU BR AC MI CO MA MO OR) by climate, as in Climas.csv.
PRODUCCION_CLIMA = {"01": (40, 20, 20, 10, 20, 30, 20, 60), "02": (60, 40, 40, 20, 60, 80, 50, 80),
                    "03": (80, 60, 60, 20, 100, 80, 80, 100), "04": (60, 60, 40, 20, 80, 50, 60, 100),
                    "05": (30, 50, 50, 30, 20, 10, 60, 90)}
FACTOR_TAMANO = {"00": 0, "01": 1, "02": 2, "03": 4, "04": 6, "05": 10}
GRADO_MANDO = [(10, "Sargento"), (20, "Capitán"), (30, "Comandante"), (40, "General")]


def quita_acentos(texto):
    con = "áàäâéèëêíìïîóòöôúùüûÁÀÄÂÉÈËÊÍÌÏÎÓÒÖÔÚÙÜÛ"
    sin = "aaaaeeeeiiiioooouuuuAAAAEEEEIIIIOOOOUUUU"
    return "".join(sin[con.index(ch)] if ch in con else ch for ch in texto)


def nombres_de_centros(rng):
    nombres = sorted({p + f for p in PRINCIPIOS for f in FINALES})
    rng.shuffle(nombres)
    return nombres


def filas_paises(naciones):
    return [{"CODIGO": "%.2d" % (i + 1), "NOMBRE": n, "ALIAS": a, "BANDO": b}
            for i, (n, a, b) in enumerate(naciones)]


def filas_hex(mundo):
    filas = []
    for h in HEXES:
        fila = {"HEX": codigo(*h), "TERRENO": mundo.terreno[h]}
        for campo, lados in mundo.lados.items():
            fila[campo] = "".join("1" if x else "0" for x in lados[h])
        filas.append(fila)
    # In key order, so that a dump of the built table reads like this file.
    return sorted(filas, key=lambda f: f["HEX"])


def filas_cenpob(mundo):
    filas = []
    for c in mundo.centros:
        fila = {"TURNO": "000", "HEX": codigo(*c["hex"]), "NOMBRE": c["nombre"], "PAIS": c["pais"],
                "TIPOCP": c["tipo"], "TERRENO": c["terreno"], "CLIMA": c["clima"],
                "FORTIFICA": c["fortifica"], "LEALTAD": c["lealtad"], "MUELLES": c["muelles"],
                "CAPITAL": c["capital"], "OCULTO": False, "ASEDIADO": False, "HEREDADO": False}
        factor = FACTOR_TAMANO[c["tipo"]]
        if factor:
            for bien, valor in zip(("CU", "BR", "AC", "MI", "CO", "MA", "MO", "OR"), PRODUCCION_CLIMA[c["clima"]]):
                fila["PRO" + bien] = valor * factor
                if bien != "OR":
                    fila["ALM" + bien] = valor * factor * (3 if bien == "CO" else 1)
        filas.append(fila)
    return filas


def filas_pjs_y_ejer(mundo, paises, rng):
    nombres = list(NOMBRES_PJ)
    rng.shuffle(nombres)
    vistos, pjs, ejer = set(), [], []
    artefactos = ["%.3d" % (i + 1) for i in range(len(ARTEFACTOS))]
    rng.shuffle(artefactos)
    for p in paises:
        cap = codigo(*p["capital"])
        cuantos = 2 if rng.random() < 0.45 else 1
        for k in range(cuantos):
            # The code is the one the turn reader derives from the name: its first five
            # characters, accents folded, trailing blanks dropped as the table keeps them.
            while True:
                nombre = nombres.pop()
                completo = (nombre + " " + rng.choice(APELLIDOS))[:17]
                cod = quita_acentos(completo[:5]).rstrip(" ")
                if cod not in vistos:
                    break
            vistos.add(cod)
            pj = {"TURNO": "000", "CODIGO": cod, "HEX": cap, "NOMBRE": completo,
                  "SEXO": "F" if nombre in FEMENINOS else "M", "VIDA": "0", "PAIS": p["CODIGO"],
                  "SALUD": 100, "DUELO": rng.randint(15, 45), "ORIGEN": "1"}
            if k == 0:
                grados = {"GNMANDO": rng.randint(25, 45), "GNEMISARIO": rng.randint(10, 20)}
            elif rng.random() < 0.5:
                grados = {"GNAGENTE": rng.randint(20, 35), "GNSIGILO": rng.randint(10, 30)}
            else:
                grados = {"GNMAGO": rng.randint(20, 35), "HEC1": 302, "HEC2": 304}
            for campo, valor in list(grados.items()):
                pj[campo] = valor
                if campo.startswith("GN"):
                    pj["GT" + campo[2:]] = valor
            if artefactos and rng.random() < 0.3:
                pj["ART1"] = artefactos.pop()
            pjs.append(pj)
            if k == 0 and rng.random() < 0.3:
                grado = [n for minimo, n in GRADO_MANDO if pj["GNMANDO"] >= minimo][-1]
                ejer.append({"TURNO": "000", "HEX": cap, "CODIGO": cod, "BANDO": p["BANDO"],
                             "NOMBRE": (grado + " " + nombre)[:17],
                             "DESCRIPCION": ("Guardia de " + p["NOMBRE"].split(" de ")[-1])[:30],
                             "PAIS": p["CODIGO"], "FLOTA": False, "MORAL": rng.randint(50, 80),
                             "GALERAS": 0, "TRANSPOR": 0, "MAQUINAS": rng.randint(0, 4),
                             "CP": 100, "CPEN": 40, "CPAR": 40, "CPAD": 40,
                             "IP": 300, "IPEN": 40, "IPAR": 30, "IPAD": 30,
                             "AR": 200, "AREN": 30, "ARAR": 20, "ARAD": 10,
                             "COMIDA": 1200})
    pjs.sort(key=lambda f: f["CODIGO"])
    ejer.sort(key=lambda f: (f["HEX"], f["CODIGO"]))
    return pjs, ejer


def filas_artef():
    return [{"CODIGO": "%.3d" % (i + 1), "NOMBRE": n, "ALINEAMIENTO": al, "TIPO": t, "BONO": b,
             "ESPECIAL": e, "HISTORIA": h} for i, (n, al, t, b, e, h) in enumerate(ARTEFACTOS)]


def texto_campo(v):
    if v is None:
        return ""
    if isinstance(v, bool):
        return "True" if v else "False"
    s = str(v)
    if any(ch in s for ch in ';"\r\n'):
        s = '"' + s.replace('"', '""') + '"'
    return s


def escribe(carpeta, tabla, filas):
    os.makedirs(carpeta, exist_ok=True)
    campos = CAMPOS[tabla]
    with open(os.path.join(carpeta, tabla + ".csv"), "w", encoding="utf-8", newline="\n") as f:
        f.write(";".join(campos) + "\n")
        for fila in filas:
            desconocidos = set(fila) - set(campos)
            assert not desconocidos, (tabla, desconocidos)
            f.write(";".join(texto_campo(fila.get(c)) for c in campos) + "\n")


# ----------------------------------------------------------------------------------------------

PLANTILLAS = {
    # One great continent crossed by two mountain chains, with islands off its coasts.
    "Tercera": Forma(semilla=3003, tierra=0.56,
                     masas=[(0.30, 0.35, 0.70, 0.55, 0.16, 1.0), (0.25, 0.70, 0.45, 0.75, 0.10, 0.7),
                            (0.75, 0.25, 0.80, 0.30, 0.08, 0.7)],
                     cordilleras=[(0.35, 0.20, 0.45, 0.55), (0.60, 0.55, 0.80, 0.70)],
                     islas=[(0.10, 0.12, 2.6), (0.90, 0.88, 3.0), (0.12, 0.88, 2.2), (0.50, 0.93, 1.8),
                            (0.93, 0.45, 1.6)],
                     humedad_norte=True),
    # Two continents, west and east, across a strait; the warm lands lie to the north.
    "Cuarta": Forma(semilla=4004, tierra=0.50,
                    masas=[(0.22, 0.25, 0.25, 0.75, 0.12, 1.0), (0.75, 0.20, 0.72, 0.80, 0.12, 1.0),
                           (0.50, 0.50, 0.50, 0.50, 0.05, 0.5)],
                    cordilleras=[(0.20, 0.30, 0.28, 0.65), (0.78, 0.30, 0.70, 0.60)],
                    islas=[(0.50, 0.12, 2.8), (0.47, 0.85, 3.2), (0.08, 0.92, 1.8), (0.93, 0.08, 2.0),
                           (0.56, 0.65, 1.6)],
                    humedad_norte=False),
}


def genera_plantilla(nombre, forma, destino):
    mundo = Mundo(forma)
    paises = filas_paises(NACIONES)
    mundo.genera(paises, nombres_de_centros(random.Random(forma.semilla + 1)))
    pjs, ejer = filas_pjs_y_ejer(mundo, paises, random.Random(forma.semilla + 2))
    carpeta = os.path.join(destino, nombre)
    escribe(carpeta, "Hex", filas_hex(mundo))
    escribe(carpeta, "Paises", [{k: v for k, v in p.items() if k != "capital"} for p in paises])
    escribe(carpeta, "CenPob", filas_cenpob(mundo))
    escribe(carpeta, "Pjs", pjs)
    escribe(carpeta, "Ejer", ejer)
    escribe(carpeta, "Artef", filas_artef())
    return mundo


def resumen(nombre, mundo):
    cuenta = {}
    for t in mundo.terreno.values():
        cuenta[t] = cuenta.get(t, 0) + 1
    lados = {campo: sum(sum(v) for v in l.values()) // 2 for campo, l in mundo.lados.items()}
    print("%s: terrenos %s; lados %s; centros %d" % (
        nombre, " ".join("%s=%d" % kv for kv in sorted(cuenta.items())),
        " ".join("%s=%d" % kv for kv in lados.items()), len(mundo.centros)))


def dibujo(mundo):
    """The map as text, one letter per hex, for a quick look."""
    letra = {ALTA_MAR: "~", COSTERAS: "-", RIBERA: "r", LLANO: ".", ABRUPTO: "a", BOSQUE: "b",
             DESIERTO: "d", PANTANO: "p", MONTANOSO: "M"}
    centros = {c["hex"] for c in mundo.centros}
    lineas = []
    for r in range(1, FILAS + 1):
        fila = "".join(("@" if (c, r) in centros else letra[mundo.terreno[(c, r)]]) + " "
                       for c in range(1, COLUMNAS + 1))
        lineas.append((" " if r % 2 == 0 else "") + fila)
    return "\n".join(lineas)


def main():
    destino = sys.argv[1] if len(sys.argv) > 1 and not sys.argv[1].startswith("-") else \
        os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "tablas")
    for nombre, forma in PLANTILLAS.items():
        mundo = genera_plantilla(nombre, forma, destino)
        resumen(nombre, mundo)
        if "--dibujo" in sys.argv:
            print(dibujo(mundo))


if __name__ == "__main__":
    main()
