#include "Globali.h"

namespace tarno {

bool gbAvviato = false;
QString gsTestoSi = QStringLiteral("S\u00EC");
QString gsTestoNo = QStringLiteral("No");

}  // namespace tarno
