#include "lectorordenes.h"

#include "herramientastexto.h"
#include "registropj.h"
#include "registroubicacion.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kReconocer = QStringLiteral(" recibió ordenes de reconocer personajes.");
const QString kSinExtranjeros = QStringLiteral("No hay personajes extranjeros");
const QString kHechizoArtefacto = QStringLiteral("de lanzar un hechizo de conocimiento. Localizar Artefacto");
const QString kHechizoPersonaje = QStringLiteral("un hechizo de conocimiento. Localizar Personaje");
const QString kFrustroSabotaje = QStringLiteral("y frustró su misión de sabotaje");

// The words [desde, hasta) joined with single spaces.
QString une(const QStringList& p, int desde, int hasta) {
    QStringList r;
    for (int i = std::max(0, desde); i < std::min<int>(hasta, p.size()); ++i) r << p[i];
    return r.join(QLatin1Char(' '));
}

QString sin(QString texto, const QString& caracteres) {
    for (QChar c : caracteres) texto.remove(c);
    return texto;
}

// A line and the one after it (the result of a spell is written on the next line).
QString conSiguiente(const QStringList& cuerpo, int i) {
    if (i + 1 >= cuerpo.size()) return cuerpo[i].trimmed();
    return cuerpo[i].trimmed() + QLatin1Char(' ') + cuerpo[i + 1].trimmed();
}

// First position after `desde` of a word equal to `palabra`, or -1.
int buscaPalabra(const QStringList& p, int desde, const QString& palabra) {
    for (int i = desde + 1; i < p.size(); ++i)
        if (MismaPalabra(p[i], palabra)) return i;
    return -1;
}

} // namespace

ResultadoOrdenes LectorOrdenes::LeeOrdenes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                                           const QString& ubicacionRetenida, const QString& ubicacion) {
    ResultadoOrdenes r{QString(), estado};
    const int n = cuerpo.size();
    for (int i = 0; i < n; ++i) {
        const QString& linea = cuerpo[i];
        try {
            if (linea.contains(QStringLiteral("El recibió"))) r.sexo = QStringLiteral("M");
            else if (linea.contains(QStringLiteral("Ella recibió"))) r.sexo = QStringLiteral("F");
            if (linea.contains(QStringLiteral(" es un rehen"))) r.estado = QStringLiteral("1");
            // A hostage or a dead character carried out no orders.
            if (r.estado != QLatin1String("0")) continue;

            if (linea.contains(kReconocer)) {
                QStringList informe;
                int j = i + 1;
                for (; j < n && !cuerpo[j].contains(kSinExtranjeros); ++j) {
                    informe << cuerpo[j];
                    if (cuerpo[j].contains(QStringLiteral("momento."))) {
                        ++j;
                        break;
                    }
                }
                LeeReconocimiento(informe.join(QLatin1Char(' ')), ubicacion);
                i = j - 1;
                continue;
            }
            if (linea.contains(QStringLiteral(" ha encontrado ")) && linea.contains(QStringLiteral(" podría ser investigad")))
                RegistroUbicacion(s_).RegistraUbicacion(s_.turno(), ubicacion, QString(), OrigenUbicacion::Hallazgo, QString());
            if (linea.contains(kHechizoArtefacto)) leeHechizoArtefacto(conSiguiente(cuerpo, i));
            if (linea.contains(kHechizoPersonaje)) leeHechizoPersonaje(conSiguiente(cuerpo, i));
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("OR"), linea);
        }
    }
    r.estado = LeeAgentes(nombre, cuerpo, r.estado, ubicacionRetenida);
    if (r.estado == QLatin1String("0")) LeeExploracion(cuerpo);
    return r;
}

