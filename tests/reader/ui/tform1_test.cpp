// The reader window, offscreen: the game and file lists, the selection buttons, the batch run,
// the manual panel, the logs, the file-list keys, help and about.

#include "comun/impresion.h"
#include "reader/guionconversor.h"
#include "reader/partidalectura.h"
#include "reader/pdfprueba.h"
#include "reader/carpetapdfs.h"
#include "reader/ui/tform1.h"
#include "reader/ui/ventanaayuda.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

void aplicacion() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char nombre[] = "test_reader_ui";
    static char* argv[] = {nombre, nullptr};
    new QApplication(argc, argv);
}

QByteArray informe(const char* nombre) { return LeeFichero(CarpetaPrueba::datosPrueba(u("lector/") + u(nombre))); }

void tecla(QWidget* w, int codigo, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QKeyEvent pulsa(QEvent::KeyPress, codigo, mod);
    QApplication::sendEvent(w, &pulsa);
    QKeyEvent suelta(QEvent::KeyRelease, codigo, mod);
    QApplication::sendEvent(w, &suelta);
}

void clicCabecera(QTreeWidget* lista, int columna) {
    QHeaderView* h = lista->header();
    const QPoint punto(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2);
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(tipo, punto, h->viewport()->mapToGlobal(punto), Qt::LeftButton,
                      tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &e);
    }
}

class Ventana : public ::testing::Test {
protected:
    void SetUp() override {
        aplicacion();
        ASSERT_TRUE(p.preparada()) << p.error().toStdString();
        // The test converter takes the "PDF" for its report text.
        ASSERT_TRUE(EscribeGuionPrueba(p.base(), u("cat \"$1.pdf\" > \"$1.txt\"")));
    }
    void abre() {
        v = std::make_unique<lector::TForm1>(p.base(), &p.ui);
        v->show();
        QApplication::processEvents();
    }
    template <class T> T* hijo(const char* nombre) const {
        T* w = v->findChild<T*>(u(nombre));
        EXPECT_NE(w, nullptr) << nombre;
        return w;
    }
    QTreeWidget* partidas() const { return hijo<QTreeWidget>("LVPartidas"); }
    QTreeWidget* ficheros() const { return hijo<QTreeWidget>("ListView"); }
    void pulsa(const char* nombre) const {
        if (auto* b = v->findChild<QAbstractButton*>(u(nombre))) b->click();
        else ADD_FAILURE() << nombre;
    }
    void eligePartida(const QString& codigo) {
        const auto items = partidas()->findItems(codigo, Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1);
        partidas()->setCurrentItem(items.first());
    }
    QString carpetaT123() const { return p.base() + u("/Pdfs/T123/"); }
    // Four PDFs of T123 in the three states: a no state, b read, c read but not converted, d.PDF.
    void preparaFicheros() {
        EscribeFichero(carpetaT123() + u("a.pdf"), informe("t123_07_turno12.txt"));
        EscribeFichero(carpetaT123() + u("b.pdf"), QByteArray(3000, 'b'));
        EscribeFichero(carpetaT123() + u("b.txt"), informe("t123_07_turno12.txt"));
        EscribeFichero(carpetaT123() + u("c.pdf"), QByteArray(2048 * 5, 'c'));
        EscribeFichero(carpetaT123() + u("c.txt"), "x");
        EscribeFichero(carpetaT123() + u("c.erc"), "Error en la conversion pdf a txt\n");
        EscribeFichero(carpetaT123() + u("D.PDF"), QByteArray());
        QDir().mkpath(carpetaT123() + u("carpeta.pdf"));
    }
    QStringList columna(int c) const {
        QStringList r;
        for (int i = 0; i < ficheros()->topLevelItemCount(); ++i) r << ficheros()->topLevelItem(i)->text(c);
        return r;
    }
    QStringList seleccionados() const {
        QStringList r;
        for (int i = 0; i < ficheros()->topLevelItemCount(); ++i)
            if (ficheros()->topLevelItem(i)->isSelected()) r << ficheros()->topLevelItem(i)->text(0);
        return r;
    }
    void selecciona(const QStringList& nombres) {
        for (int i = 0; i < ficheros()->topLevelItemCount(); ++i)
            ficheros()->topLevelItem(i)->setSelected(nombres.contains(ficheros()->topLevelItem(i)->text(0)));
    }

