#pragma once
// The "Zoom" band of the tool bar: the zoom list, "Ver Num", "Ver Id Pais" and the group
// "¿Que ven?" with "Aplicar", working on a TMapa. The main window places it in its tool bar.

#include "database/interaccion.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QToolButton;

namespace kz {

class TMapa;

class TBandaZoom : public QWidget {
    Q_OBJECT
public:
    TBandaZoom(TMapa& mapa, Interaccion& ui, QWidget* padre = nullptr);

    QComboBox* ComboBox1 = nullptr;      // zoom
    QCheckBox* CBLabels = nullptr;       // "Ver Num"
    QCheckBox* CBIdPais = nullptr;       // "Ver Id Pais"
    QCheckBox* CBLibres = nullptr;       // "¿Que ven?"
    QCheckBox* CBOscuros = nullptr;
    QCheckBox* CBNeutrales = nullptr;
    QCheckBox* CBOtros = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "Aplicar"

private:
    void ComboBox1Change(int indice);
    void queVen();

    TMapa& mapa_;
    Interaccion& ui_;
};

} // namespace kz