void LectorOrdenes::leeHechizoArtefacto(const QString& texto) {
    const QStringList p = Palabras(texto);
    QString numero, nombre;
    int pos = 0;
    if (PalabraEn(p, 12) != QLatin1String("artifact")) {
        // "... Localizar Artefacto <x> <name> #<number> está|esta|puede ..."
        pos = -1;
        for (const char* parada : {"está", "esta", "puede"}) {
            int q = 11;
            UneHastaSiHayOFalla(p, q, QString::fromUtf8(parada));
            if (q != 11) {
                pos = q;
                break;
            }
        }
        if (pos < 0) pos = 11;
        numero = sin(PalabraEn(p, pos - 1), QStringLiteral("#"));
        nombre = une(p, 12, pos - 1).trimmed();
    } else {
        // English: "... artifact #<number>, un <name> <verb> ..."
        numero = sin(PalabraEn(p, 13), QStringLiteral("#,"));
        if (p.value(14) == QLatin1String("un")) nombre = PalabraEn(p, 15);
        pos = 16;
    }
    if (!numero.isEmpty()) numero = RellenaCeros(numero, 3);
    pos += PalabraEn(p, pos) == QLatin1String("puede") ? 2 : 1;
    const QString& verbo = PalabraEn(p, pos);
    if (verbo == QLatin1String("localizado")) {
        RegistroUbicacion(s_).RegistraUbicacion(s_.turno(), sin(p.last(), QStringLiteral(".")), numero,
                                                OrigenUbicacion::Hechizo, nombre);
    } else if (verbo == QLatin1String("en")) {
        // "... en poder de <holder> <word> el/la <...> en <hex>."
        const int elLa = buscaPalabra(p, pos, QStringLiteral("el/la"));
        if (elLa < 0) Falla(QStringLiteral("falta el/la"));
        const QString portador = une(p, pos + 3, elLa - 1);
        const int en = buscaPalabra(p, elLa, QStringLiteral("en"));
        if (en < 0) Falla(QStringLiteral("falta el hexágono del portador"));
        const QString hex = sin(PalabraEn(p, en + 1), QStringLiteral("."));
        r_.RegistraPj(s_.turno(), portador, hex, QString(), true, SinPista, EstadoVivo, QString());
        guardaArtefacto(portador, numero);
    }
}

void LectorOrdenes::guardaArtefacto(const QString& portador, const QString& numero) {
    if (numero.isEmpty()) return;
    TTabla& p = s_.pjs();
    if (!p.buscaClave({s_.turno(), RegistroPj::CodigoPj(portador)})) {
        if (!s_.escritura()) return;   // nothing is posted without writing
        Falla(QStringLiteral("no está la fila del portador"));
    }
    // Held already in any field: nothing to do (the first free field may come before it).
    int libre = 0;
    for (int k = 1; k <= 6; ++k) {
        const QString valor = p.texto(QStringLiteral("ART%1").arg(k));
        if (valor == numero) return;
        if (valor.isEmpty() && libre == 0) libre = k;
    }
    // Six other artefacts: none of them is replaced, and the line is reported.
    if (libre == 0) Falla(QStringLiteral("el portador no tiene sitio para el artefacto ") + numero);
    s_.edita(p);
    s_.fija(p, QStringLiteral("ART%1").arg(libre), numero);
    s_.graba(p);
}

void LectorOrdenes::leeHechizoPersonaje(const QString& texto) {
    if (texto.contains(QStringLiteral("no pudo ser localizado"))) return;
    const QStringList p = Palabras(texto);
    int pos = 12;
    const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("está"));
    r_.RegistraPj(s_.turno(), nombre, p.last().left(4), QString(), true, SinPista, EstadoVivo, QString());
}

void LectorOrdenes::LeeReconocimiento(const QString& texto, const QString& ubicacion) {
    if (texto.trimmed().isEmpty()) return;
    try {
        QStringList frases = Trocea(texto, QStringLiteral("."));
        int k = -1;
        for (int i = 1; i < frases.size() && k < 0; ++i)
            if (frases[i].contains(QStringLiteral("Están:")) || frases[i].contains(QStringLiteral("Resultado:"))) k = i;
        if (k < 0) return;
        const QString primera = frases[k].trimmed();
        frases[k] = primera.mid(primera.indexOf(QLatin1Char(':')) + 2);
        for (int i = k; i < frases.size() - 1; ++i) {
            const QString& f = frases[i];
            if (f.contains(kSinExtranjeros) || f.contains(QStringLiteral("Uno o mas informes pueden ser incorrectos")) ||
                f.contains(QStringLiteral("No hay ning")))
                break;
            const QString frase = f.trimmed();
            if (frase.startsWith(QStringLiteral("Un desconocido "))) continue;
            leeReconocido(frase, ubicacion);
        }
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("RC"), texto);
    }
}

