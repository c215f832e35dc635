#include "colortexto.h"

#include <QHash>

namespace kz {

namespace {

// Values are 00BBGGRR, as the table text writes them.
const QHash<QString, quint32>& nombres() {
    static const QHash<QString, quint32> n = {
        {QStringLiteral("clblack"), 0x000000},   {QStringLiteral("clmaroon"), 0x000080},
        {QStringLiteral("clgreen"), 0x008000},   {QStringLiteral("clolive"), 0x008080},
        {QStringLiteral("clnavy"), 0x800000},    {QStringLiteral("clpurple"), 0x800080},
        {QStringLiteral("clteal"), 0x808000},    {QStringLiteral("clgray"), 0x808080},
        {QStringLiteral("clsilver"), 0xC0C0C0},  {QStringLiteral("clred"), 0x0000FF},
        {QStringLiteral("cllime"), 0x00FF00},    {QStringLiteral("clyellow"), 0x00FFFF},
        {QStringLiteral("clblue"), 0xFF0000},    {QStringLiteral("clfuchsia"), 0xFF00FF},
        {QStringLiteral("claqua"), 0xFFFF00},    {QStringLiteral("clwhite"), 0xFFFFFF},
        {QStringLiteral("clltgray"), 0xC0C0C0},  {QStringLiteral("cldkgray"), 0x808080},
        {QStringLiteral("clmoneygreen"), 0xC0DCC0}, {QStringLiteral("clskyblue"), 0xF0CAA6},
        {QStringLiteral("clcream"), 0xF0FBFF},   {QStringLiteral("clmedgray"), 0xA4A0A0},
        // The usual values of the system colours a table might name.
        {QStringLiteral("clwindow"), 0xFFFFFF},  {QStringLiteral("clwindowtext"), 0x000000},
        {QStringLiteral("clbtnface"), 0xF0F0F0}, {QStringLiteral("clbtnshadow"), 0xA0A0A0},
        {QStringLiteral("clhighlight"), 0xD77800}, {QStringLiteral("clinfobk"), 0xE1FFFF},
    };
    return n;
}

QColor deBgr(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

} // namespace

bool ColorDeTexto(const QString& texto, QColor& color) {
    const QString t = texto.trimmed();
    const auto i = nombres().constFind(t.toLower());
    if (i != nombres().constEnd()) {
        color = deBgr(*i);
        return true;
    }
    bool ok = false;
    qlonglong v = 0;
    if (t.startsWith(QLatin1Char('$'))) v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) v = t.mid(2).toLongLong(&ok, 16);
    else v = t.toLongLong(&ok, 10);
    // The high byte marks system and palette colours, which have no fixed value.
    if (!ok || v < 0 || v > 0xFFFFFF) return false;
    color = deBgr(quint32(v));
    return true;
}

} // namespace kz
