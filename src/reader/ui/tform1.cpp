#include "tform1.h"

#include "framework/ui/interaccionventana.h"
#include "reader/catalogolector.h"
#include "reader/textoinforme.h"
#include "ventanaayuda.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStorageInfo>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace kz {

namespace {

enum ColumnaFichero { cNombre = 0, cEstado = 1, cFecha = 2, cTamano = 3 };
enum DatoFichero { dRuta = Qt::UserRole, dBytes, dFecha, dEstado };

constexpr int kAnchoFecha = 125;
constexpr int kPanelAutomatico = 0;
constexpr int kPanelManual = 1;

// The two state pictures of the file list: 0 read, 1 error.
QIcon iconoEstado(int icono) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(icono == 0 ? QColor(0x2e, 0x9d, 0x3a) : QColor(0xd0, 0x2b, 0x2b));
    g.drawEllipse(QRectF(1, 1, 14, 14));
    g.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (icono == 0) {
        g.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
    } else {
        g.drawLine(QPointF(5, 5), QPointF(11, 11));
        g.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return QIcon(p);
}

// A row of the file list, sorted by the column the header says: names without regard to case,
// states as text, dates as dates and sizes as kilobytes.
class ItemFichero : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& otro) const override {
        const int columna = treeWidget() ? treeWidget()->sortColumn() : cNombre;
        switch (columna) {
        case cEstado: return text(cEstado) < otro.text(cEstado);
        case cFecha: return data(0, dFecha).toDateTime() < otro.data(0, dFecha).toDateTime();
        case cTamano:
            return CarpetaPdfs::Kilobytes(data(0, dBytes).toLongLong()) <
                   CarpetaPdfs::Kilobytes(otro.data(0, dBytes).toLongLong());
        default: return text(cNombre).compare(otro.text(cNombre), Qt::CaseInsensitive) < 0;
        }
    }
};

QString conBarra(const QString& carpeta) {
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + QLatin1Char('/');
}

} // namespace

namespace lector {

const QString TForm1::kTitulo = QStringLiteral("LectorKZ v2.3.1 - Lector  de Turnos ");

TForm1::TForm1(const QString& carpetaPrograma, Interaccion* interaccion, QWidget* padre)
    : QMainWindow(padre),
      propia_(interaccion ? nullptr : std::make_unique<InteraccionVentana>()),
      ui_(interaccion ? *interaccion : *propia_),
      base_(carpetaPrograma),
      dm_(ui_),
      lector_(dm_, carpetaPrograma),
      proceso_(lector_, carpetaPrograma, ui_),
      lista_(carpetaPrograma) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitulo);
    dm_.fijaCarpetaPrograma(base_);
    lector_.alAnadirLog = [this](const QString& t) { anadeLog(t); };

    eligeCarpeta = [this](const QString& titulo, const QString& inicial) {
        return QFileDialog::getExistingDirectory(this, titulo, inicial);
    };
    eligeFicheroLog = [this](const QString& titulo, const QString& nombre) {
        QFileDialog d(this, titulo, QString(), QStringLiteral("Ficheros de texto (*.txt);;Todos los ficheros (*)"));
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QStringLiteral("txt"));
        d.selectFile(nombre);
        return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
    };
    abreFichero = [](const QString& ruta) { return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta)); };
    aPapelera = [](const QString& ruta) { return QFile::moveToTrash(ruta); };

    creaMenus();
    creaBarra();
    paneles_ = new QStackedWidget(this);
    paneles_->setObjectName(QStringLiteral("Paneles"));
    paneles_->addWidget(creaPanelAutomatico());
    paneles_->addWidget(creaPanelManual());
    setCentralWidget(paneles_);
    creaBarraEstado();
    resize(900, 620);

    CargarPartidas();
    MuestraAutomatico();
}

TForm1::~TForm1() { dm_.CerrarTodas(); }

// ---------------------------------------------------------------- construction

