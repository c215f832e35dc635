#include "filtroexpresion.h"

#include <QList>

namespace kz {

struct FiltroExpresion::Nodo {
    enum Tipo { Y, O, No, Comparacion } tipo = Comparacion;
    std::unique_ptr<Nodo> a, b;
    QString op;
    // Operands of a comparison: a column (>= 0) or a constant.
    int colA = -1, colB = -1;
    QVariant constA, constB;
    bool numA = false, numB = false;
};

namespace {

struct Token {
    enum Tipo { Nombre, Texto, Numero, Operador, Abre, Cierra, Fin } tipo = Fin;
    QString valor;
};

QList<Token> trocea(const QString& s, QString& error) {
    QList<Token> t;
    int i = 0;
    while (i < s.size()) {
        const QChar ch = s[i];
        if (ch.isSpace()) { ++i; continue; }
        if (ch == QLatin1Char('(')) { t << Token{Token::Abre, {}}; ++i; continue; }
        if (ch == QLatin1Char(')')) { t << Token{Token::Cierra, {}}; ++i; continue; }
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            QString v;
            int j = i + 1;
            bool cerrado = false;
            while (j < s.size()) {
                if (s[j] == ch) {
                    if (j + 1 < s.size() && s[j + 1] == ch) { v += ch; j += 2; continue; }
                    cerrado = true;
                    break;
                }
                v += s[j++];
            }
            if (!cerrado) { error = QStringLiteral("Falta cerrar la comilla del texto %1").arg(v); return {}; }
            t << Token{Token::Texto, v};
            i = j + 1;
            continue;
        }
        if (QStringLiteral("<>=").contains(ch)) {
            QString op(ch);
            if (i + 1 < s.size() && (s[i + 1] == QLatin1Char('=') || (ch == QLatin1Char('<') && s[i + 1] == QLatin1Char('>'))))
                op += s[++i];
            ++i;
            t << Token{Token::Operador, op};
            continue;
        }
        if (ch.isDigit() || ((ch == QLatin1Char('-')) && i + 1 < s.size() && s[i + 1].isDigit())) {
            int j = i + 1;
            while (j < s.size() && (s[j].isDigit() || s[j] == QLatin1Char('.'))) ++j;
            t << Token{Token::Numero, s.mid(i, j - i)};
            i = j;
            continue;
        }
        if (ch.isLetter() || ch == QLatin1Char('_') || ch == QLatin1Char('[')) {
            int j = i;
            QString v;
            if (ch == QLatin1Char('[')) {
                j = s.indexOf(QLatin1Char(']'), i);
                if (j < 0) { error = QStringLiteral("Falta cerrar el corchete"); return {}; }
                v = s.mid(i + 1, j - i - 1);
                ++j;
            } else {
                while (j < s.size() && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_') || s[j] == QLatin1Char('.'))) ++j;
                v = s.mid(i, j - i);
            }
            t << Token{Token::Nombre, v};
            i = j;
            continue;
        }
        error = QStringLiteral("Carácter no válido en el filtro: %1").arg(ch);
        return {};
    }
    t << Token{Token::Fin, {}};
    return t;
}

class Analizador {
public:
    Analizador(QList<Token> t, const FiltroExpresion::Resolutor& r) : t_(std::move(t)), r_(r) {}
    std::unique_ptr<FiltroExpresion::Nodo> expresion() {
        auto a = termino();
        while (a && esPalabra(QStringLiteral("or"))) {
            ++p_;
            auto n = std::make_unique<FiltroExpresion::Nodo>();
            n->tipo = FiltroExpresion::Nodo::O;
            n->a = std::move(a);
            n->b = termino();
            if (!n->b) return nullptr;
            a = std::move(n);
        }
        return a;
    }
    QString error;
    bool alFinal() const { return t_[p_].tipo == Token::Fin; }

private:
    bool esPalabra(const QString& w) const {
        return t_[p_].tipo == Token::Nombre && t_[p_].valor.compare(w, Qt::CaseInsensitive) == 0;
    }
    std::unique_ptr<FiltroExpresion::Nodo> termino() {
        auto a = factor();
        while (a && esPalabra(QStringLiteral("and"))) {
            ++p_;
            auto n = std::make_unique<FiltroExpresion::Nodo>();
            n->tipo = FiltroExpresion::Nodo::Y;
            n->a = std::move(a);
            n->b = factor();
            if (!n->b) return nullptr;
            a = std::move(n);
        }
        return a;
    }
    std::unique_ptr<FiltroExpresion::Nodo> factor() {
        if (esPalabra(QStringLiteral("not"))) {
            ++p_;
            auto n = std::make_unique<FiltroExpresion::Nodo>();
            n->tipo = FiltroExpresion::Nodo::No;
            n->a = factor();
            if (!n->a) return nullptr;
            return n;
        }
        if (t_[p_].tipo == Token::Abre) {
            ++p_;
            auto n = expresion();
            if (!n) return nullptr;
            if (t_[p_].tipo != Token::Cierra) { error = QStringLiteral("Falta un paréntesis de cierre"); return nullptr; }
            ++p_;
            return n;
        }
        auto n = std::make_unique<FiltroExpresion::Nodo>();
        if (!operando(n->colA, n->constA, n->numA)) return nullptr;
        if (t_[p_].tipo != Token::Operador) { error = QStringLiteral("Se esperaba un operador de comparación"); return nullptr; }
        n->op = t_[p_++].valor;
        if (!operando(n->colB, n->constB, n->numB)) return nullptr;
        return n;
    }
    bool operando(int& col, QVariant& constante, bool& numerico) {
        const Token& t = t_[p_];
        switch (t.tipo) {
        case Token::Nombre: {
            col = r_(t.valor, numerico);
            if (col < 0) { error = QStringLiteral("Campo desconocido en el filtro: %1").arg(t.valor); return false; }
            ++p_;
            return true;
        }
        case Token::Texto:
            constante = t.valor;
            numerico = false;
            ++p_;
            return true;
        case Token::Numero:
            constante = t.valor.toDouble();
            numerico = true;
            ++p_;
            return true;
        default:
            error = QStringLiteral("Se esperaba un campo o un valor");
            return false;
        }
    }
    QList<Token> t_;
    const FiltroExpresion::Resolutor& r_;
    int p_ = 0;
};

bool compara(const QString& op, int c) {
    if (op == QLatin1String("=")) return c == 0;
    if (op == QLatin1String("<>")) return c != 0;
    if (op == QLatin1String("<")) return c < 0;
    if (op == QLatin1String("<=")) return c <= 0;
    if (op == QLatin1String(">")) return c > 0;
    return c >= 0;
}

bool evaluaNodo(const FiltroExpresion::Nodo& n, const FiltroExpresion::Lector& leer, bool sinMay, bool parcial) {
    using N = FiltroExpresion::Nodo;
    switch (n.tipo) {
    case N::Y: return evaluaNodo(*n.a, leer, sinMay, parcial) && evaluaNodo(*n.b, leer, sinMay, parcial);
    case N::O: return evaluaNodo(*n.a, leer, sinMay, parcial) || evaluaNodo(*n.b, leer, sinMay, parcial);
    case N::No: return !evaluaNodo(*n.a, leer, sinMay, parcial);
    case N::Comparacion: break;
    }
    const QVariant a = n.colA >= 0 ? leer(n.colA) : n.constA;
    const QVariant b = n.colB >= 0 ? leer(n.colB) : n.constB;
    if (n.numA || n.numB) {
        // Numeric comparison; an empty value is below every number.
        const bool nulA = a.isNull() || (a.typeId() == QMetaType::QString && a.toString().isEmpty());
        const bool nulB = b.isNull() || (b.typeId() == QMetaType::QString && b.toString().isEmpty());
        if (nulA || nulB) return compara(n.op, nulA == nulB ? 0 : (nulA ? -1 : 1));
        bool okA = true, okB = true;
        const double x = a.typeId() == QMetaType::QString ? a.toString().toDouble(&okA) : a.toDouble();
        const double y = b.typeId() == QMetaType::QString ? b.toString().toDouble(&okB) : b.toDouble();
        if (okA && okB) return compara(n.op, x < y ? -1 : (x > y ? 1 : 0));
    }
    QString x = a.isNull() ? QString() : a.toString();
    QString y = b.isNull() ? QString() : b.toString();
    if (a.typeId() == QMetaType::Bool) x = a.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (b.typeId() == QMetaType::Bool) y = b.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    const Qt::CaseSensitivity cs = sinMay ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (parcial && n.colB < 0 && y.endsWith(QLatin1Char('*')) && (n.op == QLatin1String("=") || n.op == QLatin1String("<>"))) {
        const bool empieza = x.startsWith(y.left(y.size() - 1), cs);
        return n.op == QLatin1String("=") ? empieza : !empieza;
    }
    return compara(n.op, QString::compare(x, y, cs));
}

} // namespace

FiltroExpresion::~FiltroExpresion() = default;

std::unique_ptr<FiltroExpresion> FiltroExpresion::compila(const QString& texto, const Resolutor& r, QString& error) {
    QList<Token> t = trocea(texto, error);
    if (!error.isEmpty()) return nullptr;
    Analizador a(std::move(t), r);
    auto raiz = a.expresion();
    if (!raiz) { error = a.error; return nullptr; }
    if (!a.alFinal()) { error = QStringLiteral("Sobra texto al final del filtro"); return nullptr; }
    std::unique_ptr<FiltroExpresion> f(new FiltroExpresion);
    f->raiz_ = std::move(raiz);
    return f;
}

bool FiltroExpresion::evalua(const Lector& leer, bool sinMayusculas, bool parcial) const {
    return evaluaNodo(*raiz_, leer, sinMayusculas, parcial);
}

} // namespace kz
