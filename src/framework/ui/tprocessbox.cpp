#include "tprocessbox.h"

#include "tfproceso.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kz {

TProcessBox::TProcessBox(QObject* padre) : QObject(padre) {}

TProcessBox::~TProcessBox() { delete ventana_.data(); }

void TProcessBox::fijaAvi(const QString& fichero) {
    if (fichero.isEmpty() || !QFileInfo(fichero).isFile()) return;
    avi_ = fichero;
    if (ventana_) ventana_->reproduce(avi_);
}

void TProcessBox::fijaTexto(const QString& t) {
    texto_ = t.isEmpty() ? QStringLiteral("Espere por favor ...") : t;
    if (ventana_) {
        ventana_->texto1()->setText(texto_);
        ventana_->texto1()->repaint();
    }
}

void TProcessBox::fijaTexto2(const QString& t) {
    texto2_ = t;
    if (ventana_) {
        ventana_->texto2()->setText(texto2_);
        ventana_->texto2()->repaint();
    }
}

void TProcessBox::fijaInicio(int barra, int valor) {
    b(barra).inicio = valor;
    muestraBarra(barra);
}

void TProcessBox::fijaFin(int barra, int valor) {
    b(barra).fin = valor;
    muestraBarra(barra);
}

void TProcessBox::fijaPaso(int barra, int valor) { b(barra).paso = valor; }

void TProcessBox::fijaVisible(int barra, bool visible) {
    b(barra).visible = visible;
    muestraBarra(barra);
}

void TProcessBox::fijaBarra(int barra, bool visible, int inicio, int fin, int paso) {
    Barra& x = b(barra);
    x.visible = visible;
    x.inicio = inicio;
    x.fin = fin;
    x.paso = paso;
    if (x.posicion < inicio || x.posicion > fin) x.posicion = inicio;
    muestraBarra(barra);
}

// A position outside the bar's range is not taken: the bar stays where it was.
void TProcessBox::fijaPosicion(int barra, int posicion) {
    Barra& x = b(barra);
    if (posicion < x.inicio || posicion > x.fin) return;
    x.posicion = posicion;
    if (ventana_) {
        QProgressBar* p = barra == 2 ? ventana_->barra2() : ventana_->barra1();
        p->setValue(posicion);
        p->repaint();
    }
}

void TProcessBox::avanza(int barra) { fijaPosicion(barra, b(barra).posicion + b(barra).paso); }

void TProcessBox::muestraBarra(int n) {
    if (!ventana_) return;
    const Barra& x = b(n);
    QProgressBar* p = n == 2 ? ventana_->barra2() : ventana_->barra1();
    p->setRange(x.inicio, x.fin);
    p->setValue(x.posicion);
    p->setVisible(x.visible);
}

void TProcessBox::muestraTextos() {
    ventana_->texto1()->setText(texto_.isEmpty() ? QStringLiteral("Espere, por favor") : texto_);
    ventana_->texto2()->setText(texto2_);
}

void TProcessBox::mostrar() {
    if (activo_ && ventana_) return;
    ventana_ = new TFProceso(QApplication::activeWindow());
    activo_ = true;
    ventana_->setWindowTitle(titulo_.isEmpty() ? QStringLiteral("Procesando...") : titulo_);
    muestraTextos();
    ventana_->reproduce(avi_);
    if (cancelar_) {
        ventana_->boton()->setText(QStringLiteral("Cancelar"));
        ventana_->boton()->show();
        connect(ventana_, &TFProceso::cancelado, this, [this] { ocultar(); });
    }
    muestraBarra(1);
    muestraBarra(2);
    ventana_->show();
    ventana_->repaint();
    QApplication::processEvents();
}

void TProcessBox::ocultar() {
    activo_ = false;
    titulo_.clear();
    texto_.clear();
    texto2_.clear();
    if (ventana_) {
        TFProceso* v = ventana_;
        ventana_ = nullptr;
        v->reproduce(QString());
        v->hide();
        v->deleteLater();
    }
}

} // namespace kz