void TForm1::creaMenus() {
    QMenu* aplicacion = menuBar()->addMenu(QStringLiteral("&Aplicacion"));
    aplicacion->setObjectName(QStringLiteral("Aplicacion1"));
    QAction* salir = aplicacion->addAction(QStringLiteral("&Salir"), this, &QWidget::close);
    salir->setObjectName(QStringLiteral("Salir1"));

    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("A&yuda"));
    ayuda->setObjectName(QStringLiteral("Ayuda1"));
    QAction* verAyuda = ayuda->addAction(QStringLiteral("&Ayuda"), this, &TForm1::MuestraAyuda);
    verAyuda->setObjectName(QStringLiteral("Ayuda2"));
    verAyuda->setShortcut(QKeySequence::HelpContents);
    QAction* sobre = ayuda->addAction(QStringLiteral("&Sobre..."), this, &TForm1::MuestraSobre);
    sobre->setObjectName(QStringLiteral("Sobre1"));
}

QToolButton* TForm1::botonBarra(const QString& nombre, const QString& texto) {
    auto* b = new QToolButton(barra_);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    barra_->addWidget(b);
    return b;
}

QPushButton* TForm1::boton(const QString& nombre, const QString& texto) {
    auto* b = new QPushButton(texto);
    b->setObjectName(nombre);
    return b;
}

void TForm1::creaBarra() {
    barra_ = addToolBar(QStringLiteral("Herramientas"));
    barra_->setObjectName(QStringLiteral("ToolBar1"));
    barra_->setMovable(false);
    connect(botonBarra(QStringLiteral("ToolButtonSelNL"), QStringLiteral("No Leidos")), &QToolButton::clicked, this,
            [this] { SeleccionaPorEstado(true, false); });
    connect(botonBarra(QStringLiteral("ToolButtonSelL"), QStringLiteral("Leidos")), &QToolButton::clicked, this,
            [this] { SeleccionaPorEstado(false, true); });
    connect(botonBarra(QStringLiteral("ToolButtonSelT"), QStringLiteral("Todos")), &QToolButton::clicked, this,
            [this] { SeleccionaPorEstado(true, true); });
    botonBarra(QStringLiteral("ToolButton4"), QStringLiteral("Erroneos"));   // has no action
    barra_->addSeparator();
    connect(botonBarra(QStringLiteral("ToolButtonEjercutar"), QStringLiteral("Leer")), &QToolButton::clicked, this,
            &TForm1::Leer);
    regenerar_ = new QCheckBox(QStringLiteral("Regenerar TXT"), barra_);
    regenerar_->setObjectName(QStringLiteral("cbRegenerarTXT"));
    barra_->addWidget(regenerar_);
    barra_->addSeparator();
    connect(botonBarra(QStringLiteral("ToolButton3"), QStringLiteral("Path")), &QToolButton::clicked, this,
            &TForm1::CambiaPath);
    connect(botonBarra(QStringLiteral("ToolButton6"), QStringLiteral("Manual")), &QToolButton::clicked, this,
            &TForm1::MuestraManual);
}

