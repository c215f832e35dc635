#include "tfproceso.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace kz {

TFProceso::TFProceso(QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("FProceso"));
    setWindowTitle(QStringLiteral("Procesando..."));
    setFixedSize(258, 181);

    marco_ = new QFrame(this);
    marco_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    marco_->setGeometry(8, 8, 241, 97);
    animacion_ = new QLabel(this);
    animacion_->setObjectName(QStringLiteral("Animate1"));
    animacion_->setGeometry(16, 16, 224, 81);
    animacion_->setAlignment(Qt::AlignCenter);

    auto texto = [this](const char* nombre, int y) {
        auto* l = new QLabel(QStringLiteral("Espere, por favor"), this);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setGeometry(8, y, 241, 17);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto barra = [this](const char* nombre, int y) {
        auto* b = new QProgressBar(this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(16, y, 225, 16);
        b->setTextVisible(false);
        b->hide();
        return b;
    };
    texto1_ = texto("Label1", 112);
    barra1_ = barra("ProgressBar1", 128);
    texto2_ = texto("Label2", 144);
    barra2_ = barra("ProgressBar2", 160);

    boton_ = new QPushButton(QStringLiteral("Cancelar"), this);
    boton_->setObjectName(QStringLiteral("BitBtn1"));
    boton_->setGeometry(88, 148, 81, 25);
    boton_->hide();
    connect(boton_, &QPushButton::clicked, this, &TFProceso::cancelado);

    QScreen* s = QGuiApplication::primaryScreen();
    const QRect pantalla = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    move(pantalla.x() + (pantalla.width() - width()) / 2, pantalla.y() + (pantalla.height() - height()) / 2);
}

void TFProceso::reproduce(const QString& fichero) {
    if (pelicula_) {
        pelicula_->stop();
        animacion_->setMovie(nullptr);
        delete pelicula_;
        pelicula_ = nullptr;
    }
    if (fichero.isEmpty()) return;
    pelicula_ = new QMovie(fichero, QByteArray(), this);
    if (!pelicula_->isValid()) {
        delete pelicula_;
        pelicula_ = nullptr;
        return;
    }
    animacion_->setMovie(pelicula_);
    pelicula_->start();
}

// Escape works only as the cancel button does, when that button is offered.
void TFProceso::reject() {
    if (boton_->isVisible()) emit cancelado();
}

// The box takes the focus back when it loses it, but never from a modal question opened over it
// (a retry question during the work must be answerable).
void TFProceso::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || isActiveWindow() || !isVisible()) return;
    QTimer::singleShot(0, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (isVisible() && !isActiveWindow() && (!modal || modal == this)) activateWindow();
    });
}

} // namespace kz
