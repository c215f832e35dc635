#include "cp1252.h"

namespace kz {
namespace {

// Characters of bytes 0x80 to 0x9F; the unassigned ones keep their own number.
constexpr char16_t kAltos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString deCp1252(const QByteArray& bytes) {
    QString s;
    s.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        s += (b >= 0x80 && b < 0xA0) ? QChar(kAltos[b - 0x80]) : QChar(b);
    }
    return s;
}

bool aCp1252(const QString& texto, QByteArray& bytes) {
    bytes.clear();
    bytes.reserve(texto.size());
    for (QChar ch : texto) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += char(u);
            continue;
        }
        int i = 0;
        while (i < 32 && kAltos[i] != u) ++i;
        if (i == 32) return false;
        bytes += char(0x80 + i);
    }
    return true;
}

} // namespace kz
