#include "diccionario.h"

namespace kz {
namespace {

using T = TipoCampo;

DefCampo c(const char* nombre, int tamano, const char* etiqueta = "", int objeto = 0) {
    return {QString::fromLatin1(nombre), T::Char, tamano, QString::fromUtf8(etiqueta), objeto};
}
DefCampo n(const char* nombre, T tipo, const char* etiqueta = "") {
    return {QString::fromLatin1(nombre), tipo, 0, QString::fromUtf8(etiqueta), 0};
}
DefIndice ix(const char* nombre, std::initializer_list<const char*> campos) {
    DefIndice d;
    d.nombre = QString::fromLatin1(nombre);
    for (auto f : campos) d.campos << QString::fromLatin1(f);
    return d;
}
DefTabla tabla(const char* componente, const char* fichero, const char* visible, CarpetaTabla carpeta,
               bool porTurno, QList<DefCampo> campos, QList<DefIndice> indices) {
    DefTabla t;
    t.componente = QString::fromLatin1(componente);
    t.fuente = QStringLiteral("DS") + t.componente.mid(1);
    t.fichero = QString::fromLatin1(fichero);
    t.nombreVisible = QString::fromUtf8(visible);
    t.carpeta = carpeta;
    t.porTurno = porTurno;
    t.campos = std::move(campos);
    t.indices = std::move(indices);
    return t;
}

QList<DefTabla> construye() {
    const auto P = CarpetaTabla::Programa;
    const auto G = CarpetaTabla::Partida;
    QList<DefTabla> t;

    t << tabla("TPartidas", "Partidas.DB", "Partidas", P, false,
               {c("CODIGO", 4, "Cód."), c("NOMBRE", 50, "Nombre"), c("TIPO", 1, "Tipo"), c("TURNO", 3, "Turno")},
               {ix("CODIGO", {"CODIGO"})});

    t << tabla("TPais", "Paises.DB", "Paises", G, false,
               {c("CODIGO", 2, "Cod."), c("NOMBRE", 35, "Nombre"), c("ALIAS", 2, "Alias"), c("BANDO", 1, "Bando"),
                c("HEXVER", 4, "Hex. Mapa"), c("TURNOOFICIAL", 3, "Turn.Ofi."), c("TURNOREAL", 3, "Turn.Real"),
                c("CodJugador", 5), c("NombreJugador", 100), c("Apellidos", 100), c("Direccion1", 100),
                c("Direccion2", 100), c("Email", 100), c("CodSeg", 4), c("TurnoCodSeg", 3),
                c("AliasJugador", 100), c("Telefono", 20), c("FechaTurno", 10)},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t.last().fuente = QStringLiteral("DSPais");

    t << tabla("THex", "Hex.DB", "Hexes", G, false,
               {c("HEX", 4), c("TERRENO", 2), c("RIO", 6), c("RIA", 6), c("PUENTE", 6), c("VADO", 6),
                c("CAMINO", 6), n("DATOS", T::Memo)},
               {ix("HEX", {"HEX"})});

    {
        QList<DefCampo> f = {c("TURNO", 3, "Turno"), c("HEX", 4, "Hex"), c("NOMBRE", 20, "Nombre"),
                             c("PAIS", 2, "Pais"), c("TIPOCP", 2, "Tamaño"), c("TERRENO", 2, "Terreno"),
                             c("CLIMA", 2, "Clima"), c("FORTIFICA", 2, "Fortificaciones"),
                             n("LEALTAD", T::SmallInt, "Lealtad"), c("MUELLES", 2, "Muelles"),
                             n("CAPITAL", T::Boolean, "Capital"), n("OCULTO", T::Boolean, "Oculto"),
                             n("ASEDIADO", T::Boolean, "Asediado")};
        const char* pro[] = {"PROCU", "PROBR", "PROAC", "PROMI", "PROCO", "PROMA", "PROMO", "PROOR"};
        const char* proEt[] = {"Proc. CU", "Proc. BR", "Proc. AC", "Proc. MI", "Pro. CO", "", "Pro. MO", "Oro"};
        for (int i = 0; i < 8; ++i) f << n(pro[i], T::Integer, proEt[i]);
        const char* alm[] = {"ALMCU", "ALMBR", "ALMAC", "ALMMI", "ALMCO", "ALMMA", "ALMMO", "ALMOR"};
        const char* almEt[] = {"Alm. CU", "Alm. BR", "Alm. AC", "Alm. MI", "Alm. CO", "Alm. MA", "Alm. MO", ""};
        for (int i = 0; i < 8; ++i) f << n(alm[i], T::Integer, almEt[i]);
        f << n("HEREDADO", T::Boolean, "Heredado") << c("ORIGEN", 1);
        t << tabla("TCenPob", "CenPob.DB", "Centros de Poblacion y Fortifiaciones", G, true, f,
                   {ix("TURNO", {"TURNO", "HEX"}), ix("HEX", {"HEX", "TURNO"}), ix("NOMBRE", {"NOMBRE", "TURNO"}),
                    ix("PAISTURNO", {"PAIS", "TURNO", "HEX"})});
    }

    {
        QList<DefCampo> f = {c("TURNO", 3, "Turno"), c("CODIGO", 5, "ID"), c("HEX", 4, "Hex"),
                             c("NOMBRE", 17, "Nombre"), c("SEXO", 1, "Sexo"), c("VIDA", 1, "Estado"),
                             c("PAIS", 2, "Pais"), c("TIPO", 1)};
        const char* gn[] = {"GNMANDO", "GNAGENTE", "GNEMISARIO", "GNMAGO", "GNSIGILO"};
        const char* gnEt[] = {"MD", "AG", "EM", "MG", "SI"};
        for (int i = 0; i < 5; ++i) f << n(gn[i], T::SmallInt, gnEt[i]);
        const char* gt[] = {"GTMANDO", "GTAGENTE", "GTEMISARIO", "GTMAGO", "GTSIGILO"};
        const char* gtEt[] = {"MDt", "AGt", "EMt", "MGt", "SIt"};
        for (int i = 0; i < 5; ++i) f << n(gt[i], T::SmallInt, gtEt[i]);
        f << n("SALUD", T::SmallInt, "Salud") << n("DUELO", T::SmallInt, "Duelo");
        for (int i = 1; i <= 6; ++i) f << c(qPrintable(QStringLiteral("ART%1").arg(i)), 3);
        for (int i = 1; i <= 15; ++i) f << n(qPrintable(QStringLiteral("HEC%1").arg(i)), T::SmallInt);
        for (int i = 1; i <= 3; ++i) f << c(qPrintable(QStringLiteral("REHEN%1").arg(i)), 5);
        f << c("CAPTOR", 5) << c("ORIGEN", 1, "Ori.");
        t << tabla("TPjs", "Pjs.DB", "Personajes", G, true, f,
                   {ix("CODIGO", {"TURNO", "CODIGO"}), ix("ID", {"CODIGO", "TURNO"}),
                    ix("TURNOHEX", {"TURNO", "HEX", "CODIGO"}), ix("PAISTURNOID", {"PAIS", "TURNO", "CODIGO"})});
    }

    {
        QList<DefCampo> f = {c("TURNO", 3, "Turno"), c("HEX", 4, "Hex"), c("CODIGO", 5, "ID Mando"),
                             c("BANDO", 1, "Bando"), c("NOMBRE", 30, "Nombre Mando", 17),
                             c("DESCRIPCION", 30, "Descripción"), c("PAIS", 2, "Pais"),
                             n("FLOTA", T::Boolean, "Flota"), n("MORAL", T::SmallInt, "Moral"),
                             n("GALERAS", T::SmallInt, "Galeras"), n("TRANSPOR", T::SmallInt, "Transpor."),
                             n("MAQUINAS", T::SmallInt, "Maq.Guerra")};
        for (const char* g : {"CP", "CL", "IP", "IL", "AR", "MI"}) {
            const QString s = QString::fromLatin1(g);
            f << n(g, T::SmallInt);
            f << DefCampo{s + "EN", T::SmallInt, 0, "Ent " + s, 0};
            f << DefCampo{s + "AR", T::SmallInt, 0, "Ar " + s, 0};
            f << DefCampo{s + "AD", T::SmallInt, 0, "Ad " + s, 0};
        }
        f << n("COMIDA", T::SmallInt, "Comida") << n("ARBR", T::SmallInt, "Ar BR") << n("ARAC", T::SmallInt, "Ar AC")
          << n("ARMI", T::SmallInt, "Ar MI") << n("ADCU", T::SmallInt, "Ad CU") << n("ADBR", T::SmallInt, "Ad BR")
          << n("ADAC", T::SmallInt, "Ad AC") << n("ADMI", T::SmallInt, "Ad MI");
        t << tabla("TEjer", "Ejer.DB", "Ejercitos", G, true, f,
                   {ix("CODIGO", {"TURNO", "HEX", "CODIGO", "BANDO"}), ix("NOMBRE", {"NOMBRE"}),
                    ix("PAIS", {"PAIS", "TURNO", "HEX", "CODIGO"}), ix("BANDO", {"BANDO", "TURNO", "HEX", "CODIGO"})});
    }

    t << tabla("TPjsEjer", "PjsEjer.DB", "Personajes en Ejercitos", G, true,
               {c("TURNO", 3), c("CODIGO", 5), c("ID", 5)}, {ix("CODIGO", {"TURNO", "CODIGO", "ID"})});

    t << tabla("TRumores", "Rumores.DB", "Rumores", G, true,
               {c("CODIGO", 5, "Cod."), c("TURNO", 3, "Turno"), c("TEXTO", 150, "Texto")},
               {ix("CODIGO", {"CODIGO"}), ix("TURNO", {"TURNO", "CODIGO"}), ix("TEXTO", {"TEXTO", "TURNO"})});

    t << tabla("TArtef", "Artef.DB", "Artefactos", G, false,
               {c("CODIGO", 3, "Codigo"), c("NOMBRE", 35, "Nombre"), c("ALINEAMIENTO", 1, "Alineam."),
                c("TIPO", 1, "Tipo"), n("BONO", T::SmallInt, "Bono"), c("ESPECIAL", 50, "Especial"),
                n("HISTORIA", T::Memo, "Historia"), n("OBSERVACIONES", T::Memo, "Observaciones")},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"}), ix("TIPO", {"TIPO", "BONO", "CODIGO"})});

    t << tabla("TUbiArtef", "UbiArtef.DB", "Ubicaciones de Artefactos", G, true,
               {c("CODIGO", 4, "Codigo"), c("HEX", 4, "Hex"), c("TURNO", 3, "Turno"), c("ARTEF", 3, "NºArtef"),
                c("NOMBRE", 50, "Nombre/Artef."), n("RESUELTO", T::Boolean, "Resuelto"), c("ORIGEN", 1, "Origen")},
               {ix("CODIGO", {"CODIGO"}), ix("HEX", {"HEX", "TURNO"})});

    // Rule tables of the program folder.
    t << tabla("TTipoCP", "TipoCP.DB", "Tipos Centros Población", P, false,
               {c("CODIGO", 2, "Cod."), c("NOMBRE", 15, "Nombre"), n("COSTEORO", T::Integer, "Coste"),
                n("COMIDA", T::Integer, "Comida Tropas"), n("COMASEDIO", T::Integer, "Comina Asedio"),
                n("PRODUCCION", T::Integer, "% Produc."), n("INGRESOS", T::Integer, "100% Impuestos"),
                n("RECLUTAS", T::Integer, "Reclutas"), n("DEFENSA", T::Integer, "Defensa"),
                n("CONMINA", T::Integer, "Fuerza Conmi."), c("BITMAP", 50, "Icono", 255)},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TFortifica", "Fortifica.DB", "Tipos Fortificaciones", P, false,
               {c("CODIGO", 2, "Cod."), c("NOMBRE", 15, "Nombre"), n("COSTEORO", T::Integer, "Cte.Oro"),
                n("COSTEMAD", T::Integer, "Cte.Madera"), n("DEFENSA", T::Integer, "Defensa"),
                n("MANTEN", T::Integer, "Oro*turno"), c("BITMAP", 50, "Icono")},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TMuelles", "Muelles.DB", "Tipos Muelles", P, false,
               {c("CODIGO", 2, "Cod."), c("NOMBRE", 15, "Nombre"), n("COSTEORO", T::Integer, "Cte.Oro"),
                n("COSTEMAD", T::Integer, "Cte.Mad"), n("MANTEN", T::Integer, "Oro*Turno"), c("BITMAP", 50, "Icono")},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TTerreno", "Terreno.DB", "Tipos Terreno", P, false,
               {c("CODIGO", 2, "Cod."), c("NOMBRE", 15, "Nombre"), c("COLOR", 15, "Color"),
                c("TEXTURA", 50, "Textura"), n("CMPIE", T::SmallInt, "C.M.Pie"),
                n("CMPIECAM", T::SmallInt, "C.M.Pie+camino"), n("CMMONT", T::SmallInt, "C.M.Cab."),
                n("CMMONTCAM", T::SmallInt, "C.M.Cab.+camino")},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TClimas", "Climas.DB", "Tipos Climas", P, false,
               {c("CODIGO", 2, "Cód."), c("NOMBRE", 15, "Nombre"), n("CU", T::SmallInt, "Cuero"),
                n("BR", T::SmallInt, "Bronce"), n("AC", T::SmallInt, "Acero"), n("MI", T::SmallInt, "Mithril"),
                n("CO", T::SmallInt, "Comida"), n("MA", T::SmallInt, "Madera"), n("MO", T::SmallInt, "Monturas"),
                n("OR", T::SmallInt, "Oro")},
               {ix("CODIGO", {"CODIGO"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TGrados", "Grados.DB", "Grados de Personajes", P, false,
               {c("TIPO", 2, "Tipo"), n("GRADOMIN", T::SmallInt, "Min"), n("GRADOMAX", T::SmallInt, "Max"),
                c("NOMBRE", 10, "Descripción")},
               {ix("TIPO", {"TIPO", "GRADOMIN"}), ix("NOMBRE", {"NOMBRE"})});
    t << tabla("TAcertijos", "Acertijos.DB", "Acertijos", P, false,
               {c("CODIGO", 5, "Codigo"), n("TEXTO", T::Memo, "Texto"), c("RESPUESTA", 100, "Respuesta"),
                n("OBSERVACIONES", T::Memo, "Observaciones")},
               {ix("CODIGO", {"CODIGO"})});
    return t;
}

template <typename F>
const DefTabla* busca(F campo, const QString& nombre) {
    for (const auto& t : Diccionario::tablas())
        if (campo(t).compare(nombre, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

} // namespace

const QList<DefTabla>& Diccionario::tablas() {
    static const QList<DefTabla> todas = construye();
    return todas;
}

const DefTabla* Diccionario::porComponente(const QString& nombre) {
    return busca([](const DefTabla& t) -> const QString& { return t.componente; }, nombre);
}
const DefTabla* Diccionario::porFuente(const QString& nombre) {
    return busca([](const DefTabla& t) -> const QString& { return t.fuente; }, nombre);
}
const DefTabla* Diccionario::porFichero(const QString& nombre) {
    return busca([](const DefTabla& t) -> const QString& { return t.fichero; }, nombre);
}

QStringList Diccionario::lineasDefinicion(const QString& componente, const QString& ruta) {
    const DefTabla* t = porComponente(componente);
    if (!t) return {};
    const bool climas = t->componente == QLatin1String("TClimas");
    QStringList l;
    l << t->nombreVisible;
    l << (climas ? QStringLiteral("CREATE TABLE tabla.\"%1\"") : QStringLiteral("CREATE TABLE \"%1\"")).arg(ruta);
    l << QStringLiteral("(");
    for (int i = 0; i < t->campos.size(); ++i) {
        const DefCampo& f = t->campos[i];
        QString nombre = f.nombre;
        if (climas && nombre == QLatin1String("OR")) nombre = QStringLiteral("tabla.\"OR\"");
        l << nombre.leftJustified(10) + QLatin1Char(' ') + f.tipoDeclarado() + (i + 1 < t->campos.size() ? QStringLiteral(",") : QString());
    }
    l << QStringLiteral(",PRIMARY KEY(") + t->primario().campos.join(QStringLiteral(", ")) + QStringLiteral(")");
    l << QStringLiteral(")");
    return l;
}

QList<DefIndice> Diccionario::indicesDefinicion(const QString& componente) {
    const DefTabla* t = porComponente(componente);
    return t ? t->indices : QList<DefIndice>{};
}

QStringList Diccionario::grupoReferencia() {
    return {QStringLiteral("DSFortifica"), QStringLiteral("DSTipoCp"), QStringLiteral("DSMuelles"),
            QStringLiteral("DSTerreno"), QStringLiteral("DSGrados"), QStringLiteral("DSClimas")};
}

QStringList Diccionario::grupoPartida() {
    return {QStringLiteral("DSHex"), QStringLiteral("DSCenPob"), QStringLiteral("DSPais"), QStringLiteral("DSPJs"),
            QStringLiteral("DSEjer"), QStringLiteral("DSPjsEjer"), QStringLiteral("DSRumores"),
            QStringLiteral("DSUbiArtef")};
}

} // namespace kz
