#include "finestra/MessaggioCatalogo.h"

#include <iterator>

#include "catalogo/clsCatalogo.h"
#include "kit/Risorse.h"
#include "kit/TestoQt.h"

namespace tarno {

QString MessaggioCatalogo(const clsCatalogo& catalogo) {
    const ErroreCatalogo tipo = catalogo.TipoUltimoErrore();
    const QString dettaglio = DaCp1252(catalogo.DettaglioErrore());
    if (tipo == ErroreCatalogo::Nessuno) return DaCp1252(catalogo.UltimoErrore());
    if ((tipo == ErroreCatalogo::Connessione || tipo == ErroreCatalogo::Database) &&
        !dettaglio.isEmpty())
        return dettaglio;
    // The number of the text of each kind, in the order of the kinds.
    static constexpr int numeri[] = {0, 30401, 30402, 30403, 30404, 30405, 30406, 30407};
    const auto indice = static_cast<size_t>(tipo);
    const int numero = indice < std::size(numeri) ? numeri[indice] : 0;
    QString testo = TestoRisorsa(numero, TestoErroreCatalogo(tipo));
    if (testo.contains(QStringLiteral("%1"))) testo = testo.arg(dettaglio);
    return testo;
}

}  // namespace tarno
