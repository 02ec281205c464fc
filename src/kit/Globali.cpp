#include "kit/Globali.h"

#include "kit/TestoQt.h"

namespace tarno {

bool gbAvviato = false;
QString gsTestoSi = QStringLiteral("S\u00EC");
QString gsTestoNo = QStringLiteral("No");

std::string ValoreSi() { return InCp1252(gsTestoSi).value_or("S\xEC"); }
std::string ValoreNo() { return InCp1252(gsTestoNo).value_or("No"); }

}  // namespace tarno
