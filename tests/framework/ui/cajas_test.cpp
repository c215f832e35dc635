// The message box, the text entry and the progress box, driven headless.

#include "comun/aplicacionventanas.h"
#include "comun/carpetaprueba.h"
#include "framework/ui/interaccionventana.h"
#include "framework/ui/tfpedirtexto.h"
#include "framework/ui/tfproceso.h"
#include "framework/ui/tmessageform.h"
#include "framework/ui/tprocessbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace kz;
using kz::prueba::alAbrirseModal;

namespace {

class Cajas : public ::testing::Test {
protected:
    void SetUp() override { prueba::aplicacionVentanas(); }
};

void pulsa(QWidget* w, const char* nombre) {
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(nombre));
    ASSERT_NE(b, nullptr) << nombre;
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

TEST_F(Cajas, TituloEIconoSegunElTipo) {
    struct Caso { TipoMensaje tipo; const char* titulo; bool icono; };
    const Caso casos[] = {{mtAviso, "Atención", true}, {mtError, "Error", true},
                          {mtInformacion, "Información", true}, {mtConfirmacion, "Confirmación", true},
                          {mtPersonal, "Rarure VA", false}};
    for (const auto& c : casos) {
        TMessageForm f(QStringLiteral("Hola"), c.tipo, boton(mbOK), 0, mbOK);
        EXPECT_EQ(f.windowTitle(), QString::fromUtf8(c.titulo));
        EXPECT_EQ(f.icono() != nullptr, c.icono) << c.titulo;
    }
}

TEST_F(Cajas, CadaBotonDevuelveSuResultado) {
    struct Caso { Boton b; const char* nombre; ResultadoMensaje r; };
    const Caso casos[] = {{mbSi, "Si", mrSi}, {mbNo, "No", mrNo}, {mbOK, "OK", mrOK},
                          {mbCancelar, "Cancelar", mrCancelar}, {mbAbortar, "Abortar", mrAbortar},
                          {mbReintentar, "Reintentar", mrReintentar}, {mbIgnorar, "Ignorar", mrIgnorar},
                          {mbTodos, "Todos", mrTodos}};
    Botones todos = 0;
    for (const auto& c : casos) todos |= boton(c.b);
    for (const auto& c : casos) {
        alAbrirseModal([&](QWidget* w) { pulsa(w, c.nombre); });
        EXPECT_EQ(MensajeDlg(QStringLiteral("¿?"), mtConfirmacion, todos, 0, mbSi), c.r) << c.nombre;
    }
}

TEST_F(Cajas, BotonesEnOrdenDeBitConSuAtajo) {
    TMessageForm f(QStringLiteral("x"), mtAviso, boton(mbReintentar) | boton(mbCancelar) | boton(mbSi), 0, mbCancelar);
    QPushButton* si = f.boton(mbSi);
    QPushButton* cancelar = f.boton(mbCancelar);
    QPushButton* reintentar = f.boton(mbReintentar);
    ASSERT_TRUE(si && cancelar && reintentar);
    EXPECT_EQ(si->text(), QStringLiteral("&Si"));
    EXPECT_EQ(reintentar->text(), QStringLiteral("&Reintentar"));
    EXPECT_LT(si->x(), cancelar->x());
    EXPECT_LT(cancelar->x(), reintentar->x());
    EXPECT_FALSE(si->isDefault() || si->autoDefault() || cancelar->isDefault() || cancelar->autoDefault());
}

TEST_F(Cajas, ElBotonPorDefectoTieneElFoco) {
    QString enfocado;
    alAbrirseModal([&](QWidget* w) {
        enfocado = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        pulsa(w, "Si");
    });
    MensajeDlg(QStringLiteral("¿Seguro?"), mtAviso, boton(mbSi) | boton(mbNo), 0, mbNo);
    EXPECT_EQ(enfocado, QStringLiteral("No"));
}

TEST_F(Cajas, UnaLineaCortaConTresBotonesEsTanAnchaComoLosBotones) {
    TMessageForm f(QStringLiteral("Si"), mtPersonal, boton(mbSi) | boton(mbNo) | boton(mbCancelar), 0, mbSi);
    const auto m = TMessageForm::medidas(f.font());
    EXPECT_EQ(f.width(), 3 * m.anchoBoton + 2 * m.separacionBotones + 2 * m.margenH);
    EXPECT_EQ(f.height(), f.etiqueta()->height() + m.altoBoton + m.espacioV + 2 * m.margenV);
}

TEST_F(Cajas, ElTextoLargoSeRompeAlAnchoDeMediaPantalla) {
    const QString largo = QString(QStringLiteral("palabra ")).repeated(200);
    TMessageForm f(largo, mtAviso, boton(mbOK), 0, mbOK);
    const int mitad = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    EXPECT_LE(f.etiqueta()->width(), mitad);
    EXPECT_GT(f.etiqueta()->height(), 3 * f.fontMetrics().height());
    EXPECT_GE(f.etiqueta()->height(), 32);
    EXPECT_GT(f.etiqueta()->x(), f.icono()->x() + 32);
}

TEST_F(Cajas, LasTeclasNoContestan) {
    bool seguiaAbierta = false;
    alAbrirseModal([&](QWidget* w) {
        for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape, Qt::Key_S, Qt::Key_N}) {
            QTest::keyClick(w->focusWidget(), k);
            QTest::keyClick(w->focusWidget(), k, Qt::AltModifier);
        }
        seguiaAbierta = w->isVisible();
        pulsa(w, "No");
    });
    EXPECT_EQ(MensajeDlg(QStringLiteral("¿?"), mtAviso, boton(mbSi) | boton(mbNo), 0, mbSi), mrNo);
    EXPECT_TRUE(seguiaAbierta);
}

