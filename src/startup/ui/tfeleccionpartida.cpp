#include "tfeleccionpartida.h"

#include "startup/catalogo.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kz {

TFEleccionPartida::TFEleccionPartida(Catalogo& catalogo, QWidget* padre) : QDialog(padre), catalogo_(catalogo) {
    setObjectName(QStringLiteral("FEleccionPartida"));
    setWindowTitle(QStringLiteral("Elección de Partida"));
    setModal(true);

    rejilla_ = new QTableWidget(0, 2, this);
    rejilla_->setObjectName(QStringLiteral("DBGrid1"));
    rejilla_->setHorizontalHeaderLabels({QStringLiteral("CODIGO"), QStringLiteral("NOMBRE")});
    rejilla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla_->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla_->verticalHeader()->hide();
    rejilla_->horizontalHeader()->setStretchLastSection(true);
    rejilla_->setColumnWidth(0, 70);
    rejilla_->setMinimumSize(380, 220);
    connect(rejilla_, &QTableWidget::cellDoubleClicked, this, [this] { alSeleccionar(); });

    auto boton = [this](const char* texto) {
        auto* b = new QPushButton(QString::fromLatin1(texto), this);
        b->setObjectName(QString::fromLatin1(texto));
        b->setAutoDefault(false);
        return b;
    };
    seleccionar_ = boton("Seleccionar");
    seleccionar_->setDefault(true);
    nueva_ = boton("Nueva");
    eliminar_ = boton("Eliminar");
    salir_ = boton("Salir");
    connect(seleccionar_, &QPushButton::clicked, this, [this] { alSeleccionar(); });
    connect(nueva_, &QPushButton::clicked, this, [this] {
        const QString actual = codigoActual();
        catalogo_.nueva();
        carga(actual);
    });
    connect(eliminar_, &QPushButton::clicked, this, [this] {
        catalogo_.elimina(codigoActual());
        carga(codigoActual());
    });
    connect(salir_, &QPushButton::clicked, this, &QDialog::reject);

    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {seleccionar_, nueva_, eliminar_, salir_}) botones->addWidget(b);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(rejilla_);
    todo->addLayout(botones);

    // The grid starts on the row the catalogue's cursor is on (the game in use, in menu mode).
    TTabla& t = catalogo_.partidas();
    carga(t.activa() && !t.eof() ? t.texto(QStringLiteral("CODIGO")) : QString());
}

QString TFEleccionPartida::codigoActual() const {
    const int fila = rejilla_->currentRow();
    return fila >= 0 && rejilla_->item(fila, 0) ? rejilla_->item(fila, 0)->text() : QString();
}

void TFEleccionPartida::carga(const QString& seleccionado) {
    TTabla& t = catalogo_.partidas();
    rejilla_->setRowCount(0);
    if (!t.activa()) return;
    int elegida = 0;
    t.fijaIndice(QString());
    for (t.primero(); !t.eof(); t.siguiente()) {
        const int fila = rejilla_->rowCount();
        rejilla_->insertRow(fila);
        const QString codigo = t.texto(QStringLiteral("CODIGO"));
        rejilla_->setItem(fila, 0, new QTableWidgetItem(codigo));
        rejilla_->setItem(fila, 1, new QTableWidgetItem(t.texto(QStringLiteral("NOMBRE"))));
        if (codigo == seleccionado) elegida = fila;
    }
    if (rejilla_->rowCount() > 0) rejilla_->setCurrentCell(elegida, 0);
}

void TFEleccionPartida::alSeleccionar() {
    if (!catalogo_.puedeSeleccionar()) return;
    if (catalogo_.partidas().buscaClave({codigoActual()})) accept();
}

} // namespace kz