QWidget* TForm1::creaPanelAutomatico() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PanelAutomatico"));

    partidas_ = new QTreeWidget;
    partidas_->setObjectName(QStringLiteral("LVPartidas"));
    partidas_->setHeaderLabels({QStringLiteral("Partida"), QStringLiteral("Path")});
    partidas_->setRootIsDecorated(false);
    partidas_->setColumnWidth(0, 60);
    connect(partidas_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* actual, QTreeWidgetItem*) { seleccionaPartida(actual); });
    connect(partidas_, &QTreeWidget::itemDoubleClicked, this, [this] { CambiaPath(); });

    ficheros_ = new QTreeWidget;
    ficheros_->setObjectName(QStringLiteral("ListView"));
    ficheros_->setRootIsDecorated(false);
    ficheros_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ficheros_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ficheros_->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Estado"), QStringLiteral("Fecha"),
                                QString::fromUtf8("Tamaño")});
    for (auto [columna, ancho] : {std::pair{cNombre, 165}, {cEstado, 75}, {cFecha, kAnchoFecha}, {cTamano, 75}})
        ficheros_->setColumnWidth(columna, ancho);
    ficheros_->header()->setStretchLastSection(false);
    ficheros_->headerItem()->setTextAlignment(cTamano, Qt::AlignRight | Qt::AlignVCenter);
    ficheros_->setSortingEnabled(true);
    ficheros_->sortByColumn(cNombre, Qt::AscendingOrder);
    ficheros_->installEventFilter(this);
    connect(ficheros_, &QTreeWidget::itemSelectionChanged, this, &TForm1::ActualizaBarraEstado);
    connect(ficheros_, &QTreeWidget::itemDoubleClicked, this, [this] { AbreFicheroActual(); });

    memoLog_ = new QPlainTextEdit;
    memoLog_->setObjectName(QStringLiteral("MemoLog"));
    memoLog_->setReadOnly(true);
    memoLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPushButton* guardar = boton(QStringLiteral("BitBtn1"), QStringLiteral("Guardar Log"));
    connect(guardar, &QPushButton::clicked, this, &TForm1::GuardarLog);

    auto* cajaLog = new QWidget;
    auto* capaLog = new QVBoxLayout(cajaLog);
    capaLog->setContentsMargins(0, 0, 0, 0);
    capaLog->addWidget(memoLog_);
    auto* filaBoton = new QHBoxLayout;
    filaBoton->addStretch();
    filaBoton->addWidget(guardar);
    capaLog->addLayout(filaBoton);

    auto* derecha = new QSplitter(Qt::Vertical);
    derecha->addWidget(ficheros_);
    derecha->addWidget(cajaLog);
    derecha->setStretchFactor(0, 3);
    derecha->setStretchFactor(1, 2);
    auto* division = new QSplitter(Qt::Horizontal);
    division->addWidget(partidas_);
    division->addWidget(derecha);
    division->setStretchFactor(1, 1);
    division->setSizes({240, 660});

    auto* capa = new QVBoxLayout(panel);
    capa->setContentsMargins(4, 4, 4, 4);
    capa->addWidget(division);
    return panel;
}

