#pragma once
// The control that shows a hex grid: it copies the grid's off-screen picture, follows its size
// and answers the mouse, telling which hex is under it. All drawing happens in the grid
// (map/thexmap.h); the control never draws a hex itself.

#include "map/thexmap.h"

#include <QWidget>

class QMenu;

namespace kz {

class THexMapControl : public QWidget {
    Q_OBJECT
public:
    explicit THexMapControl(THexMap& mapa, QWidget* padre = nullptr);
    ~THexMapControl() override;

    THexMap& Mapa() const { return mapa_; }
    // Hex (column, row) under a point of the control; (0, 0) when there is none.
    QPoint HexEn(QPoint pixel) const { return mapa_.PixelToHex(pixel.x(), pixel.y()); }

    // The context menu shown on a right click, if any.
    void SetPopupMenu(QMenu* menu) { menu_ = menu; }
    QMenu* PopupMenu() const { return menu_; }

    QSize sizeHint() const override { return mapa_.Tamano(); }

signals:
    void MouseDown(Qt::MouseButton boton, Qt::KeyboardModifiers teclas, QPoint pixel, QPoint hex);
    void MouseMove(Qt::KeyboardModifiers teclas, QPoint pixel, QPoint hex);
    void MouseUp(Qt::MouseButton boton, Qt::KeyboardModifiers teclas, QPoint pixel, QPoint hex);
    void Click(QPoint pixel, QPoint hex);
    void DblClick(QPoint pixel, QPoint hex);
    void DragOver(QDragMoveEvent* evento, QPoint hex);
    void DragDrop(QDropEvent* evento, QPoint hex);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void sigueTamano(const QSize& t);

    THexMap& mapa_;
    QMenu* menu_ = nullptr;
    bool pulsado_ = false;
    QPoint puntoPulsado_;
};

} // namespace kz
