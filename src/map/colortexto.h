#pragma once
// Colours written as text the way the rule tables keep them: a standard colour name such as
// "clGreen", or a number, usually "$" and eight hexadecimal digits 00BBGGRR ("0x" and plain
// decimal are read too). Names compare without regard to letter case.

#include <QColor>
#include <QString>

namespace kz {

// False, leaving `color` as it was, when the text is not a colour.
bool ColorDeTexto(const QString& texto, QColor& color);

} // namespace kz