QWidget* TForm1::creaPanelManual() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PanelManual"));

    texto_ = new QPlainTextEdit;
    texto_->setObjectName(QStringLiteral("MemoTurno"));
    texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texto_->setPlaceholderText(QStringLiteral("Pegue aquí el texto del informe de turno"));
    menuTexto_ = new QMenu(texto_);
    menuTexto_->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* cortar = menuTexto_->addAction(QStringLiteral("Cor&tar"), texto_, &QPlainTextEdit::cut);
    cortar->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* copiar = menuTexto_->addAction(QStringLiteral("&Copiar"), texto_, &QPlainTextEdit::copy);
    copiar->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* pegar = menuTexto_->addAction(QStringLiteral("&Pegar"), texto_, &QPlainTextEdit::paste);
    pegar->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    menuTexto_->addAction(QStringLiteral("Seleccionar todo"), texto_, &QPlainTextEdit::selectAll);
    texto_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(texto_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& punto) { menuTexto_->popup(texto_->mapToGlobal(punto)); });

    QPushButton* pegarBoton = boton(QStringLiteral("Button1"), QStringLiteral("Pegar del CortaPapeles"));
    connect(pegarBoton, &QPushButton::clicked, this, &TForm1::PegarDelCortaPapeles);
    QPushButton* vaciar = boton(QStringLiteral("Button3"), QStringLiteral("Vaciar el Texto"));
    connect(vaciar, &QPushButton::clicked, this, &TForm1::VaciarTexto);

    auto* secciones = new QGroupBox(QStringLiteral("Secciones"));
    auto* capaSecciones = new QVBoxLayout(secciones);
    auto casilla = [&](QCheckBox*& c, const char* nombre, const char* texto) {
        c = new QCheckBox(QString::fromUtf8(texto));
        c->setObjectName(QString::fromLatin1(nombre));
        c->setChecked(true);
        capaSecciones->addWidget(c);
    };
    casilla(cbPaises_, "CBPaises", "Paises");
    casilla(cbCenPob_, "CBCenPob", "Centros de Población");
    casilla(cbPjs_, "CBPjs", "Personajes");
    casilla(cbEjercitos_, "CBEjercitos", "Ejercitos");
    casilla(cbMensajes_, "CBMensajes", "Mensajes Internos");

    QPushButton* iniciar = boton(QStringLiteral("BitBtn5"), QStringLiteral("Iniciar Proceso"));
    connect(iniciar, &QPushButton::clicked, this, &TForm1::IniciarProceso);
    QPushButton* automatico = boton(QStringLiteral("BitBtn4"), QStringLiteral("Automatico"));
    connect(automatico, &QPushButton::clicked, this, &TForm1::MuestraAutomatico);

    auto* columna = new QVBoxLayout;
    columna->addWidget(pegarBoton);
    columna->addWidget(vaciar);
    columna->addWidget(secciones);
    columna->addStretch();
    columna->addWidget(iniciar);
    columna->addWidget(automatico);

    memoLog2_ = new QPlainTextEdit;
    memoLog2_->setObjectName(QStringLiteral("MemoLog2"));
    memoLog2_->setReadOnly(true);
    memoLog2_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPushButton* guardar = boton(QStringLiteral("BitBtn2"), QStringLiteral("Guardar Log"));
    connect(guardar, &QPushButton::clicked, this, &TForm1::GuardarLog);

    auto* arriba = new QWidget;
    auto* capaArriba = new QHBoxLayout(arriba);
    capaArriba->setContentsMargins(0, 0, 0, 0);
    capaArriba->addWidget(texto_, 1);
    capaArriba->addLayout(columna);
    auto* abajo = new QWidget;
    auto* capaAbajo = new QVBoxLayout(abajo);
    capaAbajo->setContentsMargins(0, 0, 0, 0);
    capaAbajo->addWidget(memoLog2_);
    auto* filaBoton = new QHBoxLayout;
    filaBoton->addStretch();
    filaBoton->addWidget(guardar);
    capaAbajo->addLayout(filaBoton);

    auto* division = new QSplitter(Qt::Vertical);
    division->addWidget(arriba);
    division->addWidget(abajo);
    division->setStretchFactor(0, 3);
    division->setStretchFactor(1, 2);
    auto* capa = new QVBoxLayout(panel);
    capa->setContentsMargins(4, 4, 4, 4);
    capa->addWidget(division);
    return panel;
}

void TForm1::creaBarraEstado() {
    panel1_ = new QLabel;
    panel1_->setObjectName(QStringLiteral("StatusBarPanel1"));
    panel1_->setMinimumWidth(260);
    panel2_ = new QLabel;
    panel2_->setObjectName(QStringLiteral("StatusBarPanel2"));
    progreso_ = new QProgressBar;
    progreso_->setObjectName(QStringLiteral("ProgressBar1"));
    progreso_->setMaximumWidth(160);
    progreso_->setVisible(false);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(panel1_);
    statusBar()->addWidget(panel2_, 1);
    statusBar()->addPermanentWidget(progreso_);
}

// ---------------------------------------------------------------- games and files

void TForm1::CargarPartidas() {
    QString error;
    if (!lista_.carga(error)) ui_.aviso(error, mtError);
    partidas_->clear();
    for (const PartidaLector& p : CatalogoLector::CargarPartidas(dm_, base_, lista_))
        new QTreeWidgetItem(partidas_, {p.codigo, p.carpeta});
    for (int i = 0; i < partidas_->topLevelItemCount(); ++i)
        partidas_->topLevelItem(i)->setToolTip(1, partidas_->topLevelItem(i)->text(1));
    if (!partidas_->currentItem() && partidas_->topLevelItemCount() > 0)
        partidas_->setCurrentItem(partidas_->topLevelItem(0));
}

QString TForm1::partidaSeleccionada() const {
    return partidas_->currentItem() ? partidas_->currentItem()->text(0) : QString();
}

