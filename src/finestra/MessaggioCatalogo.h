#pragma once
// The message that tells the user why the catalogue's last operation failed, in the words of
// the string table (the server's own words when it gave some).

#include <QString>

namespace tarno {

class clsCatalogo;

QString MessaggioCatalogo(const clsCatalogo& catalogo);

}  // namespace tarno
