#pragma once
// Filter expressions in the syntax the search dialog builds:
//   expr   := term { Or term }        term := factor { And factor }
//   factor := Not factor | "(" expr ")" | operand op operand
//   op     := < <= > >= = <>          operand := field name | 'text' | "text" | number
// Keywords are case-insensitive. A text constant ending in "*" means "begins with" when the
// partial option is on; with the case option off, texts compare without regard to case. An
// empty field equals the empty text and nothing else; it is below every number.

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace kz {

class FiltroExpresion {
public:
    // Resolves a field name to its column (-1 when unknown) and tells whether it is numeric.
    using Resolutor = std::function<int(const QString& nombre, bool& numerico)>;
    using Lector = std::function<QVariant(int columna)>;

    static std::unique_ptr<FiltroExpresion> compila(const QString& texto, const Resolutor& r, QString& error);
    ~FiltroExpresion();
    bool evalua(const Lector& leer, bool sinMayusculas, bool parcial) const;

    struct Nodo;
private:
    FiltroExpresion() = default;
    std::unique_ptr<Nodo> raiz_;
};

} // namespace kz