void TForm1::seleccionaPartida(QTreeWidgetItem* item) {
    if (!item) {
        carpetaPdf_.clear();
        RellenaFicheros();
        return;
    }
    carpetaPdf_ = conBarra(item->text(1));
    if (!QDir().mkpath(carpetaPdf_))
        ui_.aviso(QStringLiteral("No se puede crear la carpeta ") + carpetaPdf_ + QLatin1Char('.'), mtError);
    proceso_.codigoPartida = item->text(0);
    RellenaFicheros();
}

void TForm1::RellenaFicheros() {
    const int columna = ficheros_->sortColumn();
    const Qt::SortOrder orden = ficheros_->header()->sortIndicatorOrder();
    ficheros_->setSortingEnabled(false);
    ficheros_->clear();
    if (!carpetaPdf_.isEmpty()) {
        for (const FicheroPdf& f : CarpetaPdfs::Lista(carpetaPdf_, proceso_.carpetaSalida())) {
            auto* item = new ItemFichero(ficheros_);
            item->setText(cNombre, f.nombre);
            item->setText(cFecha, CarpetaPdfs::TextoFecha(f.fecha));
            item->setText(cTamano, CarpetaPdfs::TextoTamano(f.bytes));
            item->setTextAlignment(cTamano, Qt::AlignRight | Qt::AlignVCenter);
            item->setData(0, dRuta, f.ruta);
            item->setData(0, dBytes, f.bytes);
            item->setData(0, dFecha, f.fecha);
            ponEstado(item, f.estado);
        }
    }
    ficheros_->setSortingEnabled(true);
    ficheros_->sortByColumn(columna, orden);
    // The date and time must be readable whatever the font and the time format.
    ficheros_->resizeColumnToContents(cFecha);
    if (ficheros_->columnWidth(cFecha) < kAnchoFecha) ficheros_->setColumnWidth(cFecha, kAnchoFecha);
    if (ficheros_->topLevelItemCount() > 0 && ficheros_->selectedItems().isEmpty()) {
        ficheros_->setCurrentItem(ficheros_->topLevelItem(0));
        ficheros_->topLevelItem(0)->setSelected(true);
    }
    ActualizaBarraEstado();
    ui_.procesaEventos();
}

void TForm1::ponEstado(QTreeWidgetItem* item, EstadoPdf estado) {
    item->setText(cEstado, FicherosInforme::textoEstado(estado));
    item->setData(0, dEstado, int(estado));
    const int icono = FicherosInforme::icono(estado);
    item->setIcon(cNombre, icono < 0 ? QIcon() : iconoEstado(icono));
}

void TForm1::ActualizaBarraEstado() {
    const int total = ficheros_->topLevelItemCount();
    const QList<QTreeWidgetItem*> sel = ficheros_->selectedItems();
    qint64 bytes = 0;
    for (const QTreeWidgetItem* i : sel) bytes += i->data(0, dBytes).toLongLong();
    panel1_->setText(CarpetaPdfs::TextoObjetos(total, int(sel.size())));
    const qint64 libres = carpetaPdf_.isEmpty() ? 0 : QStorageInfo(carpetaPdf_).bytesAvailable();
    panel2_->setText(CarpetaPdfs::TextoEspacio(int(sel.size()), bytes, libres));
}

void TForm1::SeleccionaPorEstado(bool noLeidos, bool leidos) {
    for (int i = 0; i < ficheros_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ficheros_->topLevelItem(i);
        const auto estado = EstadoPdf(item->data(0, dEstado).toInt());
        item->setSelected((noLeidos && estado == EstadoPdf::NoLeido) || (leidos && estado == EstadoPdf::Leido));
    }
    ActualizaBarraEstado();
}

QList<QTreeWidgetItem*> TForm1::seleccionadosEnOrden() const {
    QList<QTreeWidgetItem*> r;
    for (int i = 0; i < ficheros_->topLevelItemCount(); ++i)
        if (ficheros_->topLevelItem(i)->isSelected()) r << ficheros_->topLevelItem(i);
    return r;
}

