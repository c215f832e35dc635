#include "tfimportar.h"

#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kz {
namespace {
constexpr int kAlto = 154, kAltoConErrores = 256, kAncho = 480;
}

TFImportar::TFImportar(TDM& dm, const QString& partidaEnUso, QWidget* padre)
    : QDialog(padre),
      dm_(dm),
      archivo_(new QLineEdit(this)),
      elegir_(new QPushButton(QStringLiteral("..."), this)),
      panel_(new QLabel(this)),
      barra_(new QProgressBar(this)),
      rotuloErrores_(new QLabel(QStringLiteral("Errores:"), this)),
      errores_(new QListWidget(this)),
      iniciar_(new QPushButton(QStringLiteral("Iniciar Proceso"), this)),
      cancelar_(new QPushButton(QStringLiteral("Cancelar"), this)),
      progreso_(panel_, barra_),
      interaccion_(dm.interaccion(), progreso_),
      importacion_(std::make_unique<Importacion>(dm, partidaEnUso, &interaccion_)) {
    setWindowTitle(QStringLiteral("Importar Datos"));
    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel(QStringLiteral("Archivo/s a Importar"), this));
    fila->addWidget(archivo_, 1);
    elegir_->setFixedWidth(28);
    fila->addWidget(elegir_);
    panel_->setFrameShape(QFrame::StyledPanel);
    barra_->setRange(0, 100);
    barra_->setValue(0);
    errores_->setSelectionMode(QAbstractItemView::NoSelection);
    rotuloErrores_->hide();
    errores_->hide();

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(iniciar_);
    botones->addWidget(cancelar_);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(fila);
    caja->addWidget(panel_);
    caja->addWidget(barra_);
    caja->addWidget(rotuloErrores_);
    caja->addWidget(errores_, 1);
    caja->addLayout(botones);
    setFixedSize(kAncho, kAlto);

    archivo_->installEventFilter(this);
    iniciar_->setDefault(true);
    connect(elegir_, &QPushButton::clicked, this, &TFImportar::EligeArchivo);
    connect(iniciar_, &QPushButton::clicked, this, &TFImportar::IniciarProceso);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    importacion_->alRegistrarError = [this](const QString& t) { registraError(t); };
}

TFImportar::~TFImportar() = default;

bool TFImportar::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == archivo_ && evento->type() == QEvent::MouseButtonDblClick) {
        EligeArchivo();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFImportar::EligeArchivo() {
    QFileDialog dialogo(this, QString(), dm_.carpetaPrograma(), QStringLiteral(".zlb (*.zlb)"));
    dialogo.setDefaultSuffix(QStringLiteral("zlb"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    if (dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty())
        archivo_->setText(dialogo.selectedFiles().first());
}

void TFImportar::registraError(const QString& texto) {
    if (errores_->isHidden()) {
        rotuloErrores_->show();
        errores_->show();
        setFixedSize(kAncho, kAltoConErrores);
    }
    errores_->addItem(texto);
}

void TFImportar::IniciarProceso() {
    iniciar_->setEnabled(false);
    cancelar_->setEnabled(false);
    exito_ = importacion_->ejecuta(archivo_->text().trimmed());
    accept();
}

bool TFImportar::Importar(TDM& dm, const QString& partidaEnUso, QWidget* padre) {
    TFImportar ventana(dm, partidaEnUso, padre);
    return ventana.exec() == QDialog::Accepted;
}

} // namespace kz
