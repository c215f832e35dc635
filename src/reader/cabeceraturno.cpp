#include "cabeceraturno.h"

#include "herramientastexto.h"

namespace kz {

namespace {

const QChar kGuionBlando(0x00AD);

bool esNumero(const QString& texto, int& valor) {
    bool ok = false;
    valor = texto.trimmed().toInt(&ok);
    return ok;
}

// A slice of the line made only of digits and spaces; a slice past the end counts as one.
bool trozoDeRejilla(const QString& linea, int desde) {
    for (QChar c : linea.mid(desde, 4))
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char(' ')) return false;
    return true;
}

bool empiezaRejilla(const QString& linea) {
    for (int desde : {0, 5, 10, 15, 20})
        if (!trozoDeRejilla(linea, desde)) return false;
    return true;
}

} // namespace

QStringList PreparaLineas(const QStringList& lineas) {
    QStringList r;
    for (const QString& l : lineas) {
        const QString t = l.trimmed();
        if (t.isEmpty() || t == QStringLiteral("\f")) continue;
        r << l;
    }
    return r;
}

void DetectaGuion(const QStringList& lineas, ContextoLectura& ctx) {
    for (const QString& l : lineas) {
        QChar encontrado;
        for (QChar c : l)
            if (c == QLatin1Char('-') || c == kGuionBlando) encontrado = c;
        if (encontrado.isNull()) continue;
        ctx.guion = QString(encontrado);
        ctx.guionEspaciado = QLatin1Char(' ') + ctx.guion + QLatin1Char(' ');
        return;
    }
}

QString TurnoAnterior(int turno) { return turno < 1 ? QString() : RellenaCeros(QString::number(turno - 1), 3); }

bool ReconoceCabecera(const QStringList& lineas, ContextoLectura& ctx) {
    if (lineas.isEmpty()) return false;
    const QString& primera = lineas.first();
    if (!primera.contains(QStringLiteral("Partida")) || !primera.contains(QStringLiteral("Jugador")) ||
        !primera.contains(QStringLiteral("Turno")))
        return false;
    int fin = lineas.size();
    for (int i = 0; i < lineas.size(); ++i)
        if (lineas[i].contains(QStringLiteral("Estación : "))) {
            fin = i;
            break;
        }
    if (fin < 5) return false;
    const QStringList palabras = Palabras(primera);
    if (palabras.size() < 8) return false;
    // The turn must be a turn number and the nation a nation number: anything else is not a
    // report whose rows could be written anywhere.
    int turno = 0;
    if (!esNumero(palabras[7], turno) || turno < 0 || turno > 999) return false;
    if (!SoloDigitosYEspacios(palabras[0]) || palabras[0].size() > 2) return false;

    ctx.nombrePais = lineas[fin - 2].trimmed();
    const QString quinta = lineas[4].trimmed();
    ctx.prefijoPartida = quinta.left(1);
    ctx.codigoPais = RellenaCeros(palabras[0], 2);
    ctx.marcaPagina = palabras[1];
    ctx.numeroPartida = RellenaCeros(palabras[3], 3);
    ctx.turnoImpreso = RellenaCeros(QString::number(turno), 3);
    ctx.turno = ctx.turnoImpreso;
    ctx.turnoAnterior = TurnoAnterior(turno);

    const QString& ultima = lineas[fin - 1];
    ctx.bando = 0;
    if (ultima.contains(QStringLiteral("Un Pueblo Libre"))) ctx.bando = 1;
    if (ultima.contains(QStringLiteral("Un Servidor de la Oscuridad"))) ctx.bando = 2;
    if (ultima.contains(QStringLiteral("Neutral"))) ctx.bando = 3;
    return true;
}

bool LeeDatosJugador(const QStringList& lineas, DatosJugador& d) {
    d = DatosJugador{};
    for (const QString& l : lineas) {
        const QString t = l.trimmed();
        if (t == QStringLiteral("RELACIONES CON OTROS PAÍSES")) break;
        if (t.startsWith(QStringLiteral("Internet"))) {
            d.email = Palabras(t).value(1);
            break;
        }
    }
    int hojas = -1;
    for (int i = 0; i < lineas.size() && hojas < 0; ++i)
        if (lineas[i].trimmed().compare(QStringLiteral("HOJAS DE TURNO"), Qt::CaseInsensitive) == 0) hojas = i;
    if (hojas <= 0) return false;

    QString* destinos[] = {&d.nombre, &d.apellidos, &d.direccion1, &d.direccion2};
    int i = hojas + 2;
    for (int k = 0; k < 4 && i < lineas.size(); ++k, ++i) {
        if (lineas[i].contains(QStringLiteral("Partida N"))) break;
        *destinos[k] = lineas[i].trimmed();
    }
    for (int j = i; j < lineas.size(); ++j) {
        const QString t = lineas[j].trimmed();
        if (t.startsWith(QStringLiteral("COD.SEG"))) {
            d.codigoSeguridad = Palabras(t).last();
            break;
        }
    }
    for (int j = i; j < lineas.size(); ++j) {
        const QString t = lineas[j].trimmed();
        if (!t.startsWith(QStringLiteral("Retornar las hojas"))) continue;
        const QStringList p = Palabras(t);
        int dia = 0, anio = 0;
        const int mes = MesNumero(p[p.size() - 2]);
        // Only a real date: "Retornar las hojas" without one leaves the date empty.
        if (esNumero(p[p.size() - 3], dia) && esNumero(p.last(), anio) && mes > 0)
            d.fechaTurno = p[p.size() - 3] + QLatin1Char('/') + QString::number(mes) + QLatin1Char('/') + p.last();
        break;
    }
    return true;
}

QString TextoCabeceraPagina(const QStringList& lineas) {
    if (lineas.isEmpty()) return {};
    QString t = lineas.first().mid(2).trimmed();
    t.chop(2);
    return t.trimmed();
}

QStringList QuitaCabecerasPagina(const QStringList& lineas) {
    const QString cabecera = TextoCabeceraPagina(lineas);
    if (cabecera.isEmpty()) return lineas;
    auto esCabecera = [&](const QString& l) {
        QString t = l;
        t.chop(2);
        return t.trimmed() == cabecera;
    };
    QStringList primera;
    for (int i = 0; i < lineas.size(); ++i) {
        if (!esCabecera(lineas[i])) {
            primera << lineas[i];
            continue;
        }
        // The order forms start with a page whose first line is a grid of numbers.
        if (i + 1 < lineas.size() && empiezaRejilla(lineas[i + 1])) break;
    }
    QStringList r;
    for (int i = 0; i < primera.size(); ++i) {
        if (i == 0) {
            r << primera[i];
            continue;
        }
        QString t = primera[i].trimmed();
        const int p = t.indexOf(cabecera);
        if (p >= 0) {
            t = t.left(p);
            if (t.endsWith(QLatin1Char('.'))) t.chop(1);
            t = t.trimmed();
        }
        if (!t.trimmed().isEmpty()) r << t;
    }
    return r;
}

} // namespace kz