void TForm1::CambiaPath() {
    if (ejecutando_) return;
    QTreeWidgetItem* item = partidas_->currentItem();
    if (!item) {
        ui_.aviso(QStringLiteral("Debe selecionar una partida."), mtAviso);
        return;
    }
    const QString elegida = eligeCarpeta(QStringLiteral("Seleccione el Diretorio donde estan los Ficheros .pdf"), item->text(1));
    if (elegida.isEmpty()) return;
    const QString carpeta = QDir::cleanPath(elegida);
    item->setText(1, carpeta);
    item->setToolTip(1, carpeta);
    lista_.fija(item->text(0), carpeta);
    QString error;
    if (!lista_.guarda(error)) ui_.aviso(error, mtError);
    seleccionaPartida(item);
}

// ---------------------------------------------------------------- reading

void TForm1::aplicaSecciones() {
    lector_.secciones = SeccionesLectura{cbPaises_->isChecked(), cbCenPob_->isChecked(), cbPjs_->isChecked(),
                                         cbEjercitos_->isChecked(), cbMensajes_->isChecked()};
}

void TForm1::anadeLog(const QString& texto) {
    if (logActivo_) logActivo_->appendPlainText(texto);
    ui_.procesaEventos();
}

void TForm1::empiezaTrabajo(QPlainTextEdit* log, int total) {
    ejecutando_ = true;
    cerrarAlTerminar_ = false;
    logActivo_ = log;
    aplicaSecciones();
    barra_->setEnabled(false);
    menuBar()->setEnabled(false);
    paneles_->setEnabled(false);
    progreso_->setRange(0, total);
    progreso_->setValue(0);
    progreso_->setVisible(total > 1);
}

void TForm1::terminaTrabajo() {
    ejecutando_ = false;
    logActivo_ = nullptr;
    barra_->setEnabled(true);
    menuBar()->setEnabled(true);
    paneles_->setEnabled(true);
    progreso_->setVisible(false);
    if (cerrarAlTerminar_) close();
}

void TForm1::Leer() {
    if (ejecutando_) return;
    const QList<QTreeWidgetItem*> seleccion = seleccionadosEnOrden();
    if (seleccion.isEmpty()) {
        ui_.aviso(QStringLiteral("No hay ningun fichero seleccionado."), mtAviso);
        return;
    }
    empiezaTrabajo(memoLog_, int(seleccion.size()));
    proceso_.codigoPartida = partidaSeleccionada();
    proceso_.regenerarTxt = regenerar_->isChecked();
    int hechos = 0;
    for (QTreeWidgetItem* item : seleccion) {
        if (cerrarAlTerminar_) break;
        ficheros_->scrollToItem(item);
        panel1_->setText(QStringLiteral("Leyendo %1 (%2 de %3)...").arg(item->text(cNombre)).arg(hechos + 1).arg(seleccion.size()));
        ui_.procesaEventos();
        ponEstado(item, proceso_.ProcesaItem(item->data(0, dRuta).toString()));
        progreso_->setValue(++hechos);
    }
    terminaTrabajo();
    ActualizaBarraEstado();
}

void TForm1::IniciarProceso() {
    if (ejecutando_) return;
    empiezaTrabajo(memoLog2_, 1);
    lector_.LeeTurnoLista(LineasDeTexto(texto_->toPlainText()));
    terminaTrabajo();
    ui_.aviso(QStringLiteral("Fin del Proceso"), mtInformacion);
    texto_->clear();
}

void TForm1::MuestraManual() {
    paneles_->setCurrentIndex(kPanelManual);
    barra_->setVisible(false);
}

void TForm1::MuestraAutomatico() {
    paneles_->setCurrentIndex(kPanelAutomatico);
    barra_->setVisible(true);
    for (QCheckBox* c : {cbPaises_, cbCenPob_, cbPjs_, cbEjercitos_, cbMensajes_}) c->setChecked(true);
}

void TForm1::PegarDelCortaPapeles() { texto_->paste(); }

void TForm1::VaciarTexto() { texto_->clear(); }

QPlainTextEdit* TForm1::logVisible() const {
    return paneles_->currentIndex() == kPanelManual ? memoLog2_ : memoLog_;
}

