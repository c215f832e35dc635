#include "programaprueba.h"

#include "database/carpetaprograma.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kz::prueba {

ProgramaPrueba::ProgramaPrueba() : dm_(ui_) { dm_.fijaCarpetaPrograma(carpeta_.ruta()); }

void ProgramaPrueba::creaPartida(const QString& codigo) {
    QDir().mkpath(carpetaPartida(programa(), codigo));
    inserta(QStringLiteral("DSPartidas"), {{"CODIGO", codigo}, {"NOMBRE", QStringLiteral("Partida ") + codigo},
                                           {"TIPO", codigo.left(1)}});
}

void ProgramaPrueba::usa(const QString& codigo) {
    enUso_ = codigo;
    ASSERT_TRUE(dm_.fijaCarpetaPartida(carpetaPartida(programa(), codigo)));
}

void ProgramaPrueba::inserta(const QString& fuente, const QVariantMap& valores) {
    ASSERT_TRUE(dm_.Abrir(fuente, false, false)) << fuente.toStdString() << " " << ui_.textos().join(QLatin1Char('\n')).toStdString();
    TTabla& t = *dm_.tabla(fuente);
    ASSERT_TRUE(t.anade());
    for (auto it = valores.begin(); it != valores.end(); ++it)
        ASSERT_TRUE(t.fija(it.key(), it.value())) << it.key().toStdString() << ": " << t.mensajeError().toStdString();
    ASSERT_TRUE(t.graba()) << t.mensajeError().toStdString();
    dm_.Cerrar(fuente);
}

QStringList ProgramaPrueba::filas(const QString& fuente, const QStringList& campos) {
    QStringList l;
    if (!dm_.Abrir(fuente, false, false)) return {QStringLiteral("no se abre ") + fuente};
    TTabla& t = *dm_.tabla(fuente);
    for (t.primero(); !t.eof(); t.siguiente()) {
        QStringList v;
        for (const QString& c : campos) v << t.texto(c);
        l << v.join(QLatin1Char('|'));
    }
    dm_.Cerrar(fuente);
    return l;
}

} // namespace kz::prueba