void LectorOrdenes::leeReconocido(const QString& frase, const QString& ubicacion) {
    const ContextoLectura& ctx = s_.contexto();
    const QString& guion = ctx.guionEspaciado;
    QString nombre, nacion;
    RegistroPj::Grado grado;
    bool ubicado = true;
    if (frase.contains(guion + QStringLiteral("Servidor Oscuro")) || frase.contains(guion + QStringLiteral("Pueblo Libre"))) {
        // Only the allegiance is known: the character is named, not placed.
        nombre = frase.left(frase.indexOf(guion)).trimmed();
        ubicado = false;
    } else if (!frase.contains(guion)) {
        nombre = frase;
    } else {
        // "[<grade title>] <name> - <nation>"
        const QStringList p = Palabras(frase);
        int pos = 0;
        grado = r_.buscaGrado(p.first());
        if (!grado.campo.isEmpty()) pos = 1;
        nombre = UneHastaOFalla(p, pos, ctx.guion);
        nacion = UneTras(p, ctx.guion).texto;
    }
    const QString codigo = RegistroPj::CodigoPj(nombre);
    if (codigo.isEmpty()) Falla(QStringLiteral("personaje sin nombre"));
    QString pais = s_.BuscaPais(nacion.isEmpty() ? r_.UltimoPaisPj(nombre) : nacion).codigo;
    if (pais.isEmpty()) pais = s_.BuscaPais(r_.UltimoPaisPj(nombre)).codigo;

    TTabla& p = s_.pjs();
    s_.editaOAnade(p, {s_.turno(), codigo});
    s_.fija(p, QStringLiteral("TURNO"), s_.turno());
    s_.fija(p, QStringLiteral("CODIGO"), codigo);
    s_.fija(p, QStringLiteral("NOMBRE"), nombre);
    if (!pais.isEmpty()) s_.fija(p, QStringLiteral("PAIS"), pais);
    // A sheet without a closing place does not clear the place a character already has.
    if (ubicado) {
        if (!ubicacion.isEmpty()) s_.fija(p, QStringLiteral("HEX"), ubicacion);
        if (!grado.campo.isEmpty()) s_.fija(p, grado.campo, grado.valor);
    } else if (p.texto(QStringLiteral("HEX")).isEmpty()) {
        s_.fija(p, QStringLiteral("HEX"), ubicacion);
    }
    s_.graba(p);
}

QString LectorOrdenes::LeeAgentes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                                  const QString& ubicacionRetenida) {
    QString r = estado;
    const QString quien = nombre.trimmed();
    if (quien.isEmpty()) return r;
    int inicio = -1;
    for (int i = 0; i < cuerpo.size() && inicio < 0; ++i)
        if (cuerpo[i].contains(quien)) inicio = i;
    if (inicio < 0) return r;
    QStringList partes;
    for (int i = inicio; i < cuerpo.size(); ++i) {
        QString l = cuerpo[i];
        // The report runs this result into the next sentence without a full stop.
        const int k = l.indexOf(kFrustroSabotaje);
        if (k >= 0 && !l.contains(kFrustroSabotaje + QLatin1Char('.')))
            l.insert(std::min<int>(k + kFrustroSabotaje.size() + 1, l.size()), QLatin1Char('.'));
        partes << l.trimmed();
    }
    for (const QString& frase : Trocea(partes.join(QLatin1Char(' ')), QStringLiteral("."))) {
        try {
            leeAccionAgente(frase, quien, ubicacionRetenida, r);
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("AG"), frase);
        }
    }
    return r;
}

void LectorOrdenes::leeAccionAgente(const QString& frase, const QString& nombre, const QString& retenida,
                                    QString& estado) {
    const QString& turno = s_.turno();
    const QString& anterior = s_.contexto().turnoAnterior;
    // Where the action happened in the turn before; known, not placed, in the report's turn.
    auto presente = [&](const QString& quien, int pista, int estadoAhora, const QString& pais) {
        r_.RegistraPj(anterior, quien, retenida, QString(), true, pista, EstadoVivo, pais);
        r_.RegistraPj(turno, quien, retenida, QString(), false, pista, estadoAhora, pais);
    };
    const QStringList p = Palabras(frase);
    if (frase.contains(QStringLiteral(" detectó ")) && frase.contains(QStringLiteral("mientras realizaba su misión de protección"))) {
        int pos = 2;
        presente(UneHastaOFalla(p, pos, QStringLiteral("mientras")), PistaAgente, EstadoSiNoSeSabe, QString());
    }
    if (frase.contains(QStringLiteral(" y frustró su misión ")) && !frase.contains(QStringLiteral(" capturó "))) {
        int pos = 2;
        const QString objetivo = UneHastaOFalla(p, pos, QStringLiteral("de:"));
        const QString accion = PalabraEn(p, 1);
        QString pais;
        if (accion != QStringLiteral("capturó")) {
            ++pos;
            pais = UneHastaOFalla(p, pos, QStringLiteral("frustró"));
            pais.chop(2);   // " y"
            pais = pais.trimmed();
        }
        presente(objetivo, PistaAgente, accion == QStringLiteral("mató") ? EstadoMuerto : EstadoSiNoSeSabe, pais);
    }
    if (frase.contains(QStringLiteral(" ha sido asesinado"))) {
        int pos = 0;
        const QString victima = UneHastaOFalla(p, pos, QStringLiteral("ha"));
        if (victima.compare(nombre, Qt::CaseInsensitive) == 0) estado = QStringLiteral("2");
        else presente(victima, SinPista, EstadoMuerto, QString());
    }
    if (frase.contains(QStringLiteral(" fue protegido"))) {
        int pos = 0;
        presente(UneHastaOFalla(p, pos, QStringLiteral("fue")), SinPista, EstadoSiNoSeSabe, QString());
    }
    if (frase.contains(QStringLiteral(" recibió heridas "))) {
        int pos = PalabraEn(p, 3) == QLatin1String("de") ? 4 : 3;
        presente(UneHastaOFalla(p, pos, QStringLiteral("mientras")), SinPista, EstadoSiNoSeSabe, QString());
    }
    if (frase.contains(QStringLiteral(" murió a manos de "))) {
        int pos = 5;
        presente(UneHastaOFalla(p, pos, QStringLiteral("mientras")), SinPista, EstadoSiNoSeSabe, QString());
    }
}