TEST_F(Cajas, AyudaNoCierraLaCaja) {
    int contexto = -1;
    TMessageForm::alPedirAyuda() = [&](int c) { contexto = c; };
    bool abierta = false;
    alAbrirseModal([&](QWidget* w) {
        pulsa(w, "Ayuda");
        abierta = w->isVisible();
        pulsa(w, "OK");
    });
    EXPECT_EQ(MensajeDlg(QStringLiteral("x"), mtInformacion, boton(mbOK) | boton(mbAyuda), 25, mbOK), mrOK);
    EXPECT_TRUE(abierta);
    EXPECT_EQ(contexto, 25);
    TMessageForm::alPedirAyuda() = nullptr;
}

TEST_F(Cajas, CerrarDesdeElMarcoEsCancelar) {
    alAbrirseModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(MensajeDlg(QStringLiteral("x"), mtAviso, boton(mbSi) | boton(mbNo), 0, mbNo), mrCancelar);
}

TEST_F(Cajas, PosicionFijaSoloConValoresNoNegativos) {
    QPoint p1, p2;
    alAbrirseModal([&](QWidget* w) { p1 = w->pos(); pulsa(w, "OK"); });
    MensajeDlgPos(QStringLiteral("x"), mtAviso, boton(mbOK), 0, mbOK, 10, 20);
    EXPECT_EQ(p1, QPoint(10, 20));
    int centroY = 0;
    alAbrirseModal([&](QWidget* w) {
        p2 = w->pos();
        centroY = (QGuiApplication::primaryScreen()->availableGeometry().height() - w->height()) / 2;
        pulsa(w, "OK");
    });
    MensajeDlgPos(QStringLiteral("x"), mtAviso, boton(mbOK), 0, mbOK, 30, -1);
    EXPECT_EQ(p2.x(), 30);
    EXPECT_EQ(p2.y(), centroY);
}

TEST_F(Cajas, PedirTextoAceptaOCancela) {
    QString valor = QStringLiteral("viejo");
    bool seleccionado = false;
    alAbrirseModal([&](QWidget* w) {
        auto* e = w->findChild<QLineEdit*>(QStringLiteral("Edit"));
        seleccionado = e->selectedText() == QStringLiteral("viejo");
        QTest::keyClicks(e, QStringLiteral("clave"));
        QTest::keyClick(e, Qt::Key_Return);   // "Aceptar" is the default button
    });
    EXPECT_TRUE(PedirTexto(QStringLiteral("Validación"), QStringLiteral("Contraseña:"), valor, true));
    EXPECT_EQ(valor, QStringLiteral("clave"));
    EXPECT_TRUE(seleccionado);

    alAbrirseModal([&](QWidget* w) {
        QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("Edit")), QStringLiteral("otra"));
        pulsa(w, "Cancelar");
    });
    EXPECT_FALSE(PedirTexto(QStringLiteral("V"), QStringLiteral("P"), valor, false));
    EXPECT_EQ(valor, QStringLiteral("clave"));
}

TEST_F(Cajas, PedirTextoEnUnidadesDeDialogo) {
    TFPedirTexto d(QStringLiteral("T"), QStringLiteral("Contraseña:"), QString(), true);
    const auto m = TMessageForm::medidas(d.font());
    EXPECT_EQ(d.width(), (m.cx * 180 + 2) / 4);
    EXPECT_EQ(d.height(), (m.cy * 63 + 4) / 8);
    EXPECT_EQ(d.entrada()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.entrada()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, d.entrada()), int('*'));
    EXPECT_EQ(d.entrada()->maxLength(), 255);
    EXPECT_EQ(d.aceptar()->text(), QStringLiteral("&Aceptar"));
    EXPECT_EQ(d.cancelar()->text(), QStringLiteral("&Cancelar"));
    EXPECT_EQ(d.aceptar()->y(), d.cancelar()->y());
    EXPECT_TRUE(d.aceptar()->isDefault());
}

