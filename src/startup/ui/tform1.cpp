#include "tform1.h"

#include "database/tdm.h"
#include "framework/ui/tmessageform.h"
#include "startup/arranque.h"
#include "startup/tablasmapa.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace kz {

namespace {
// Widths of the status panels 1 to 7; panel 0 stretches over what they leave.
const int kAnchos[] = {0, 100, 35, 75, 75, 65, 35, 65};
} // namespace

TForm1::TForm1(Sesion& sesion, TDM& dm, QWidget* padre) : QMainWindow(padre), sesion_(sesion), dm_(dm) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gestor de VIRIZ"));
    QFont fuente(QStringLiteral("Arial"));
    fuente.setPixelSize(11);
    setFont(fuente);

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox_->setWidgetResizable(false);
    setCentralWidget(scrollBox_);

    construyeMenu();
    construyeBarraTurno();
    construyeBarraEstado();
    activaMenus(false);
    setEnabled(false);

    // Ctrl+Alt+F8 brings back a menu left disabled.
    auto* recupera = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F8), this);
    recupera->setContext(Qt::ApplicationShortcut);
    connect(recupera, &QShortcut::activated, this, [this] { if (sesion_.arranqueTerminado) activaMenus(true); });
}

QAction* TForm1::comando(QMenu* menu, const QString& texto, bool etiqueta3, std::function<void()> f) {
    QAction* a = menu->addAction(texto);
    a->setObjectName(texto);
    acciones_.insert(texto, a);
    if (etiqueta3) etiqueta3_ << a;
    if (f) connect(a, &QAction::triggered, this, [this, f] { if (sesion_.arranqueTerminado) f(); });
    else a->setVisible(false);   // until the screen that serves it is connected
    return a;
}

void TForm1::conecta(const QString& texto, std::function<void()> f) {
    QAction* a = accion(texto);
    if (!a) return;
    disconnect(a, &QAction::triggered, this, nullptr);
    connect(a, &QAction::triggered, this, [this, f] { if (sesion_.arranqueTerminado) f(); });
    a->setVisible(true);
}

void TForm1::construyeMenu() {
    QMenuBar* barra = menuBar();
    auto menu = [&](const QString& t) {
        QMenu* m = barra->addMenu(t);
        m->setObjectName(t);
        etiqueta3_ << m->menuAction();
        return m;
    };
    QMenu* aplicacion = menu(QStringLiteral("Aplicación"));
    QAction* salir = comando(aplicacion, QStringLiteral("Salir"), true, [this] { close(); });
    salir->setShortcut(QKeySequence(Qt::Key_Escape));

    QMenu* tablas = menu(QStringLiteral("Tablas"));
    comando(tablas, QStringLiteral("Acertijos"), false);
    tablas->addSeparator();
    for (const char* t : {"Centros Población", "Fortificaciones", "Muelles", "Terreno"})
        comando(tablas, QString::fromUtf8(t), true);
    comando(tablas, QStringLiteral("Climas"), false);

    QMenu* partidas = menu(QStringLiteral("Partidas"));
    comando(partidas, QStringLiteral("Seleccionar/Gestionar Partidas"), false, [this] {
        if (arranque_) arranque_->catalogo().elige(false);
    });
    comando(partidas, QStringLiteral("Nueva Partida"), true, [this] {
        if (arranque_) arranque_->catalogo().nueva();
    });

    QMenu* activa = menu(QStringLiteral("Partida Activa"));
    comando(activa, QStringLiteral("Paises"), true);
    activa->addSeparator();
    for (const char* t : {"Centros Poblacion", "Personajes", "Ejercitos"}) comando(activa, QString::fromLatin1(t), true);
    activa->addSeparator();
    comando(activa, QStringLiteral("Artefactos"), false);
    comando(activa, QStringLiteral("Ubicacion Artefactos"), true);

    QMenu* utilidades = menu(QStringLiteral("Utilidades"));
    lector_ = comando(utilidades, QStringLiteral("LectorKZ"), false, [this] { arrancaPrograma(QStringLiteral("lectorkz")); });
    editor_ = comando(utilidades, QStringLiteral("Hacedor de Turnos"), false,
                      [this] { arrancaPrograma(QStringLiteral("editkz")); });
    separadorProgramas_ = utilidades->addSeparator();
    for (const char* t : {"Heredar Datos", "Importar Datos", "Exportar Datos", "Exportar Mapa"})
        comando(utilidades, QString::fromLatin1(t), false);

    QMenu* ayuda = menu(QStringLiteral("Ayuda"));
    comando(ayuda, QStringLiteral("Ayuda"), true, [] {
        if (TMessageForm::alPedirAyuda()) TMessageForm::alPedirAyuda()(10);
    });
    comando(ayuda, QStringLiteral("Sobre..."), true, [] {
        MensajeDlg(QStringLiteral("GestorKZ 2.3\rGestor de VIRIZ"), mtPersonal, boton(mbOK), 0, mbOK);
    });
    muestraProgramas(false, false);
}