    PartidaLectura p;
    std::unique_ptr<lector::TForm1> v;
};

} // namespace

TEST_F(Ventana, TituloPartidasDelCatalogoYSusCarpetas) {
    abre();
    EXPECT_EQ(v->windowTitle(), u("LectorKZ v2.3.1 - Lector  de Turnos "));
    ASSERT_EQ(partidas()->topLevelItemCount(), 2);
    EXPECT_EQ(partidas()->headerItem()->text(0), u("Partida"));
    EXPECT_EQ(partidas()->headerItem()->text(1), u("Path"));
    EXPECT_EQ(partidas()->topLevelItem(0)->text(0), u("C045"));
    EXPECT_EQ(partidas()->topLevelItem(0)->text(1), p.base() + u("/Pdfs/C045"));
    EXPECT_EQ(v->partidaSeleccionada(), u("C045"));
    EXPECT_TRUE(QFileInfo(p.base() + u("/Pdfs/C045")).isDir());
    EXPECT_EQ(hijo<QStackedWidget>("Paneles")->currentWidget()->objectName(), u("PanelAutomatico"));
    EXPECT_TRUE(hijo<QToolBar>("ToolBar1")->isVisible());
    const QStringList cabeceras = {u("Nombre"), u("Estado"), u("Fecha"), u("Tamaño")};
    const int anchos[] = {165, 75, 125, 75};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(ficheros()->headerItem()->text(c), cabeceras[c]);
        EXPECT_EQ(ficheros()->columnWidth(c), anchos[c]);
    }
    EXPECT_TRUE(p.ui.preguntas.isEmpty()) << p.ui.textos().join('\n').toStdString();
}

TEST_F(Ventana, UnaPartidaQueYaNoEstaEnElCatalogoSeQuedaEnLPartidas) {
    ASSERT_TRUE(EscribeFichero(p.base() + u("/LPartidas.dat"), "X999=/ya/no\nT123=" + carpetaT123().toUtf8() + "mios\n"));
    abre();
    ASSERT_EQ(partidas()->topLevelItemCount(), 2);
    EXPECT_EQ(partidas()->topLevelItem(1)->text(1), carpetaT123() + u("mios"));
    v->eligeCarpeta = [&](const QString&, const QString&) { return p.base() + u("/nueva"); };
    eligePartida(u("C045"));
    pulsa("ToolButton3");
    EXPECT_EQ(LeeFichero(p.base() + u("/LPartidas.dat")),
              "X999=/ya/no\nT123=" + carpetaT123().toUtf8() + "mios\nC045=" + p.base().toUtf8() + "/nueva\n");
}

TEST_F(Ventana, FicherosConSusEstadosIconosYBarraDeEstado) {
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    EXPECT_EQ(v->carpetaPdf(), carpetaT123());
    EXPECT_EQ(columna(0), (QStringList{u("a.pdf"), u("b.pdf"), u("c.pdf"), u("D.PDF")}));
    EXPECT_EQ(columna(1), (QStringList{u("No Leido"), u("Leido"), u("Error"), u("No Leido")}));
    // a.pdf holds a test report, whose length follows the report as it grows.
    const QString tamanoA = CarpetaPdfs::TextoTamano(QFileInfo(carpetaT123() + u("a.pdf")).size());
    EXPECT_EQ(columna(3), (QStringList{tamanoA, u("2 KB"), u("10 KB"), u("0 KB")}));
    EXPECT_TRUE(ficheros()->topLevelItem(0)->icon(0).isNull());
    EXPECT_FALSE(ficheros()->topLevelItem(1)->icon(0).isNull());
    EXPECT_FALSE(ficheros()->topLevelItem(2)->icon(0).isNull());
    EXPECT_TRUE(columna(2).first().startsWith(QFileInfo(carpetaT123() + u("a.pdf")).lastModified().toString(u("MM/dd/yyyy "))));
    EXPECT_EQ(seleccionados(), QStringList{u("a.pdf")});
    EXPECT_EQ(hijo<QLabel>("StatusBarPanel1")->text(), u("4 objecto(s)  --  1  seleccionados "));
    const QString kb = CarpetaPdfs::FormatoMiles(QFileInfo(carpetaT123() + u("a.pdf")).size() / 1024.0, 2);
    EXPECT_TRUE(kb.contains(QLatin1Char(',')));
    EXPECT_TRUE(hijo<QLabel>("StatusBarPanel2")->text().startsWith(u(" Tamaño : ") + kb + u(" KB( Espacio disponible en disco: ")))
        << hijo<QLabel>("StatusBarPanel2")->text().toStdString();
    selecciona({u("b.pdf"), u("c.pdf")});
    EXPECT_TRUE(hijo<QLabel>("StatusBarPanel2")->text().startsWith(u(" Tamaño : 12,93 KB( Espacio disponible en disco: ")));
    ficheros()->clearSelection();
    EXPECT_EQ(hijo<QLabel>("StatusBarPanel1")->text(), u("4 objecto(s)"));
    EXPECT_TRUE(hijo<QLabel>("StatusBarPanel2")->text().startsWith(u(" Tamaño : 0 KB  ( Espacio disponible en disco: ")));
    EXPECT_TRUE(hijo<QLabel>("StatusBarPanel2")->text().endsWith(u(" MB )")));
}

