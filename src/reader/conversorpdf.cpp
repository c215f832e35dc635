#include "conversorpdf.h"

#include "ficherosinforme.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStorageInfo>

#include <signal.h>
#include <unistd.h>

namespace kz {

namespace {

// How often the wait for the converter lets the window repaint.
constexpr int kPasoEsperaMs = 50;

QString conBarra(const QString& carpeta) {
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + QLatin1Char('/');
}

// A folder inside double quotes as the shell reads it back unchanged: only \ " $ and ` keep a
// meaning there, and each is escaped.
QByteArray entreComillas(const QString& carpeta) {
    QByteArray r = "\"";
    for (char c : QFile::encodeName(carpeta)) {
        if (c == '\\' || c == '"' || c == '$' || c == '`') r += '\\';
        r += c;
    }
    return r + '"';
}

bool cabeEnUnaLinea(const QString& texto) {
    return !texto.contains(QLatin1Char('\n')) && !texto.contains(QLatin1Char('\r')) && !texto.contains(QChar());
}

} // namespace

const QString ConversorPdf::kBaseTemporal = QStringLiteral("TmpLKZ");
const QString ConversorPdf::kGuion = QStringLiteral("pdf2txt.sh");
const QString ConversorPdf::kTextoTimeOut =
    QStringLiteral("TimeOut agotado. El programa conversor no responde. ") + QStringLiteral("\r") +
    QStringLiteral("Puede que el proceso siga Activo, pruebe a Reintentarlo.");

ConversorPdf::ConversorPdf(const QString& carpetaPrograma, Interaccion& ui)
    : carpetaPrograma_(carpetaPrograma), ui_(ui) {}

QString ConversorPdf::carpetaConversor() const { return conBarra(carpetaPrograma_) + QStringLiteral("pdf2txt/"); }

QString ConversorPdf::carpetaSalida(const QString& codigoPartida) const {
    return conBarra(carpetaPrograma_) + QStringLiteral("Pdfs/") + codigoPartida + QLatin1Char('/');
}

QString ConversorPdf::pdfTemporal() const { return carpetaConversor() + kBaseTemporal + QStringLiteral(".pdf"); }
QString ConversorPdf::txtTemporal() const { return carpetaConversor() + kBaseTemporal + QStringLiteral(".txt"); }

QString ConversorPdf::textoNoSeBorran(const QString& pdfTemporal, const QString& txtTemporal) {
    const QString salto = QStringLiteral("\r");
    return QStringLiteral("¡¡¡ATENCION!!! No se pudo borrar alguno de los ficheros temporales: ") + salto + pdfTemporal +
           salto + txtTemporal + salto +
           QStringLiteral("Verifique que no sean de solo lectura o esten en uso y reintentelo.");
}

bool ConversorPdf::PreparaBat(const QString& carpetaConversor, const QString& carpetaGhostscript, QString& error) {
    const QString ruta = QDir(carpetaConversor).filePath(kGuion);
    QFile entrada(ruta);
    if (!entrada.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se puede leer el fichero de conversión %1: %2").arg(ruta, entrada.errorString());
        return false;
    }
    QList<QByteArray> lineas = entrada.readAll().split('\n');
    entrada.close();
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    if (lineas.size() < kLineasMinimas) {
        error = QStringLiteral("El fichero de conversión %1 debe tener al menos %2 líneas.").arg(ruta).arg(kLineasMinimas);
        return false;
    }
    const QString carpeta = conBarra(QFileInfo(carpetaConversor).absoluteFilePath());
    const QString raiz = QStorageInfo(carpeta).rootPath();
    for (const QString& c : {carpeta, raiz, carpetaGhostscript})
        if (!cabeEnUnaLinea(c)) {
            error = QStringLiteral("La carpeta %1 no se puede escribir en el fichero de conversión.").arg(c);
            return false;
        }
    lineas[5] = "cd " + entreComillas(raiz.isEmpty() ? QStringLiteral("/") : raiz);
    lineas[6] = "cd " + entreComillas(carpeta);
    lineas[8] = "PATH=$PATH:" + (carpetaGhostscript.isEmpty() ? QByteArray() : entreComillas(carpetaGhostscript));

    // Written whole or not at all, so a failed write never leaves a broken script behind.
    QSaveFile salida(ruta);
    if (!salida.open(QIODevice::WriteOnly) || salida.write(lineas.join('\n') + '\n') < 0 || !salida.commit()) {
        error = QStringLiteral("No se puede escribir el fichero de conversión %1: %2").arg(ruta, salida.errorString());
        return false;
    }
    return true;
}

bool ConversorPdf::falla(const QString& motivo) {
    motivo_ = motivo;
    return false;
}

bool ConversorPdf::borraTemporales() {
    for (const QString& f : {pdfTemporal(), txtTemporal()}) QFile::remove(f);
    return !QFileInfo::exists(pdfTemporal()) && !QFileInfo::exists(txtTemporal());
}

bool ConversorPdf::ConviertePdfTxt(const QString& codigoPartida, const QString& rutaPdf, int esperaMs) {
    motivo_.clear();
    esperaMs_ = esperaMs > 0 ? esperaMs : kEsperaMs;
    CursorEspera cursor(ui_);

    QString error;
    if (!PreparaBat(carpetaConversor(), carpetaGhostscript, error)) {
        ui_.aviso(error, mtError);
        return falla(error);
    }
    // The clean-up below would delete the player's own file.
    const QString canonico = QFileInfo(rutaPdf).canonicalFilePath();
    if (!canonico.isEmpty() && canonico == QFileInfo(pdfTemporal()).canonicalFilePath())
        return falla(QStringLiteral("El fichero %1 no puede convertirse desde la carpeta del conversor.").arg(rutaPdf));
    if (!borraTemporales()) {
        ui_.aviso(textoNoSeBorran(pdfTemporal(), txtTemporal()), mtError);
        return falla(QStringLiteral("No se pudieron borrar los ficheros temporales."));
    }

    bool correcto = false;
    if (!QFile::copy(rutaPdf, pdfTemporal())) {
        motivo_ = QStringLiteral("No se puede copiar %1 en %2.").arg(rutaPdf, pdfTemporal());
    } else {
        bool abortado = false;
        if (ejecutaConversor(abortado)) {
            if (abortado) motivo_ = QStringLiteral("Conversión abortada.");
            else if (!textoConvertidoValido()) motivo_ = QStringLiteral("El conversor no produjo ningún texto.");
            else correcto = true;
        }
    }
    if (!copiaTexto(codigoPartida, rutaPdf) && correcto) {
        correcto = false;
        motivo_ = QStringLiteral("No se puede guardar el texto de %1 en %2.").arg(rutaPdf, carpetaSalida(codigoPartida));
    }
    borraTemporales();
    return correcto;
}

bool ConversorPdf::ejecutaConversor(bool& abortado) {
    QProcess proceso;
    // The script runs under /bin/sh and only ever sees the fixed base name: the PDF's own name,
    // whatever characters it holds, never reaches a shell.
    proceso.setProgram(QStringLiteral("/bin/sh"));
    proceso.setArguments({carpetaConversor() + kGuion, kBaseTemporal});
    proceso.setWorkingDirectory(carpetaConversor());
    proceso.setStandardInputFile(QProcess::nullDevice());
    proceso.setStandardOutputFile(QProcess::nullDevice());
    proceso.setStandardErrorFile(QProcess::nullDevice());
    // Its own process group, so that stopping it also stops the Ghostscript it started.
    proceso.setChildProcessModifier([] { ::setpgid(0, 0); });
    proceso.start();
    if (!proceso.waitForStarted(-1)) {
        motivo_ = QStringLiteral("No se puede ejecutar el conversor: %1").arg(proceso.errorString());
        return false;
    }
    while (!esperaPeriodo(proceso, esperaMs_)) {
        const ResultadoMensaje r =
            ui_.pregunta(kTextoTimeOut, mtAviso, boton(mbAbortar) | boton(mbReintentar), mbReintentar);
        ui_.procesaEventos();
        if (r != mrReintentar) {
            abortado = true;
            // A converter left running would later write its text under the fixed temporary
            // name, where the next conversion would take it for its own report.
            detiene(proceso);
            break;
        }
    }
    return true;
}

bool ConversorPdf::esperaPeriodo(QProcess& proceso, int esperaMs) {
    QDeadlineTimer plazo(esperaMs);
    while (proceso.state() != QProcess::NotRunning) {
        const qint64 resto = plazo.remainingTime();
        if (resto <= 0) return false;
        if (proceso.waitForFinished(int(std::min<qint64>(resto, kPasoEsperaMs)))) return true;
        ui_.procesaEventos();
    }
    return true;
}

void ConversorPdf::detiene(QProcess& proceso) {
    const qint64 pid = proceso.processId();
    if (pid > 0) {
        ::kill(-pid_t(pid), SIGKILL);
        ::kill(pid_t(pid), SIGKILL);
    }
    proceso.waitForFinished(5000);
}

bool ConversorPdf::textoConvertidoValido() const {
    QFile f(txtTemporal());
    if (!f.open(QIODevice::ReadOnly)) return false;
    // A converter that found no text in the PDF (a damaged or empty one) leaves only blanks.
    while (!f.atEnd()) {
        const QByteArray trozo = f.read(64 * 1024);
        for (char c : trozo)
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f') return true;
    }
    return false;
}

bool ConversorPdf::copiaTexto(const QString& codigoPartida, const QString& rutaPdf) {
    if (!QFileInfo::exists(txtTemporal())) return true;
    const QString salida = carpetaSalida(codigoPartida);
    if (!QDir().mkpath(salida)) return false;
    const QString destino = FicherosInforme(salida, rutaPdf).txt();
    QFile::remove(destino);
    return QFile::copy(txtTemporal(), destino);
}

} // namespace kz
