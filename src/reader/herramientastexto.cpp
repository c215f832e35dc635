#include "herramientastexto.h"

#include "database/textos.h"

namespace kz {

QStringList Palabras(const QString& texto) {
    return texto.trimmed().split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

QStringList Trocea(const QString& texto, const QString& separador) {
    if (separador.isEmpty()) return texto.isEmpty() ? QStringList() : QStringList{texto};
    return texto.split(separador, Qt::SkipEmptyParts);
}

bool MismaPalabra(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (int i = 0; i < a.size(); ++i) {
        QChar x = a[i], y = b[i];
        if (x == y) continue;
        auto mayuscula = [](QChar c) {
            return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 32) : c;
        };
        if (mayuscula(x) != mayuscula(y)) return false;
    }
    return true;
}

namespace {

// Position of the first word after `desde` equal to `parada`, or -1.
int buscaParada(const QStringList& palabras, int desde, const QString& parada) {
    for (int i = desde + 1; i < palabras.size(); ++i)
        if (MismaPalabra(palabras[i], parada)) return i;
    return -1;
}

QString une(const QStringList& palabras, int desde, int hasta) {
    QStringList trozo;
    for (int i = desde; i < hasta; ++i) trozo << palabras[i];
    return trozo.join(QLatin1Char(' ')).trimmed();
}

} // namespace

std::optional<QString> UneHasta(const QStringList& palabras, int& posicion, const QString& parada) {
    if (posicion < 0 || posicion >= palabras.size()) return std::nullopt;
    int fin = buscaParada(palabras, posicion, parada);
    if (fin < 0) fin = palabras.size();
    const QString r = une(palabras, posicion, fin);
    posicion = fin;
    return r;
}

std::optional<QString> UneHastaSiHay(const QStringList& palabras, int& posicion, const QString& parada) {
    if (posicion < 0 || posicion >= palabras.size()) return std::nullopt;
    const int fin = buscaParada(palabras, posicion, parada);
    if (fin < 0) return QString();
    const QString r = une(palabras, posicion, fin);
    posicion = fin;
    return r;
}

UnionTras UneTras(const QStringList& palabras, const QString& palabra) {
    for (int i = 0; i < palabras.size(); ++i) {
        if (MismaPalabra(palabras[i], palabra)) {
            return {une(palabras, i + 1, palabras.size()), int(palabras.size()), true};
        }
    }
    return {};
}

bool EsSi(const QString& texto) {
    const QString t = texto.trimmed();
    return !t.isEmpty() && t[0].toUpper() == QLatin1Char('S');
}

int MesNumero(const QString& palabra) {
    static const char* const meses[] = {"ENERO", "FEBRERO", "MARZO", "ABRIL", "MAYO", "JUNIO", "JULIO",
                                        "AGOSTO", "SEPTIEMBRE", "OCTUBRE", "NOVIEMBRE", "DICIEMBRE"};
    const QString inicio = palabra.trimmed().left(3).toUpper();
    if (inicio.size() < 3) return 0;
    for (int i = 0; i < 12; ++i)
        if (QString::fromLatin1(meses[i]).left(3) == inicio) return i + 1;
    return 0;
}

QString RellenaCeros(const QString& texto, int ancho) { return Rellena(true, texto, ancho, QStringLiteral("0")); }

bool SoloDigitosYEspacios(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (QChar c : texto)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char(' ')) return false;
    return true;
}

} // namespace kz
