#include "definiciontabla.h"

#include <QRegularExpression>

namespace kz {

QString DefCampo::tipoDeclarado() const {
    switch (tipo) {
    case TipoCampo::Char: return QStringLiteral("CHAR(%1)").arg(tamano);
    case TipoCampo::SmallInt: return QStringLiteral("SMALLINT");
    case TipoCampo::Integer: return QStringLiteral("INTEGER");
    case TipoCampo::Boolean: return QStringLiteral("BOOLEAN");
    case TipoCampo::Memo: return QStringLiteral("BLOB(240,1)");
    }
    return {};
}

int DefCampo::limiteEscritura() const {
    if (tipo != TipoCampo::Char) return 0;
    return tamanoObjeto > 0 && tamanoObjeto < tamano ? tamanoObjeto : tamano;
}

bool parseaTipoDeclarado(const QString& declarado, TipoCampo& tipo, int& tamano) {
    static const QRegularExpression re(QStringLiteral("^\\s*([A-Za-z]+)\\s*(?:\\(\\s*(\\d+)\\s*(?:,\\s*\\d+\\s*)?\\))?\\s*$"));
    const auto m = re.match(declarado);
    if (!m.hasMatch()) return false;
    const QString base = m.captured(1).toUpper();
    tamano = 0;
    if (base == QLatin1String("CHAR") || base == QLatin1String("VARCHAR")) {
        tipo = TipoCampo::Char;
        tamano = m.captured(2).toInt();
    } else if (base == QLatin1String("SMALLINT")) {
        tipo = TipoCampo::SmallInt;
    } else if (base == QLatin1String("INTEGER") || base == QLatin1String("INT")) {
        tipo = TipoCampo::Integer;
    } else if (base == QLatin1String("BOOLEAN")) {
        tipo = TipoCampo::Boolean;
    } else if (base == QLatin1String("BLOB") || base == QLatin1String("TEXT")) {
        tipo = TipoCampo::Memo;
    } else {
        return false;
    }
    return true;
}

QString DefTabla::nombreTabla() const {
    const int punto = fichero.indexOf(QLatin1Char('.'));
    return punto < 0 ? fichero : fichero.left(punto);
}

int DefTabla::indiceCampo(const QString& nombre) const {
    for (int i = 0; i < campos.size(); ++i)
        if (campos[i].nombre == nombre) return i;
    return -1;
}

const DefIndice* DefTabla::indice(const QString& nombre) const {
    for (const auto& i : indices)
        if (i.nombre.compare(nombre, Qt::CaseInsensitive) == 0) return &i;
    return nullptr;
}

} // namespace kz
