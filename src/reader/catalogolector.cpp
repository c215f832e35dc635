#include "catalogolector.h"

#include "database/tdm.h"

namespace kz {

namespace {
const QString kPartidas = QStringLiteral("DSPartidas");
}

QString CatalogoLector::textoSinCatalogo(const QString& carpetaBase) {
    return QStringLiteral("Recuerde que este programa debe estar en el Directorio donde este el fichero \"gestorkz\" "
                          "(normalmente será: \"") +
           carpetaBase + QStringLiteral("\").");
}

QList<PartidaLector> CatalogoLector::CargarPartidas(TDM& dm, const QString& carpetaBase, const ListaPdfs& lista) {
    QList<PartidaLector> partidas;
    dm.Cerrar(kPartidas);
    dm.fijaCarpetaPrograma(carpetaBase);
    if (!dm.AbrirTablaSE(kPartidas, false)) {
        dm.interaccion().aviso(textoSinCatalogo(carpetaBase), mtAviso);
        return partidas;
    }
    TTabla& t = *dm.tabla(kPartidas);
    for (t.primero(); !t.eof(); t.siguiente()) {
        const QString codigo = t.texto(QStringLiteral("CODIGO"));
        partidas.append({codigo, lista.carpeta(codigo)});
    }
    dm.Cerrar(kPartidas);
    return partidas;
}

} // namespace kz
