#include "lectorcentros.h"

#include "herramientastexto.h"
#include "registropj.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kLocalizacion = QStringLiteral("Localización");
const QString kCapital = QStringLiteral("(Capital)");
const QString kPersonajesExtra = QStringLiteral("Personajes extra");
const QString kBandera = QStringLiteral(" enarbolando la bandera de");

bool contieneMarca(const QString& linea, const QString& marca) { return !marca.isEmpty() && linea.contains(marca); }

QString codigoMuelles(const QString& palabra) {
    if (palabra.startsWith(QLatin1Char('E'))) return QStringLiteral("01");
    if (palabra.startsWith(QLatin1Char('P'))) return QStringLiteral("02");
    return {};
}

} // namespace

QStringList LectorCentros::FichasCentros(const QStringList& todas) const {
    const ContextoLectura& ctx = s_.contexto();
    int inicio = todas.indexOf(QStringLiteral("CENTROS DE POBLACION"));
    if (inicio < 0) return {};
    QStringList lineas;
    for (int i = inicio + 1; i < todas.size(); ++i) {
        const int p = todas[i].indexOf(QStringLiteral("EJÉRCITOS"));
        if (p < 0) {
            lineas << todas[i];
            continue;
        }
        // Text glued in front of the next heading still belongs to the centres.
        if (p + 1 > 2) lineas << todas[i].left(p - 1);
        break;
    }

    // A stored-units line whose text runs on after the dash: that text goes in front of the
    // next line, so the tokens keep their order without the dash.
    for (int i = 0; i < lineas.size(); ++i) {
        if (!lineas[i].contains(QStringLiteral("Unidades almacenadas"))) continue;
        const int g = lineas[i].indexOf(ctx.guion);
        if (g < 0) continue;
        const QString cola = lineas[i].mid(g + ctx.guion.size()).trimmed();
        lineas[i] = lineas[i].left(g);
        if (cola.isEmpty() || i + 1 >= lineas.size()) continue;
        lineas[i + 1] = cola.endsWith(ctx.guion) ? cola + lineas[i + 1] : cola + QLatin1Char(' ') + lineas[i + 1];
    }

    QStringList fichas;
    for (int i = 0; i < lineas.size(); ++i) {
        QString l = lineas[i];
        if (contieneMarca(l, ctx.marcaPagina)) continue;
        if (!l.contains(kPersonajesExtra) && !l.contains(kBandera)) {
            fichas << l.trimmed().split(QLatin1Char(' '));
            continue;
        }
        // A sentence cut by the line end goes on in the next line.
        if (!l.contains(QLatin1Char('.')) && !l.trimmed().endsWith(QStringLiteral("está aquí")) && i + 1 < lineas.size()) {
            l += QLatin1Char(' ') + lineas[i + 1];
            ++i;
        }
        fichas << l;
    }
    QStringList limpias;
    for (const QString& f : fichas) {
        const QString t = f.trimmed();
        if (t.isEmpty() || t == QLatin1String(":") || t == QLatin1String("@")) continue;
        limpias << t;
    }
    return limpias;
}

void LectorCentros::LeeCentros(const QStringList& lineas) {
    for (TTabla* t : {&s_.terreno(), &s_.climas(), &s_.tipoCP(), &s_.fortifica()}) t->fijaIndice(QStringLiteral("NOMBRE"));
    const QStringList fichas = FichasCentros(lineas);
    const ContextoLectura& ctx = s_.contexto();
    QString hexActual;
    int i = 0;
    while (i >= 0 && i < fichas.size()) {
        const QString& f = fichas[i];
        if (f.contains(kBandera) &&
            (f.contains(QStringLiteral("ejército enarbolando")) || f.contains(QStringLiteral("flota enarbolando")))) {
            LeeEjercitoCP(f, hexActual);
            ++i;
        } else if (f.contains(kPersonajesExtra)) {
            LeePjsExtraCP(f, hexActual);
            ++i;
        } else if (contieneMarca(f, ctx.marcaPagina) || f.contains(QLatin1Char('.'))) {
            ++i;
        } else {
            i = leeCentro(fichas, i, hexActual);
        }
    }
}

