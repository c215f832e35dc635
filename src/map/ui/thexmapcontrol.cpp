#include "thexmapcontrol.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace kz {

THexMapControl::THexMapControl(THexMap& mapa, QWidget* padre) : QWidget(padre), mapa_(mapa) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    mapa_.alPintar = [this] { update(); };
    mapa_.alPintarZona = [this](const QRect& r) { update(r); };
    mapa_.alCambiarTamano = [this](const QSize& t) { sigueTamano(t); };
    sigueTamano(mapa_.Tamano());
}

THexMapControl::~THexMapControl() {
    // The grid may outlive its control.
    mapa_.alPintar = nullptr;
    mapa_.alPintarZona = nullptr;
    mapa_.alCambiarTamano = nullptr;
}

void THexMapControl::sigueTamano(const QSize& t) {
    setFixedSize(t);
    updateGeometry();
    update();
}

void THexMapControl::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect zona = e->rect();
    const QImage& buffer = std::as_const(mapa_).Buffer();
    p.drawImage(zona.topLeft(), buffer, zona);
    // What lies beyond a picture smaller than the control.
    const QRegion fuera = QRegion(zona) - QRegion(buffer.rect());
    for (const QRect& r : fuera) p.fillRect(r, mapa_.BackColor());
}

void THexMapControl::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    pulsado_ = e->button() == Qt::LeftButton;
    puntoPulsado_ = p;
    emit MouseDown(e->button(), e->modifiers(), p, HexEn(p));
}

void THexMapControl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    emit MouseMove(e->modifiers(), p, HexEn(p));
}

void THexMapControl::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    emit MouseUp(e->button(), e->modifiers(), p, HexEn(p));
    // A click is a left press and release on the control.
    if (pulsado_ && e->button() == Qt::LeftButton && rect().contains(p)) emit Click(p, HexEn(p));
    pulsado_ = false;
}

void THexMapControl::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton) emit DblClick(p, HexEn(p));
}

void THexMapControl::contextMenuEvent(QContextMenuEvent* e) {
    if (menu_) menu_->popup(e->globalPos());
}

void THexMapControl::dragEnterEvent(QDragEnterEvent* e) {
    emit DragOver(e, HexEn(e->position().toPoint()));
}

void THexMapControl::dragMoveEvent(QDragMoveEvent* e) { emit DragOver(e, HexEn(e->position().toPoint())); }

void THexMapControl::dropEvent(QDropEvent* e) { emit DragDrop(e, HexEn(e->position().toPoint())); }

} // namespace kz