void LectorOrdenes::LeeExploracion(const QStringList& cuerpo) {
    QString texto;
    bool ordenada = false;
    for (const QString& l : cuerpo) {
        if (!ordenada && (l.contains(QStringLiteral("recibió ordenes de explorar área.")) ||
                          l.contains(QStringLiteral("recibió ordenes de explorar area.")) ||
                          l.contains(QStringLiteral("recibió ordenes de utilizar artefacto de observación."))))
            ordenada = true;
        if (ordenada) texto += QLatin1Char(' ') + l.trimmed();
        if (l.contains(QStringLiteral("final."))) break;
    }
    texto = texto.trimmed();
    if (texto.isEmpty() || texto.contains(QStringLiteral("no pudo hacer exploración ")) ||
        texto.contains(QStringLiteral("no ha podido dar ordenes ")))
        return;
    // "<order>. <area>. <heading> - <army> - <army>... final."
    const QStringList frases = Trocea(texto, QStringLiteral("."));
    if (frases.size() < 3) {
        s_.ErrorAlLeer(QStringLiteral("EA"), texto);
        return;
    }
    const QStringList piezas = Trocea(frases[2], s_.contexto().guionEspaciado);
    for (int i = 1; i < piezas.size(); ++i) {
        try {
            leeEjercitoVisto(piezas[i]);
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("EA"), piezas[i]);
        }
    }
}

void LectorOrdenes::leeEjercitoVisto(const QString& pieza) {
    // "<commander> de: <nation> con aproximadamente <size> <...> <hex>"
    const QStringList p = Palabras(pieza);
    int pos = 0;
    const QString mando = UneHastaOFalla(p, pos, QStringLiteral("de:")).trimmed();
    ++pos;
    QString nacion = UneHastaOFalla(p, pos, QStringLiteral("aproximadamente"));
    nacion.chop(4);   // " con"
    nacion = nacion.trimmed();
    const QString tamano = PalabraEn(p, pos + 1);
    const QString hex = sin(p.last(), QStringLiteral("."));
    const QString codigo = mando.left(5);
    if (codigo.trimmed().isEmpty()) Falla(QStringLiteral("ejército sin mando"));
    const PaisEncontrado pais = s_.BuscaPais(nacion);

    r_.RegistraPj(s_.turno(), mando, hex, QString(), true, SinPista, EstadoVivo, pais.codigo);
    TTabla& e = s_.ejer();
    s_.editaOAnade(e, {s_.turno(), hex, codigo, pais.bando});
    s_.fija(e, QStringLiteral("TURNO"), s_.turno());
    s_.fija(e, QStringLiteral("HEX"), hex);
    s_.fija(e, QStringLiteral("CODIGO"), codigo);
    s_.fija(e, QStringLiteral("NOMBRE"), mando);
    s_.fija(e, QStringLiteral("DESCRIPCION"), QStringLiteral("Ejército (") + tamano + QStringLiteral(" aprox.)"));
    s_.fija(e, QStringLiteral("PAIS"), pais.codigo);
    s_.fija(e, QStringLiteral("BANDO"), pais.bando);
    s_.graba(e);
}

} // namespace kz
