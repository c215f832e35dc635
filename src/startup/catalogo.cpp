#include "catalogo.h"

#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/restructura.h"
#include "database/textos.h"
#include "tablasmapa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace kz {

namespace {
const QString kPartidas = QStringLiteral("DSPartidas");

bool soloDigitos(const QString& s) {
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > 127) return false;
    return !s.isEmpty();
}
} // namespace

Catalogo::Catalogo(TDM& dm, Sesion& sesion, VentanasCatalogo& ventanas, VentanaPrincipal& principal)
    : dm_(dm), sesion_(sesion), ventanas_(ventanas), principal_(principal), ui_(dm.interaccion()) {}

const QStringList& Catalogo::ficherosPlantilla() {
    static const QStringList l = {QStringLiteral("Artef.DB"), QStringLiteral("Artef.MB"), QStringLiteral("CenPob.DB"),
                                  QStringLiteral("Ejer.DB"),  QStringLiteral("Hex.DB"),   QStringLiteral("Hex.MB"),
                                  QStringLiteral("Paises.DB"), QStringLiteral("Pjs.DB")};
    return l;
}

QString Catalogo::carpetaPlantilla(bool cuarta) const {
    return sesion_.carpetaPrograma + (cuarta ? QStringLiteral("/Cuarta") : QStringLiteral("/Tercera"));
}

QString Catalogo::carpetaInformes(const QString& codigo) const {
    return sesion_.carpetaPrograma + QStringLiteral("/Pdfs/") + codigo;
}

bool Catalogo::abrePartidas() {
    dm_.fijaCarpetaPrograma(sesion_.carpetaPrograma);
    return dm_.Abrir(kPartidas, false, false);
}

void Catalogo::cierraPartidas() { dm_.Cerrar(kPartidas); }

void Catalogo::nueva() {
    if (!abrePartidas()) return;
    DatosNuevaPartida datos;
    if (ventanas_.pideNuevaPartida(datos)) creaPartida(datos);
    cierraPartidas();
}

