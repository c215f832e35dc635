#include "comun/carpetaprueba.h"
#include "database/diccionario.h"
#include "database/tdm.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kz;

// Field names of eleven characters and more (DESCRIPCION, TURNOOFICIAL) still need a blank
// before their type, or the creating statement is not valid.
TEST(Creacion, TodasLasTablasDelDiccionarioSePuedenCrear) {
    prueba::CarpetaPrueba carpeta;
    for (const DefTabla& d : Diccionario::tablas()) {
        const QString ruta = carpeta.fichero(d.fichero);
        QStringList lineas = Diccionario::lineasDefinicion(d.componente, ruta);
        ASSERT_FALSE(lineas.isEmpty()) << d.componente.toStdString();
        lineas.removeFirst();
        QString error;
        EXPECT_TRUE(TDM::EjecutaCreacion(lineas, error)) << d.componente.toStdString() << ": " << error.toStdString();
    }
    EXPECT_EQ(Diccionario::lineasDefinicion(QStringLiteral("TEjer"), QStringLiteral("x")).value(8),
              QStringLiteral("DESCRIPCION CHAR(30),"));
    EXPECT_EQ(Diccionario::lineasDefinicion(QStringLiteral("TPartidas"), QStringLiteral("x")).value(3),
              QStringLiteral("CODIGO     CHAR(4),"));
}
