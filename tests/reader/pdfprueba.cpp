#include "pdfprueba.h"


#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace kz::prueba {

namespace {

constexpr int kAlto = 842;        // A4 in points
constexpr int kMargen = 36;
constexpr int kCuerpo = 7;        // 7 pt Courier: 135 letters fit in the width
constexpr int kInterlinea = 9;
constexpr uchar kByteMenos = 0x80;

QByteArray cadenaPostScript(const QString& linea) {
    QByteArray r = "(";
    for (QChar c : linea) {
        uchar b;
        if (c.unicode() == 0x2212) b = kByteMenos;
        else if (c.unicode() < 0x20 || c.unicode() > 0xFF || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) b = '?';
        else b = uchar(c.unicode());
        if (b == '(' || b == ')' || b == '\\') r += '\\';
        if (b >= 0x20 && b < 0x7F) r += char(b);
        else r += '\\' + QByteArray::number(b, 8).rightJustified(3, '0');
    }
    return r + ")";
}

// A line that opens a page of the report: it begins like the first line after its nation code.
bool abrePagina(const QString& linea, const QString& marca) { return !marca.isEmpty() && linea.startsWith(marca); }

} // namespace

QByteArray PostScriptDeInforme(const QStringList& lineas) {
    QByteArray ps = "%!PS-Adobe-3.0\n"
                    "/KZCodigos ISOLatin1Encoding dup length array copy def\n"
                    "KZCodigos 39 /quotesingle put KZCodigos 45 /hyphen put KZCodigos 96 /grave put\n"
                    "KZCodigos 128 /minus put\n"
                    "/Courier findfont dup length dict begin\n"
                    "  { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
                    "  /Encoding KZCodigos def currentdict\n"
                    "end /KZCourier exch definefont pop\n"
                    "<< /PageSize [595 842] >> setpagedevice\n";
    const QString primera = lineas.value(0);
    const QString marca = primera.section(QLatin1Char(' '), 1, 2) + QLatin1Char(' ');
    int y = 0;
    int pagina = 0;
    auto nuevaPagina = [&] {
        if (pagina > 0) ps += "showpage\n";
        ++pagina;
        ps += "%%Page: " + QByteArray::number(pagina) + ' ' + QByteArray::number(pagina) + '\n';
        ps += "/KZCourier findfont " + QByteArray::number(kCuerpo) + " scalefont setfont\n";
        y = kAlto - kMargen;
    };
    nuevaPagina();
    for (int i = 0; i < lineas.size(); ++i) {
        if ((i > 0 && abrePagina(lineas[i], marca)) || y < kMargen) nuevaPagina();
        if (!lineas[i].isEmpty())
            ps += QByteArray::number(kMargen) + ' ' + QByteArray::number(y) + " moveto " + cadenaPostScript(lineas[i]) + " show\n";
        y -= kInterlinea;
    }
    ps += "showpage\n%%EOF\n";
    return ps;
}

bool HazPdf(const QStringList& lineas, const QString& rutaPdf, QString& error) {
    QTemporaryDir dir;
    const QString ps = dir.filePath(QStringLiteral("informe.ps"));
    QFile f(ps);
    if (!f.open(QIODevice::WriteOnly) || f.write(PostScriptDeInforme(lineas)) < 0) {
        error = f.errorString();
        return false;
    }
    f.close();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("ps2pdf"), {ps, rutaPdf});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QStringLiteral("ps2pdf: ") + p.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(p.readAll());
        return false;
    }
    return true;
}

bool HazPdfDeFichero(const QString& rutaTexto, const QString& rutaPdf, QString& error) {
    // The text as written, minus signs and soft hyphens included: the PDF must hold them.
    QFile f(rutaTexto);
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    QString texto = QString::fromUtf8(f.readAll());
    texto.remove(QLatin1Char('\r'));
    QStringList lineas = texto.split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    return HazPdf(lineas, rutaPdf, error);
}

} // namespace kz::prueba
