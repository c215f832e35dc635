#include "tbandazoom.h"

#include "map/tmapa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>

namespace kz {

namespace {

QCheckBox* casilla(const QString& texto, const char* nombre, bool marcada, QWidget* padre) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setChecked(marcada);
    return c;
}

} // namespace

TBandaZoom::TBandaZoom(TMapa& mapa, Interaccion& ui, QWidget* padre) : QWidget(padre), mapa_(mapa), ui_(ui) {
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(TMapa::ElementosZoom());
    ComboBox1->setCurrentIndex(TMapa::kZoomInicial);
    CBLabels = casilla(QStringLiteral("Ver Num"), "CBLabels", mapa.Opciones.verNum, this);
    CBIdPais = casilla(QStringLiteral("Ver Id Pais"), "CBIdPais", mapa.Opciones.verIdPais, this);

    auto* grupo = new QGroupBox(QStringLiteral("¿Que ven?"), this);
    CBLibres = casilla(QStringLiteral("Libres"), "CBLibres", mapa.Opciones.ven[bandoLibre], grupo);
    CBOscuros = casilla(QStringLiteral("Oscuros"), "CBOscuros", mapa.Opciones.ven[bandoOscuro], grupo);
    CBNeutrales = casilla(QStringLiteral("Neutrales"), "CBNeutrales", mapa.Opciones.ven[bandoNeutral], grupo);
    CBOtros = casilla(QStringLiteral("Otros"), "CBOtros", mapa.Opciones.ven[bandoOtros], grupo);
    SpeedButton1 = new QToolButton(grupo);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Aplicar"));
    auto* rejilla = new QGridLayout(grupo);
    rejilla->setContentsMargins(4, 2, 4, 2);
    rejilla->addWidget(CBLibres, 0, 0);
    rejilla->addWidget(CBOscuros, 0, 1);
    rejilla->addWidget(CBNeutrales, 1, 0);
    rejilla->addWidget(CBOtros, 1, 1);
    rejilla->addWidget(SpeedButton1, 0, 2, 2, 1);

    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(2, 0, 2, 0);
    fila->addWidget(ComboBox1);
    fila->addWidget(CBLabels);
    fila->addWidget(CBIdPais);
    fila->addWidget(grupo);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TBandaZoom::ComboBox1Change);
    connect(CBLabels, &QCheckBox::clicked, this, [this](bool si) { mapa_.FijaVerNum(si); });
    connect(CBIdPais, &QCheckBox::clicked, this, [this](bool si) { mapa_.FijaVerIdPais(si); });
    // The ticks take effect at the next redraw: "Aplicar" or any filling of the map.
    for (QCheckBox* c : {CBLibres, CBOscuros, CBNeutrales, CBOtros})
        connect(c, &QCheckBox::toggled, this, &TBandaZoom::queVen);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { mapa_.Aplicar(); });
}

void TBandaZoom::queVen() {
    mapa_.Opciones.ven[bandoLibre] = CBLibres->isChecked();
    mapa_.Opciones.ven[bandoOscuro] = CBOscuros->isChecked();
    mapa_.Opciones.ven[bandoNeutral] = CBNeutrales->isChecked();
    mapa_.Opciones.ven[bandoOtros] = CBOtros->isChecked();
}

void TBandaZoom::ComboBox1Change(int indice) {
    QString error;
    if (!mapa_.CambiaZoom(indice, error)) ui_.aviso(error, mtError);
}

} // namespace kz