int LectorCentros::leeCentro(const QStringList& t, int inicio, QString& hexActual) {
    const ContextoLectura& ctx = s_.contexto();
    int alcanzada = inicio;
    // Every access records how far the record was read, for the log and to go on from there.
    auto ficha = [&](int k) -> const QString& {
        alcanzada = k;
        return PalabraEn(t, k);
    };
    auto numero = [&](int k) { return NumeroDe(ficha(k)); };
    try {
        QString nombre;
        bool capital = false;
        int j = inicio;
        while (j < t.size() && t[j] != kLocalizacion) {
            const QString& w = t[j];
            if (w.startsWith(ctx.guion)) nombre = w.mid(ctx.guion.size());
            else nombre += QLatin1Char(' ') + w;
            if (j + 1 < t.size() && t[j + 1] == kCapital) {
                capital = true;
                ++j;
            }
            ++j;
        }
        if (j >= t.size()) {
            // The name never reaches a "Localización": nothing after it can be a centre.
            s_.ErrorAlLeer(QStringLiteral("CP"), t[inicio]);
            return -1;
        }
        const int L = j;
        const QString hex = ficha(L + 1);
        const QString terreno = ficha(L + 3);
        const QString clima = ficha(L + 5);
        const QString tamano = ficha(L + 7);
        QString fortificacion = ficha(L + 9);
        int N = L + 11;
        if (fortificacion.contains(QStringLiteral("Lealtad"))) {
            fortificacion = fortificacion.trimmed();
            fortificacion.chop(7);
            N = L + 10;
        }
        int lealtad = 0;
        int D = 0;
        if (ficha(N) == QLatin1String("100Muelles")) {
            lealtad = 100;
            D = N + 1;
        } else {
            lealtad = numero(N);
            D = N + 2;
        }
        const QString muelles = ficha(D);
        const bool oculto = EsSi(ficha(D + 2));
        const bool asediado = EsSi(ficha(D + 4));
        static const char* const produccion[] = {"PROCU", "PROBR", "PROAC", "PROMI", "PROCO", "PROMA", "PROMO", "PROOR"};
        static const char* const almacen[] = {"ALMCU", "ALMBR", "ALMAC", "ALMMI", "ALMCO", "ALMMA", "ALMMO"};
        int pro[8], alm[7];
        for (int k = 0; k < 8; ++k) pro[k] = numero(D + 16 + k);
        for (int k = 0; k < 7; ++k) alm[k] = numero(D + 26 + k);
        const int siguiente = D + 33;
        hexActual = hex;
        alcanzada = siguiente;

        TTabla& c = s_.cenPob();
        s_.editaOAnade(c, {s_.turno(), hex});
        s_.fija(c, QStringLiteral("TURNO"), s_.turno());
        s_.fija(c, QStringLiteral("HEX"), hex);
        s_.fija(c, QStringLiteral("NOMBRE"), nombre.trimmed());
        s_.fija(c, QStringLiteral("PAIS"), ctx.codigoPais);
        s_.fija(c, QStringLiteral("TERRENO"), s_.CodigoPorNombre(s_.terreno(), terreno));
        s_.fija(c, QStringLiteral("CLIMA"), s_.CodigoPorNombre(s_.climas(), clima));
        s_.fija(c, QStringLiteral("TIPOCP"), s_.CodigoPorNombre(s_.tipoCP(), tamano));
        s_.fija(c, QStringLiteral("FORTIFICA"), s_.CodigoPorNombre(s_.fortifica(), fortificacion));
        s_.fija(c, QStringLiteral("MUELLES"), codigoMuelles(muelles));
        s_.fija(c, QStringLiteral("LEALTAD"), lealtad);
        s_.fija(c, QStringLiteral("CAPITAL"), capital);
        s_.fija(c, QStringLiteral("OCULTO"), oculto);
        s_.fija(c, QStringLiteral("ASEDIADO"), asediado);
        for (int k = 0; k < 8; ++k) s_.fija(c, QString::fromLatin1(produccion[k]), pro[k]);
        for (int k = 0; k < 7; ++k) s_.fija(c, QString::fromLatin1(almacen[k]), alm[k]);
        s_.fija(c, QStringLiteral("HEREDADO"), false);
        s_.fija(c, QStringLiteral("ORIGEN"), QStringLiteral("0"));
        s_.graba(c);
        return siguiente;
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        if (alcanzada >= t.size()) {
            s_.ErrorAlLeer(QStringLiteral("CP"), t.isEmpty() ? QString() : t.last());
            return -1;
        }
        s_.ErrorAlLeer(QStringLiteral("CP"), t[alcanzada]);
        return std::max(alcanzada, inicio + 1);
    }
}

