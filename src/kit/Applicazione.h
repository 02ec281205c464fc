#pragma once
// The set-up of the application that the editor and its window tests share.

#include <QSettings>

namespace tarno {

// The program's names ("Tarno Driver" in every window title) and Qt's own dialogs and buttons
// (file dialogs, Yes/No/Cancel) in the interface language. Call once, after the application
// object exists.
void PreparaApplicazione();

// The user's settings of the editor (window, preview, folders, language), in one place for all.
QSettings ImpostazioniUtente();

}  // namespace tarno
