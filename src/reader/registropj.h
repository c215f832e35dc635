#pragma once
// The one routine through which every character named in a report outside the nation's own
// sheets reaches the characters' table: it finds or creates the character's row of a turn and
// merges what the mention tells (place, nation, skills, whether alive), carrying the character's
// earlier knowledge into a new turn. Rows read from the nation's own sheets (ORIGEN "0") are
// final for their turn and are never touched here.

#include <QString>

namespace kz {

class SesionLectura;
class TTabla;

// Skill hint of a mention.
enum PistaHabilidad { SinPista = 0, PistaAgente = 1, PistaMando = 2, PistaMago = 3, PistaEmisario = 4 };

// Status a mention gives: alive, hostage, dead, or alive unless something else is known.
enum EstadoMencion { EstadoVivo = 0, EstadoRehen = 1, EstadoMuerto = 2, EstadoSiNoSeSabe = 3 };

class RegistroPj {
public:
    explicit RegistroPj(SesionLectura& sesion) : s_(sesion) {}

    // Fails (FalloLectura) on an empty name or a row that cannot be written; does nothing for
    // an empty turn.
    void RegistraPj(const QString& turno, const QString& nombre, const QString& ubicacion, const QString& grado,
                    bool ubicado, int pista, int estado, const QString& pais);
    // PAIS of the character's latest row up to the report's turn that has one, or empty.
    QString UltimoPaisPj(const QString& nombre);

    // Pjs.CODIGO of a name: its first five characters, accent-folded, letter case kept.
    static QString CodigoPj(const QString& nombre);

    // A grade title of Grados: the Pjs field it sets and its value (GRADOMIN + 5); no field
    // when the title is not there.
    struct Grado {
        QString campo;
        int valor = 0;
    };
    Grado buscaGrado(const QString& titulo);

private:
    QString resuelveUbicacion(const QString& ubicacion, const QString& turno);
    QString resuelvePais(const QString& pais);
    // First non-empty PAIS from the auxiliary cursor's row backwards within its range.
    static QString paisHaciaAtras(TTabla& auxiliar);

    SesionLectura& s_;
};

} // namespace kz