TEST_F(Ventana, BotonesDeSeleccionPorEstado) {
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    pulsa("ToolButtonSelNL");
    EXPECT_EQ(seleccionados(), (QStringList{u("a.pdf"), u("D.PDF")}));
    pulsa("ToolButtonSelL");
    EXPECT_EQ(seleccionados(), QStringList{u("b.pdf")});
    pulsa("ToolButtonSelT");
    EXPECT_EQ(seleccionados(), (QStringList{u("a.pdf"), u("b.pdf"), u("D.PDF")}));
    pulsa("ToolButton4");
    EXPECT_EQ(seleccionados(), (QStringList{u("a.pdf"), u("b.pdf"), u("D.PDF")}));
    EXPECT_EQ(hijo<QLabel>("StatusBarPanel1")->text(), u("4 objecto(s)  --  3  seleccionados "));
}

TEST_F(Ventana, OrdenarPorColumnaYAlReves) {
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    clicCabecera(ficheros(), 3);
    EXPECT_EQ(ficheros()->sortColumn(), 3);
    EXPECT_EQ(columna(0), (QStringList{u("D.PDF"), u("b.pdf"), u("a.pdf"), u("c.pdf")}));
    clicCabecera(ficheros(), 3);
    EXPECT_EQ(columna(0), (QStringList{u("c.pdf"), u("a.pdf"), u("b.pdf"), u("D.PDF")}));
    EXPECT_EQ(ficheros()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(ficheros()->header()->isSortIndicatorShown());
    clicCabecera(ficheros(), 1);
    EXPECT_EQ(columna(1), (QStringList{u("Error"), u("Leido"), u("No Leido"), u("No Leido")}));
    // Refilled, the list keeps its order.
    v->RellenaFicheros();
    EXPECT_EQ(columna(1).first(), u("Error"));
}

TEST_F(Ventana, LeerSinSeleccionAvisa) {
    abre();
    pulsa("ToolButtonEjercutar");
    EXPECT_EQ(p.ui.textos(), QStringList{u("No hay ningun fichero seleccionado.")});
}

TEST_F(Ventana, LeerConvierteLosSeleccionadosYRegenerarLosVuelveAConvertir) {
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    selecciona({u("a.pdf"), u("b.pdf")});
    pulsa("ToolButtonEjercutar");
    EXPECT_EQ(columna(1), (QStringList{u("Leido"), u("Leido"), u("Error"), u("No Leido")}));
    const QStringList log = hijo<QPlainTextEdit>("MemoLog")->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(log.mid(0, 4), (QStringList{QString(58, QLatin1Char('-')), carpetaT123() + u("a.pdf"), u("Convitiendo a txt..."),
                                          u("...Conversion finalizada Correctamente")}));
    EXPECT_EQ(log.count(QString(58, QLatin1Char('-'))), 2);
    EXPECT_EQ(log.count(u("Convitiendo a txt...")), 1);   // b has its text
    EXPECT_EQ(p.volcado(u("DSCenPob"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.CenPob.csv")));
    EXPECT_FALSE(v->ejecutando());
    EXPECT_TRUE(hijo<QToolBar>("ToolBar1")->isEnabled());

    // b.pdf is no report: regenerated from it, the reading fails and its text becomes ".err".
    hijo<QCheckBox>("cbRegenerarTXT")->setChecked(true);
    selecciona({u("b.pdf")});
    pulsa("ToolButtonEjercutar");
    EXPECT_EQ(columna(1), (QStringList{u("Leido"), u("Error"), u("Error"), u("No Leido")}));
    EXPECT_TRUE(QFileInfo::exists(carpetaT123() + u("b.err")));
    EXPECT_FALSE(QFileInfo::exists(carpetaT123() + u("b.txt")));
}

TEST_F(Ventana, DuranteLaLecturaSeVeElFicheroYCerrarEsperaAlFinal) {
    ASSERT_TRUE(EscribeGuionPrueba(p.base(), u("sleep 0.4; cat \"$1.pdf\" > \"$1.txt\"")));
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    v->proceso().esperaMs = 100;
    QString enCurso;
    bool barraActiva = true;
    p.ui.alPreguntar = [&](const Pregunta&) {
        enCurso = hijo<QLabel>("StatusBarPanel1")->text();
        barraActiva = hijo<QToolBar>("ToolBar1")->isEnabled();
        v->close();
    };
    p.ui.responde({mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar});
    selecciona({u("a.pdf"), u("D.PDF")});
    pulsa("ToolButtonEjercutar");
    EXPECT_EQ(enCurso, u("Leyendo a.pdf (1 de 2)..."));
    EXPECT_FALSE(barraActiva);
    // The file being read was read to its end; the next one was left for later.
    EXPECT_EQ(columna(1), (QStringList{u("Leido"), u("Leido"), u("Error"), u("No Leido")}));
    EXPECT_FALSE(v->isVisible());
}

TEST_F(Ventana, UnPdfRealConNombreRaroSeLeeYSeVeLaVentana) {
    ASSERT_TRUE(CopiaGuionReal(p.base()));
    preparaFicheros();
    QFile::remove(carpetaT123() + u("a.pdf"));
    QString error;
    const QString raro = carpetaT123() + u("Turno 12 \"$(x)\"; ñ.pdf");
    ASSERT_TRUE(HazPdfDeInforme(u("t123_07_turno12"), raro, error)) << error.toStdString();
    abre();
    v->resize(1000, 640);
    eligePartida(u("T123"));
    selecciona({u("Turno 12 \"$(x)\"; ñ.pdf")});
    pulsa("ToolButtonEjercutar");
    EXPECT_EQ(ficheros()->findItems(u("Turno 12 \"$(x)\"; ñ.pdf"), Qt::MatchExactly).value(0)->text(1), u("Leido"));
    EXPECT_EQ(p.volcado(u("DSPjs"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Pjs.csv")));

    // Pictures of both panels for a look.
    const QString capturas = QFileInfo(CarpetaPrueba::programaConstruido()).absolutePath() + u("/capturas");
    QDir().mkpath(capturas);
    selecciona({u("b.pdf"), u("c.pdf")});
    QApplication::processEvents();
    EXPECT_TRUE(v->grab().save(capturas + u("/lectorkz_automatico.png")));
    pulsa("ToolButton6");
    hijo<QPlainTextEdit>("MemoTurno")->setPlainText(QString::fromUtf8(informe("c045_14_turno05.txt")));
    hijo<QCheckBox>("CBEjercitos")->setChecked(false);
    QApplication::processEvents();
    EXPECT_TRUE(v->grab().save(capturas + u("/lectorkz_manual.png")));
}

TEST_F(Ventana, PathSinPartidaYConPartida) {
    CarpetaPrueba vacia;
    v = std::make_unique<lector::TForm1>(vacia.ruta(), &p.ui);
    pulsa("ToolButton3");
    EXPECT_EQ(p.ui.textos().last(), u("Debe selecionar una partida."));
    EXPECT_TRUE(p.ui.textos().contains(u("Recuerde que este programa debe estar en el Directorio donde este el fichero "
                                         "\"gestorkz\" (normalmente será: \"") + vacia.ruta() + u("\").")));
    EXPECT_EQ(partidas()->topLevelItemCount(), 0);
    EXPECT_EQ(ficheros()->topLevelItemCount(), 0);

    preparaFicheros();
    abre();
    const QString otra = p.base() + u("/mis pdfs");
    QDir().mkpath(otra);
    EscribeFichero(otra + u("/z.pdf"), "z");
    QString titulo;
    v->eligeCarpeta = [&](const QString& t, const QString& inicial) {
        titulo = t;
        EXPECT_EQ(inicial, carpetaT123().chopped(1));
        return otra;
    };
    eligePartida(u("T123"));
    pulsa("ToolButton3");
    EXPECT_EQ(titulo, u("Seleccione el Diretorio donde estan los Ficheros .pdf"));
    EXPECT_EQ(partidas()->currentItem()->text(1), otra);
    EXPECT_EQ(columna(0), QStringList{u("z.pdf")});
    EXPECT_EQ(LeeFichero(p.base() + u("/LPartidas.dat")), "T123=" + otra.toUtf8() + "\n");
}

TEST_F(Ventana, PanelManualSeccionesYAutomatico) {
    abre();
    pulsa("ToolButton6");
    EXPECT_EQ(hijo<QStackedWidget>("Paneles")->currentWidget()->objectName(), u("PanelManual"));
    EXPECT_FALSE(hijo<QToolBar>("ToolBar1")->isVisible());
    const char* casillas[] = {"CBPaises", "CBCenPob", "CBPjs", "CBEjercitos", "CBMensajes"};
    const char* textos[] = {"Paises", "Centros de Población", "Personajes", "Ejercitos", "Mensajes Internos"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(hijo<QCheckBox>(casillas[i])->isChecked());
        EXPECT_EQ(hijo<QCheckBox>(casillas[i])->text(), u(textos[i]));
    }
    hijo<QCheckBox>("CBPjs")->setChecked(false);
    hijo<QCheckBox>("CBEjercitos")->setChecked(false);

    hijo<QPlainTextEdit>("MemoTurno")->setPlainText(QString::fromUtf8(informe("t123_07_turno12.txt")));
    pulsa("BitBtn5");
    EXPECT_EQ(p.ui.textos(), QStringList{u("Fin del Proceso")});
    EXPECT_TRUE(hijo<QPlainTextEdit>("MemoTurno")->toPlainText().isEmpty());
    EXPECT_TRUE(hijo<QPlainTextEdit>("MemoLog2")->toPlainText().startsWith(u("--Leyendo Partida: 123 Pais: 07")));
    EXPECT_TRUE(hijo<QPlainTextEdit>("MemoLog")->toPlainText().isEmpty());
    EXPECT_FALSE(v->lector().secciones.pjs);
    EXPECT_EQ(p.volcado(u("DSPais"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Paises.csv")));
    EXPECT_NE(p.volcado(u("DSPjs"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Pjs.csv")));

    pulsa("BitBtn4");
    EXPECT_EQ(hijo<QStackedWidget>("Paneles")->currentWidget()->objectName(), u("PanelAutomatico"));
    EXPECT_TRUE(hijo<QToolBar>("ToolBar1")->isVisible());
    for (const char* c : casillas) EXPECT_TRUE(hijo<QCheckBox>(c)->isChecked()) << c;
}

TEST_F(Ventana, PegarVaciarYElMenuDelTexto) {
    abre();
    pulsa("ToolButton6");
    QApplication::clipboard()->setText(u("07 KZIII Partida 123"));
    pulsa("Button1");
    EXPECT_EQ(hijo<QPlainTextEdit>("MemoTurno")->toPlainText(), u("07 KZIII Partida 123"));
    pulsa("Button3");
    EXPECT_TRUE(hijo<QPlainTextEdit>("MemoTurno")->toPlainText().isEmpty());
    QStringList acciones;
    for (QAction* a : hijo<QMenu>("PopupMenu1")->actions()) acciones << a->text() + u("|") + a->shortcut().toString();
    EXPECT_EQ(acciones, (QStringList{u("Cor&tar|Ctrl+X"), u("&Copiar|Ctrl+C"), u("&Pegar|Ctrl+V"), u("Seleccionar todo|")}));
}

TEST_F(Ventana, GuardarLogGuardaElDelPanelVisible) {
    abre();
    CarpetaPrueba destino;
    QString titulo, nombre;
    v->eligeFicheroLog = [&](const QString& t, const QString& n) {
        titulo = t;
        nombre = n;
        return destino.fichero(u("log.txt"));
    };
    hijo<QPlainTextEdit>("MemoLog")->setPlainText(u("linea 1\nlinea 2"));
    hijo<QPlainTextEdit>("MemoLog2")->setPlainText(u("manual"));
    pulsa("BitBtn1");
    EXPECT_EQ(titulo, u("Guardar Fichero de Log"));
    EXPECT_EQ(nombre, u("LectorLog"));
    EXPECT_EQ(LeeFichero(destino.fichero(u("log.txt"))), "linea 1\nlinea 2\n");
    pulsa("ToolButton6");
    pulsa("BitBtn2");
    EXPECT_EQ(LeeFichero(destino.fichero(u("log.txt"))), "manual\n");
}

TEST_F(Ventana, TeclasDeLaListaDeFicheros) {
    preparaFicheros();
    abre();
    eligePartida(u("T123"));
    QStringList abiertos;
    bool abre = true;
    v->abreFichero = [&](const QString& ruta) {
        abiertos << ruta;
        return abre;
    };
    tecla(ficheros(), Qt::Key_Return);
    tecla(ficheros(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(abiertos, (QStringList{carpetaT123() + u("a.pdf"), carpetaT123() + u("a.pdf")}));
    abre = false;
    tecla(ficheros(), Qt::Key_Enter);
    tecla(ficheros(), Qt::Key_F2);
    EXPECT_EQ(p.ui.textos(), (QStringList{u("ERROR - No se puede Open el fichero a.pdf"), u("Es de sólo lectura")}));
    EXPECT_EQ(p.ui.preguntas[0].tipo, mtError);

    tecla(ficheros(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(seleccionados().size(), 4);

    QStringList papelera;
    v->aPapelera = [&](const QString& ruta) {
        papelera << ruta;
        return QFile::remove(ruta);
    };
    selecciona({u("b.pdf"), u("D.PDF")});
    p.ui.responde({mrNo});
    tecla(ficheros(), Qt::Key_Delete);
    EXPECT_TRUE(papelera.isEmpty());
    p.ui.responde({mrSi});
    tecla(ficheros(), Qt::Key_Delete);
    EXPECT_EQ(p.ui.textos().last(), u("¿Está seguro de que desea enviar estos 2 elementos a la Papelera de reciclaje?"));
    EXPECT_EQ(papelera, (QStringList{carpetaT123() + u("b.pdf"), carpetaT123() + u("D.PDF")}));
    EXPECT_EQ(columna(0), (QStringList{u("a.pdf"), u("c.pdf")}));
    selecciona({u("c.pdf")});
    p.ui.responde({mrSi});
    tecla(ficheros(), Qt::Key_Delete);
    EXPECT_EQ(p.ui.textos().last(), u("¿Está seguro de que desea enviar \"c.pdf\" a la Papelera de reciclaje?"));
}

TEST_F(Ventana, AyudaYSobre) {
    abre();
    v->MuestraAyuda();
    ASSERT_NE(v->ventanaAyuda(), nullptr);
    EXPECT_TRUE(v->ventanaAyuda()->isVisible());
    EXPECT_EQ(v->ventanaAyuda()->navegador()->source().fragment(), u("contexto1"));
    EXPECT_TRUE(v->ventanaAyuda()->navegador()->toPlainText().contains(u("LectorKZ - Lector de Turnos")));
    v->MuestraSobre();
    ASSERT_EQ(p.ui.preguntas.size(), 1);
    EXPECT_TRUE(p.ui.preguntas[0].texto.startsWith(u("LectorKZ v2.3.1")));
    EXPECT_EQ(p.ui.preguntas[0].tipo, mtInformacion);
}