void LectorCentros::LeeEjercitoCP(const QString& texto, const QString& hex) {
    try {
        const QStringList p = Palabras(texto);
        int pos = 1;
        const QString descripcion = UneHastaOFalla(p, pos, QStringLiteral("enarbolando"));
        pos += 4;
        const QString nacion = UneHastaOFalla(p, pos, QStringLiteral("a"));
        pos += 4;
        const QString mando = UneHastaOFalla(p, pos, QStringLiteral("está"));
        const int espacio = mando.indexOf(QLatin1Char(' '));
        const QString titulo = espacio < 0 ? QString() : mando.left(espacio).trimmed();
        const QString nombre = espacio < 0 ? mando : mando.mid(espacio + 1);
        const QString codigo = nombre.left(5);
        if (codigo.trimmed().isEmpty()) Falla(QStringLiteral("ejército sin mando"));

        const PaisEncontrado pais = s_.PaisPorNombre(nacion);
        const QString& codigoPais = pais.codigo;
        const QString& bando = pais.bando;
        TTabla& e = s_.ejer();
        s_.editaOAnade(e, {s_.turno(), hex, codigo, bando});
        s_.fija(e, QStringLiteral("TURNO"), s_.turno());
        s_.fija(e, QStringLiteral("HEX"), hex);
        s_.fija(e, QStringLiteral("CODIGO"), codigo);
        s_.fija(e, QStringLiteral("NOMBRE"), mando);
        s_.fija(e, QStringLiteral("DESCRIPCION"), descripcion);
        s_.fija(e, QStringLiteral("PAIS"), codigoPais);
        s_.fija(e, QStringLiteral("BANDO"), bando);
        s_.graba(e);
        r_.RegistraPj(s_.turno(), nombre, hex, titulo, true, PistaMando, EstadoVivo, codigoPais);
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("CPE"), texto);
    }
}

void LectorCentros::LeePjsExtraCP(const QString& texto, const QString& hex) {
    const int dosPuntos = texto.indexOf(QLatin1Char(':'));
    if (dosPuntos < 0) {
        s_.ErrorAlLeer(QStringLiteral("PJCP"), texto);
        return;
    }
    QString lista = texto.mid(dosPuntos + 1).trimmed();
    if (lista.endsWith(QLatin1Char('.'))) lista.chop(1);
    for (const QString& trozo : Trocea(lista, s_.contexto().guionEspaciado)) {
        try {
            r_.RegistraPj(s_.turno(), trozo.trimmed(), hex, QString(), true, SinPista, EstadoVivo, QString());
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("PJCP"), texto.mid(dosPuntos + 1));
        }
    }
}

void LectorCentros::RegistraCPVisto(const QString& frase, const QString& hex) {
    if (frase.trimmed().isEmpty()) return;
    QString leido = frase;
    try {
        QString sinDosPuntos = frase;
        sinDosPuntos.remove(QLatin1Char(':'));
        const QStringList p = Palabras(sinDosPuntos);
        QString palabraTamano = PalabraEn(p, 1);
        if (palabraTamano.trimmed() == QLatin1String("no")) palabraTamano = PalabraEn(p, 3);
        QString tamano = palabraTamano, fortificacion;
        const int barra = palabraTamano.indexOf(QLatin1Char('/'));
        if (barra >= 0) {
            tamano = palabraTamano.left(barra);
            fortificacion = palabraTamano.mid(barra + 1);
        }
        QString nombre, nacion;
        if (frase.contains(QStringLiteral(" no controlado"))) {
            int pos = 5;
            nombre = UneHastaOFalla(p, pos, QStringLiteral("está"));
            leido = nombre;
        } else {
            int pos = 3;
            nombre = UneHastaOFalla(p, pos, QStringLiteral("enarbolando"));
            leido = nombre;
            pos += 4;
            nacion = UneHastaOFalla(p, pos, QStringLiteral("está"));
        }
        const QString codigoTamano = s_.CodigoPorNombre(s_.tipoCP(), tamano);
        const QString codigoFortificacion = s_.CodigoPorNombre(s_.fortifica(), fortificacion);
        const QString codigoPais = s_.CodigoPorNombre(s_.paises(), nacion);

        // The primary key is TURNO+HEX, the fields of the index TURNO.
        TTabla& c = s_.cenPob();
        s_.editaOAnade(c, {s_.turno(), hex});
        if (c.texto(QStringLiteral("ORIGEN")) != QLatin1String("0")) {
            s_.fija(c, QStringLiteral("TURNO"), s_.turno());
            s_.fija(c, QStringLiteral("HEX"), hex);
            s_.fija(c, QStringLiteral("NOMBRE"), nombre.trimmed());
            s_.fija(c, QStringLiteral("PAIS"), codigoPais);
            s_.fija(c, QStringLiteral("FORTIFICA"), codigoFortificacion);
            s_.fija(c, QStringLiteral("TIPOCP"), codigoTamano);
            s_.fija(c, QStringLiteral("HEREDADO"), false);
        }
        s_.graba(c);
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("CPH"), leido);
    }
}

} // namespace kz
