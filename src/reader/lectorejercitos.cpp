#include "lectorejercitos.h"

#include "fallolectura.h"
#include "herramientastexto.h"
#include "lectorcentros.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

bool esCabecera(const QString& l) {
    return l.contains(QStringLiteral("Mando de Ejército :")) || l.contains(QStringLiteral("Mando de Flota :"));
}

// Troop types by the last words of their line, and the field of their count.
struct Tropa {
    const char* ultima;
    const char* penultima;   // null for a one-word type
    const char* campo;
};
const Tropa kTropas[] = {
    {"Milicia", nullptr, "MI"},           {"Arqueros", nullptr, "AR"},
    {"Ligera", "Infanteria", "IL"},       {"Pesada", "Infanteria", "IP"},
    {"Ligera", "Caballeria", "CL"},       {"Pesada", "Caballeria", "CP"},
};

} // namespace

void LectorEjercitos::LeeEjercitos(const QStringList& todas) {
    for (TTabla* t : {&s_.terreno(), &s_.fortifica(), &s_.tipoCP()}) t->fijaIndice(QStringLiteral("NOMBRE"));
    int inicio = -1;
    for (int i = 0; i < todas.size() && inicio < 0; ++i)
        if (esCabecera(todas[i])) inicio = i;
    if (inicio < 0) return;
    const QString& marca = s_.contexto().marcaPagina;
    QStringList lineas;
    for (int i = inicio; i < todas.size(); ++i) {
        if (todas[i].contains(QStringLiteral("MANDOS DE COMPAÑIA :"))) break;
        if (!marca.isEmpty() && todas[i].contains(marca)) continue;
        lineas << todas[i];
    }
    int i = 0;
    while (i < lineas.size()) {
        if (esCabecera(lineas[i])) i = leeBloque(lineas, i);
        else ++i;
    }
}

int LectorEjercitos::leeBloque(const QStringList& l, int h) {
    const ContextoLectura& ctx = s_.contexto();
    int alcanzada = h;
    auto linea = [&](int k) -> const QString& {
        alcanzada = k;
        if (k < 0 || k >= l.size()) Falla(QStringLiteral("el bloque está cortado"));
        return l[k];
    };
    try {
        const QStringList p = Palabras(linea(h).trimmed() + QLatin1Char(' ') + linea(h + 1).trimmed());
        alcanzada = h;
        int pos = 5;
        const QString mando = UneHastaOFalla(p, pos, QStringLiteral("Localización"));
        const int L = pos;
        const QString hex = PalabraEn(p, L + 3);
        const QString codigo = mando.left(5);
        const QString bando = QString::number(ctx.bando);

        TTabla& e = s_.ejer();
        s_.editaOAnade(e, {s_.turno(), hex, codigo, bando});
        s_.fija(e, QStringLiteral("TURNO"), s_.turno());
        s_.fija(e, QStringLiteral("CODIGO"), codigo);
        s_.fija(e, QStringLiteral("NOMBRE"), PalabraEn(p, 4) + QLatin1Char(' ') + mando);
        s_.fija(e, QStringLiteral("HEX"), hex);
        s_.fija(e, QStringLiteral("PAIS"), ctx.codigoPais);
        s_.fija(e, QStringLiteral("BANDO"), bando);
        // A fleet at sea names a two-word terrain ("Alta Mar", "Aguas Costeras").
        const QString& terreno = PalabraEn(p, L + 5);
        const int K = (terreno == QLatin1String("Alta") || terreno == QLatin1String("Aguas")) ? L + 1 : L;
        s_.fija(e, QStringLiteral("MORAL"), NumeroDe(PalabraEn(p, K + 12)));
        s_.fija(e, QStringLiteral("GALERAS"), NumeroDe(PalabraEn(p, K + 15)));
        s_.fija(e, QStringLiteral("TRANSPOR"), NumeroDe(PalabraEn(p, K + 18)));

        int t = h + 3;
        for (;; ++t) {
            const QString& tl = linea(t);
            if (tl.contains(QStringLiteral("Tren Suministr"))) break;
            if (t > h && esCabecera(tl)) Falla(QStringLiteral("falta el tren de suministros"));
            const QStringList w = Palabras(tl);
            const int n = w.size();
            for (const Tropa& tropa : kTropas) {
                const bool dos = tropa.penultima != nullptr;
                if (w[n - 1] != QLatin1String(tropa.ultima)) continue;
                if (dos && (n < 2 || w[n - 2] != QLatin1String(tropa.penultima))) continue;
                const int c = n - (dos ? 3 : 2);
                const QString campo = QString::fromLatin1(tropa.campo);
                s_.fija(e, campo, NumeroDe(PalabraEn(w, c)));
                s_.fija(e, campo + QStringLiteral("AD"), NumeroDe(PalabraEn(w, c - 1)));
                s_.fija(e, campo + QStringLiteral("AR"), NumeroDe(PalabraEn(w, c - 2)));
                s_.fija(e, campo + QStringLiteral("EN"), NumeroDe(PalabraEn(w, c - 3)));
                break;
            }
        }
        const QStringList tren = Palabras(linea(t + 1).trimmed() + QLatin1Char(' ') + linea(t + 2).trimmed() +
                                          QLatin1Char(' ') + linea(t + 3).trimmed());
        alcanzada = t + 1;
        static const QPair<const char*, int> suministros[] = {{"ARBR", 2}, {"ARAC", 3}, {"ARMI", 4}, {"ADCU", 6},
                                                              {"ADBR", 7}, {"ADAC", 8}, {"ADMI", 9}, {"COMIDA", 11}};
        for (const auto& [campo, k] : suministros) s_.fija(e, QString::fromLatin1(campo), NumeroDe(PalabraEn(tren, k)));
        s_.fija(e, QStringLiteral("MAQUINAS"), NumeroDe(PalabraEn(Palabras(linea(t + 3)), 3)));
        s_.graba(e);

        int k = t + 4;
        alcanzada = k;
        if (k < l.size() && (l[k].contains(QStringLiteral("Personajes viajando con el ejercito")) ||
                             l[k].contains(QStringLiteral("Personajes en el ejército"))))
            ++k;
        if (k < l.size() && l[k].contains(QStringLiteral("El/la "))) centros_.RegistraCPVisto(l[k++], hex);
        while (k < l.size() && l[k].contains(QStringLiteral("enarbolando la bandera "))) centros_.LeeEjercitoCP(l[k++], hex);
        return k;
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        const int i = std::min<int>(alcanzada, l.size() - 1);
        s_.ErrorAlLeer(QStringLiteral("EJ"), l[i]);
        return std::max(i, h + 1);
    }
}

} // namespace kz