void TForm1::construyeBarraTurno() {
    QToolBar* barra = addToolBar(QStringLiteral("Turno"));
    barra->setObjectName(QStringLiteral("CoolBar1"));
    barra->addWidget(new QLabel(QStringLiteral("Turno "), barra));
    cbTurno_ = new QComboBox(barra);
    cbTurno_->setObjectName(QStringLiteral("CBTurno"));
    cbTurno_->setMinimumContentsLength(4);
    barra->addWidget(cbTurno_);
    rellenar_ = new QPushButton(QStringLiteral("Rellenar Mapa"), barra);
    rellenar_->setObjectName(QStringLiteral("Button1"));
    barra->addWidget(rellenar_);
    // Only a choice made by the user changes the turn; filling the list does not.
    connect(cbTurno_, &QComboBox::activated, this, [this](int) {
        const QString t = cbTurno_->currentText();
        if (t.isEmpty()) return;
        sesion_.turno = t;
        dibujaMapa();
    });
    connect(rellenar_, &QPushButton::clicked, this, [this] { rellenarMapa(); });
}

void TForm1::construyeBarraEstado() {
    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("StatusBar1"));
    barra->setSizeGripEnabled(false);
    for (int i = 0; i < 8; ++i) {
        auto* l = new QLabel(barra);
        l->setObjectName(QStringLiteral("Panel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | (i == 7 ? QFrame::Raised : QFrame::Sunken));
        if (i == 2 || i == 5 || i == 6) l->setAlignment(Qt::AlignCenter);
        if (i > 0) l->setFixedWidth(kAnchos[i]);
        barra->addPermanentWidget(l, i == 0 ? 1 : 0);
        paneles_ << l;
    }
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] { reloj(); });
    timer_->start();
    reloj();
}

void TForm1::reloj() {
    const QDateTime ahora = QDateTime::currentDateTime();
    paneles_[5]->setText(QLocale::system().toString(ahora.date(), QLocale::ShortFormat));
    paneles_[6]->setText(ahora.toString(QStringLiteral("hh:mm")));
}

void TForm1::mensajeEstado(const QString& texto) {
    paneles_[0]->setText(texto);
    paneles_[0]->repaint();
}

void TForm1::muestraProgramas(bool lector, bool editor) {
    lector_->setVisible(lector);
    editor_->setVisible(editor);
    separadorProgramas_->setVisible(lector || editor);
}

void TForm1::activaMenus(bool si) {
    for (QAction* a : etiqueta3_) a->setEnabled(si);
    menusActivos_ = si;
}

void TForm1::muestraPartida(const QString& codigo) { paneles_[2]->setText(codigo); }

void TForm1::muestraTurnos(const QStringList& turnos, const QString& actual) {
    cbTurno_->clear();
    cbTurno_->addItems(turnos);
    cbTurno_->setCurrentIndex(turnos.indexOf(actual));
}

void TForm1::muestraTurno(const QString& turno) {
    const int i = cbTurno_->findText(turno);
    if (i >= 0) cbTurno_->setCurrentIndex(i);
    else cbTurno_->setEditText(turno);
}

void TForm1::dibujaMapa() {
    if (alDibujarMapa) alDibujarMapa();
}

void TForm1::fijaMapa(QWidget* mapa) { scrollBox_->setWidget(mapa); }

void TForm1::habilita() {
    setEnabled(true);
    activateWindow();
    setFocus();
}

void TForm1::procesaEventos() { QApplication::processEvents(); }

// "Rellenar Mapa": the map tables are closed and opened again, then the list and the map.
void TForm1::rellenarMapa() {
    if (!sesion_.arranqueTerminado) return;
    muestraPartida(sesion_.partida);
    muestraTurno(sesion_.turno);
    TablasMapa::cierra(dm_);
    if (!TablasMapa::abre(dm_)) return;
    sesion_.turno = TablasMapa::rellenaTurnos(dm_, *this);
    dibujaMapa();
}

void TForm1::arrancaPrograma(const QString& nombre) {
    QProcess::startDetached(sesion_.carpetaPrograma + QLatin1Char('/') + nombre, {}, sesion_.carpetaPrograma);
}

void TForm1::closeEvent(QCloseEvent* e) {
    // Refused while the start-up runs, while a data screen is open (menus disabled) or while
    // another window is in front.
    QWidget* modal = QApplication::activeModalWidget();
    if (!sesion_.arranqueTerminado || !menusActivos_ || (modal && modal != this) || !arranque_) {
        e->ignore();
        return;
    }
    if (arranque_->preguntaSalir()) e->accept();
    else e->ignore();
}

} // namespace kz
