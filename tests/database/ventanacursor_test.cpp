// A cursor with a fetch window of one row sees the same rows, in the same order, as one with
// the default window: walks both ways, ranges, key and nearest-key searches, edits.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/tdm.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QStringList recorre(TTabla& t) {
    QStringList l;
    for (t.primero(); !t.eof(); t.siguiente()) l << t.texto(QStringLiteral("TURNO")) + QLatin1Char('/') + t.texto(QStringLiteral("CODIGO"));
    return l;
}
QStringList recorreAtras(TTabla& t) {
    QStringList l;
    for (t.ultimo(); !t.bof(); t.anterior()) l << t.texto(QStringLiteral("TURNO")) + QLatin1Char('/') + t.texto(QStringLiteral("CODIGO"));
    return l;
}

} // namespace

TEST(VentanaCursor, UnaFilaPorVezDaLoMismoQueLaVentanaNormal) {
    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm(ui);
    dm.fijaCarpetaPartida(carpeta.ruta());
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, false));
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    Transaccion carga(*pjs.conexion());
    for (int turno = 0; turno < 4; ++turno)
        for (int c = 0; c < 70; ++c) {
            QVector<QVariant> v(pjs.campos().size());
            v[0] = QStringLiteral("%1").arg(turno, 3, 10, QLatin1Char('0'));
            v[1] = QStringLiteral("%1").arg(c, 5, 10, QLatin1Char('0'));
            ASSERT_TRUE(pjs.insertaFila(v));
        }
    ASSERT_TRUE(carga.confirma());
    pjs.refresca();
    const QStringList adelante = recorre(pjs), atras = recorreAtras(pjs);
    ASSERT_EQ(adelante.size(), 280);

    pjs.fijaTamanoLote(1);
    EXPECT_EQ(recorre(pjs), adelante);
    EXPECT_EQ(recorreAtras(pjs), atras);
    pjs.fijaRango({QStringLiteral("001")}, {QStringLiteral("002")});
    EXPECT_EQ(recorre(pjs), adelante.mid(70, 140));
    pjs.quitaRango();
    ASSERT_TRUE(pjs.buscaClave({QStringLiteral("002"), QStringLiteral("00069")}));
    pjs.siguiente();
    EXPECT_EQ(pjs.texto(QStringLiteral("CODIGO")), QStringLiteral("00000"));
    EXPECT_EQ(pjs.texto(QStringLiteral("TURNO")), QStringLiteral("003"));
    pjs.buscaCercano({QStringLiteral("001"), QStringLiteral("0003a")});
    EXPECT_EQ(pjs.texto(QStringLiteral("CODIGO")), QStringLiteral("00040"));
    ASSERT_TRUE(pjs.edita());
    ASSERT_TRUE(pjs.fija(QStringLiteral("NOMBRE"), QStringLiteral("Editado")));
    ASSERT_TRUE(pjs.graba());
    pjs.anterior();
    EXPECT_EQ(pjs.texto(QStringLiteral("CODIGO")), QStringLiteral("00039"));
    pjs.fijaTamanoLote(0);   // never below one row
    EXPECT_EQ(recorre(pjs), adelante);
    ASSERT_TRUE(pjs.buscaClave({QStringLiteral("001"), QStringLiteral("00040")}));
    EXPECT_EQ(pjs.texto(QStringLiteral("NOMBRE")), QStringLiteral("Editado"));
}