void TForm1::GuardarLog() {
    const QString ruta = eligeFicheroLog(QStringLiteral("Guardar Fichero de Log"), QStringLiteral("LectorLog"));
    if (ruta.isEmpty()) return;
    QString texto = logVisible()->toPlainText();
    if (!texto.isEmpty()) texto += QLatin1Char('\n');
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto.toUtf8()) < 0 || !f.commit())
        ui_.aviso(QStringLiteral("No se puede guardar el fichero %1: %2").arg(ruta, f.errorString()), mtError);
}

// ---------------------------------------------------------------- file list keys

void TForm1::AbreFicheroActual() {
    QTreeWidgetItem* item = ficheros_->currentItem();
    if (!item) return;
    if (!abreFichero(item->data(0, dRuta).toString()))
        ui_.aviso(QStringLiteral("ERROR - No se puede ") + QStringLiteral("Open") + QStringLiteral(" el fichero ") +
                      item->text(cNombre),
                  mtError);
}

void TForm1::EnviaAPapelera() {
    const QList<QTreeWidgetItem*> seleccion = seleccionadosEnOrden();
    if (seleccion.isEmpty()) return;
    const QString pregunta =
        seleccion.size() == 1
            ? QStringLiteral("¿Está seguro de que desea enviar \"%1\" a la Papelera de reciclaje?").arg(seleccion.first()->text(cNombre))
            : QStringLiteral("¿Está seguro de que desea enviar estos %1 elementos a la Papelera de reciclaje?").arg(seleccion.size());
    if (ui_.pregunta(pregunta, mtConfirmacion, kz::boton(mbSi) | kz::boton(mbNo), mbSi) != mrSi) return;
    QStringList fallidos;
    for (QTreeWidgetItem* item : seleccion)
        if (!aPapelera(item->data(0, dRuta).toString())) fallidos << item->text(cNombre);
    if (!fallidos.isEmpty())
        ui_.aviso(QStringLiteral("No se pudo enviar a la Papelera de reciclaje: ") + fallidos.join(QStringLiteral(", ")), mtError);
    RellenaFicheros();
}

bool TForm1::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == ficheros_ && evento->type() == QEvent::KeyPress && !ejecutando_) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool control = tecla->modifiers() & Qt::ControlModifier;
        switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: AbreFicheroActual(); return true;
        case Qt::Key_O:
            if (!control) break;
            AbreFicheroActual();
            return true;
        case Qt::Key_A:
            if (!control) break;
            ficheros_->selectAll();
            return true;
        case Qt::Key_Delete: EnviaAPapelera(); return true;
        case Qt::Key_F2: ui_.aviso(QString::fromUtf8("Es de sólo lectura"), mtInformacion); return true;
        default: break;
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TForm1::closeEvent(QCloseEvent* evento) {
    if (ejecutando_) {
        // The file being read is read to its end; the window closes when the run stops.
        cerrarAlTerminar_ = true;
        evento->ignore();
        return;
    }
    if (ayuda_) ayuda_->close();
    QMainWindow::closeEvent(evento);
}

// ---------------------------------------------------------------- help

void TForm1::MuestraAyuda() {
    if (!ayuda_) ayuda_ = new VentanaAyuda(this);
    const QString pagina = base_ + QStringLiteral("/Help/LectorKZ.html");
    if (!ayuda_->muestra(pagina, 1))
        ui_.aviso(QStringLiteral("No se encuentra el fichero de ayuda ") + pagina + QLatin1Char('.'), mtError);
}

void TForm1::MuestraSobre() {
    ui_.aviso(QStringLiteral("LectorKZ v2.3.1 - Lector de Turnos") + QStringLiteral("\r\r") +
                  QStringLiteral("Lee los informes de turno en PDF (convertidos con Ghostscript) o pegados como texto "
                                 "y guarda sus datos en las tablas de la partida de GestorKZ.") +
                  QStringLiteral("\r\r") + QStringLiteral("Carpeta del programa: ") + base_,
              mtInformacion);
}

} // namespace lector
} // namespace kz
