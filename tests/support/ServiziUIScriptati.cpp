#include "ServiziUIScriptati.h"

namespace tarno {

RispostaUI ServiziUIScriptati::Messaggio(QWidget*, const QString& testo, IconaUI icona,
                                         PulsantiUI pulsanti, const QString& titolo) {
    mMessaggi.push_back(Richiesta{testo, icona, pulsanti, titolo});
    if (pulsanti == PulsantiUI::Ok) return RispostaUI::Ok;
    if (mRisposte.empty())
        return pulsanti == PulsantiUI::SiNoAnnulla ? RispostaUI::Annulla : RispostaUI::No;
    const RispostaUI r = mRisposte.front();
    mRisposte.pop_front();
    return r;
}

QString ServiziUIScriptati::NomeFileApri(QWidget*, const QString& titolo, const QString& cartella,
                                         const QString& filtro) {
    mDialoghiFile << titolo;
    mFiltri << filtro;
    mCartelle << cartella;
    if (mNomiFile.empty()) return {};
    const QString n = mNomiFile.front();
    mNomiFile.pop_front();
    return n;
}

QString ServiziUIScriptati::NomeFileSalva(QWidget* padre, const QString& titolo,
                                          const QString& nome, const QString& filtro) {
    return NomeFileApri(padre, titolo, nome, filtro);
}

void ServiziUIScriptati::CursoreOccupato(bool attivo) {
    miCursore += attivo ? 1 : -1;
    if (miCursore > miMaxCursore) miMaxCursore = miCursore;
}

QString ServiziUIScriptati::ChiediTesto(QWidget*, const QString&, const QString& etichetta,
                                        const QString&) {
    mDomande << etichetta;
    if (mTesti.empty()) return {};
    const QString t = mTesti.front();
    mTesti.pop_front();
    return t;
}

void ServiziUIScriptati::Reimposta() { *this = ServiziUIScriptati(); }

}  // namespace tarno