bool Catalogo::creaPartida(const DatosNuevaPartida& datos) {
    const QString numero = datos.numero.trimmed();
    if (numero.isEmpty() || !soloDigitos(numero)) {
        ui_.aviso(QStringLiteral("Debe indicar el Numero de partida."));
        return false;
    }
    const QString letra = datos.cuarta ? QStringLiteral("C") : QStringLiteral("T");
    const QString codigo = letra + RellenaIzq(numero, 3, QStringLiteral("0"));
    TTabla& t = partidas();
    if (t.buscaClave({codigo})) {
        ui_.aviso(QStringLiteral("La partida ya existe"));
        return false;
    }

    CursorEspera espera(ui_);
    const QString carpeta = carpetaPartida(sesion_.carpetaPrograma, codigo);
    if (!QDir().mkpath(carpeta)) {
        ui_.aviso(QStringLiteral("No se ha podido crear el directorio de la partida ") + carpeta, mtError);
        return false;
    }
    // Files already in the folder (one left behind by a failed deletion) are kept.
    const QString plantilla = carpetaPlantilla(datos.cuarta);
    for (const QString& fichero : ficherosPlantilla()) {
        const QString destino = QDir(carpeta).filePath(fichero);
        const QString origen = Restructura::buscaFichero(plantilla, fichero);
        if (origen.isEmpty() || QFileInfo::exists(destino)) continue;
        if (!QFile::copy(origen, destino)) {
            ui_.aviso(QStringLiteral("No se ha podido copiar ") + origen + QStringLiteral(" en ") + carpeta, mtError);
            return false;
        }
        QFile(destino).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    if (!t.anade()) {
        ui_.aviso(t.mensajeError(), mtError);
        return false;
    }
    t.fija(QStringLiteral("CODIGO"), codigo);
    t.fija(QStringLiteral("NOMBRE"), datos.nombre.left(50));
    t.fija(QStringLiteral("TURNO"), QStringLiteral("000"));
    t.fija(QStringLiteral("TIPO"), letra);
    if (!t.graba()) {
        const QString motivo = t.mensajeError();
        t.cancela();
        ui_.aviso(motivo, mtError);
        return false;
    }
    return true;
}

bool Catalogo::puedeSeleccionar() {
    if (partidas().vacia()) {
        ui_.aviso(QStringLiteral("Debe seleccionar una Partida."));
        return false;
    }
    return true;
}

void Catalogo::reenlazaTablasDePartida(const QString& carpeta) {
    for (const QString& fuente : dm_.fuentes()) {
        const DefTabla* def = dm_.definicion(fuente);
        if (def && def->carpeta != CarpetaTabla::Partida) continue;
        if (TConsulta* q = dm_.consulta(fuente)) {
            q->cierra();
            continue;
        }
        for (int i = dm_.aperturas(fuente); i > 0; --i) dm_.Cerrar(fuente);
        if (TTabla* t = dm_.tabla(fuente)) t->cierra();
    }
    dm_.fijaCarpetaPartida(carpeta);
}

bool Catalogo::elige(bool modoArranque) {
    if (!abrePartidas()) return false;
    TTabla& t = partidas();
    if (!modoArranque) t.buscaClave({sesion_.partida});
    if (!ventanas_.muestraEleccion(*this) || t.vacia() || t.eof()) {
        cierraPartidas();
        return false;
    }
    sesion_.partida = t.texto(QStringLiteral("CODIGO"));
    sesion_.turno = t.texto(QStringLiteral("TURNO"));
    principal_.muestraPartida(sesion_.partida);
    principal_.muestraTurno(sesion_.turno);
    if (!modoArranque) TablasMapa::cierra(dm_);
    reenlazaTablasDePartida(carpetaPartida(sesion_.carpetaPrograma, sesion_.partida));
    if (!modoArranque) {
        // The choice stands even if the map tables cannot be opened again: the tables stay
        // bound to the chosen game.
        if (!TablasMapa::abre(dm_)) {
            cierraPartidas();
            return false;
        }
        sesion_.turno = TablasMapa::rellenaTurnos(dm_, principal_);
        principal_.dibujaMapa();
    }
    cierraPartidas();
    return true;
}

void Catalogo::elimina(const QString& codigoFila) {
    if (!abrePartidas()) return;
    TTabla& t = partidas();
    auto fin = qScopeGuard([&] { cierraPartidas(); });
    if (t.vacia()) {
        ui_.aviso(QStringLiteral("No hay Partidas para Eliminiar"));
        return;
    }
    if (!t.buscaClave({codigoFila})) return;
    const QString codigo = t.texto(QStringLiteral("CODIGO"));
    if (codigo == sesion_.partida) {
        ui_.aviso(QStringLiteral("No se puede Eliminar la Partida Actual. Carge otro vuelva a intentar la operacion"));
        return;
    }
    if (ui_.pregunta(QStringLiteral("Eliminar la Partida supone la perdida TOTAL y PERMANENTE de todos datos "
                                    "relacionados con ella.\r\n¿Seguro de desea eliminarla?"),
                     mtAviso, boton(mbSi) | boton(mbNo), mbNo) != mrSi)
        return;

    CursorEspera espera(ui_);
    if (!t.borra()) {
        ui_.aviso(t.mensajeError(), mtError);
        return;
    }
    QStringList fallidas;
    const QString carpeta = carpetaPartida(sesion_.carpetaPrograma, codigo);
    if (!borraCarpeta(carpeta)) fallidas << carpeta;
    const QString informes = carpetaInformes(codigo);
    if (QFileInfo(informes).isDir()) {
        QDir d(informes);
        for (const QString& f : d.entryList({QStringLiteral("*.txt"), QStringLiteral("*.err")}, QDir::Files | QDir::Hidden))
            QFile::remove(d.filePath(f));
        if (!QDir().rmdir(informes)) fallidas << informes;
    }
    if (!fallidas.isEmpty()) {
        QString texto = QStringLiteral("No se pudiero eliminar alguno de los directorios implicados:");
        for (const QString& f : fallidas) texto += f + QStringLiteral("\r\n");
        texto += QStringLiteral("Si lo desea puede eliminarlos manualmente.");
        ui_.aviso(texto);
    }
}

bool Catalogo::borraCarpeta(const QString& carpeta) {
    const QFileInfo raiz(carpeta);
    if (!raiz.isDir() || raiz.isSymLink()) return false;
    QDir d(carpeta);
    for (const QFileInfo& fi : d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (fi.isDir() && !fi.isSymLink()) {
            if (!borraCarpeta(fi.filePath())) return false;
        } else if (!QFile::remove(fi.filePath())) {
            return false;
        }
    }
    return QDir().rmdir(carpeta);
}

} // namespace kz