TEST_F(Cajas, VentanaDeProcesoConSusMedidas) {
    TFProceso v;
    EXPECT_EQ(v.size(), QSize(258, 181));
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Procesando..."));
    EXPECT_EQ(v.texto1()->geometry(), QRect(8, 112, 241, 17));
    EXPECT_EQ(v.barra1()->geometry(), QRect(16, 128, 225, 16));
    EXPECT_EQ(v.texto2()->geometry(), QRect(8, 144, 241, 17));
    EXPECT_EQ(v.barra2()->geometry(), QRect(16, 160, 225, 16));
    EXPECT_EQ(v.boton()->geometry(), QRect(88, 148, 81, 25));
    EXPECT_EQ(v.texto1()->text(), QStringLiteral("Espere, por favor"));
    EXPECT_TRUE(v.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(v.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(Cajas, CajaDeProcesoMuestraYActualiza) {
    TProcessBox caja;
    caja.fijaTexto(QString());
    EXPECT_EQ(caja.Texto(), QStringLiteral("Espere por favor ..."));
    caja.fijaTexto(QStringLiteral("Comprobando Estructuras de Tablas"));
    caja.fijaBarra(1, true, 0, 13, 1);
    caja.fijaBarra(2, false, 0, 10, 1);
    caja.mostrar();
    ASSERT_TRUE(caja.Activo());
    TFProceso* v = caja.ventana();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->windowTitle(), QStringLiteral("Procesando..."));
    EXPECT_EQ(v->texto1()->text(), QStringLiteral("Comprobando Estructuras de Tablas"));
    EXPECT_TRUE(v->barra1()->isVisible());
    EXPECT_FALSE(v->barra2()->isVisible());
    EXPECT_FALSE(v->boton()->isVisible());
    EXPECT_EQ(v->barra1()->maximum(), 13);

    caja.fijaTexto2(QStringLiteral("T001"));
    caja.fijaPosicion(1, 4);
    EXPECT_EQ(v->texto2()->text(), QStringLiteral("T001"));
    EXPECT_EQ(v->barra1()->value(), 4);
    caja.avanza(1);
    EXPECT_EQ(v->barra1()->value(), 5);

    caja.ocultar();
    EXPECT_FALSE(caja.Activo());
    EXPECT_TRUE(caja.Texto().isEmpty());
    EXPECT_TRUE(caja.Titulo().isEmpty());
    EXPECT_EQ(caja.ventana(), nullptr);
}

TEST_F(Cajas, PosicionFueraDelRangoNoMueveLaBarra) {
    TProcessBox caja;
    caja.fijaBarra(1, true, 0, 10, 1);
    caja.fijaPosicion(1, 7);
    for (int fuera : {-1, 11, 100}) {
        caja.fijaPosicion(1, fuera);
        EXPECT_EQ(caja.barra(1).posicion, 7) << fuera;
    }
    caja.fijaPosicion(1, 10);
    caja.avanza(1);
    EXPECT_EQ(caja.barra(1).posicion, 10);
}

TEST_F(Cajas, BotonCancelarDesactivaLaCaja) {
    TProcessBox caja;
    caja.fijaTitulo(QStringLiteral("Exportando"));
    caja.fijaCancelar(true);
    caja.mostrar();
    EXPECT_EQ(caja.ventana()->windowTitle(), QStringLiteral("Exportando"));
    ASSERT_TRUE(caja.ventana()->boton()->isVisible());
    QTest::mouseClick(caja.ventana()->boton(), Qt::LeftButton);
    EXPECT_FALSE(caja.activo());
}

TEST_F(Cajas, LaAnimacionSoloCambiaConUnFicheroQueExiste) {
    const QString animacion = prueba::CarpetaPrueba::programaConstruido() + QStringLiteral("/Pcojo.gif");
    TProcessBox caja;
    caja.fijaAvi(animacion);
    EXPECT_EQ(caja.Avi(), animacion);
    caja.fijaAvi(animacion + QStringLiteral(".no"));
    EXPECT_EQ(caja.Avi(), animacion);
    caja.mostrar();
    QMovie* p = caja.ventana()->pelicula();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isValid());
    EXPECT_EQ(p->frameCount(), 16);
    EXPECT_EQ(p->state(), QMovie::Running);
    caja.ocultar();
}

TEST_F(Cajas, InteraccionVentanaPreguntaConLaCaja) {
    InteraccionVentana ui;
    QString titulo, texto;
    alAbrirseModal([&](QWidget* w) {
        titulo = w->windowTitle();
        texto = w->findChild<QLabel*>(QStringLiteral("Message"))->text();
        pulsa(w, "Reintentar");
    });
    EXPECT_TRUE(ui.reintentar(QStringLiteral("Uno\rDos")));
    EXPECT_EQ(titulo, QStringLiteral("Atención"));
    EXPECT_EQ(texto, QStringLiteral("Uno\nDos"));
    QString estado;
    ui.alEstado = [&](const QString& t) { estado = t; };
    ui.estado(QStringLiteral("Abriendo Partidas ..."));
    EXPECT_EQ(estado, QStringLiteral("Abriendo Partidas ..."));
    EXPECT_EQ(&ui.progreso(), static_cast<Progreso*>(&ui.cajaProceso()));
}
