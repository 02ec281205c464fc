#include "engine/clsLettoreRighe.h"

#include <algorithm>
#include <cstring>

#include "engine/TestoMotore.h"
#include "engine/Trasformazioni.h"
#include "engine/clsImpostazioniMotore.h"

namespace tarno {

using namespace motore;

uint64_t RigaMotore::Origine(size_t i) const {
    size_t stampato = iSalto + i;
    if (pTolti)
        for (const uint32_t t : *pTolti) {
            if (t > stampato) break;
            ++stampato;
        }
    return iByte + stampato;
}

clsLettoreRighe::clsLettoreRighe(const clsImpostazioniMotore& imp, IRigheMotore& righe,
                                 ConteggiAnalisi& rConteggi)
    : mImp(imp), mRighe(righe), mConteggi(rConteggi) {}

void clsLettoreRighe::Accumula(const char* a, const char* b) {
    const size_t n = static_cast<size_t>(b - a);
    // One character more than a line keeps, so that it is still seen as too long.
    if (msParziale.size() <= MAX_CARATTERI_RIGA)
        msParziale.append(a, std::min(n, MAX_CARATTERI_RIGA + 1 - msParziale.size()));
    miParziale += n;
}

void clsLettoreRighe::FineRiga(const char* a, const char* b) {
    if (miParziale == 0) {
        Leggi(std::string_view(a, static_cast<size_t>(b - a)));
        return;
    }
    Accumula(a, b);
    Leggi(msParziale);
    msParziale.clear();
    miParziale = 0;
}

void clsLettoreRighe::Dati(std::string_view b) {
    const char* const base = b.data();
    const char* p = base;
    const char* const e = p + b.size();
    const auto dove = [&](const char* c) { return miLetti + static_cast<uint64_t>(c - base); };
    const bool* const fineRiga = mImp.fineRiga.data();
    const char separatore = mImp.cSeparatore;
    while (p < e) {
        if (mbDopoCR) {
            mbDopoCR = false;
            if (*p == '\n') {
                miInizio = dove(++p);
                continue;
            }
        }
        // Most lines end in LF or CR LF with no other line end inside: found with memchr.
        if (const auto* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(e - p)))) {
            const char* fine = lf > p && lf[-1] == '\r' ? lf - 1 : lf;
            bool altro = false;
            for (const char* c = p; c < fine; ++c)
                altro |= (*c == '\r') | (*c == '\f') | (*c == separatore);
            if (!altro) {
                FineRiga(p, fine);
                p = lf + 1;
                miInizio = dove(p);
                continue;
            }
        }
        const char* q = p;
        while (q < e && !fineRiga[static_cast<unsigned char>(*q)]) ++q;
        if (q == e) {
            Accumula(p, e);
            break;
        }
        if (*q == '\f') {
            // The line before it ends, when it has text; the form feed begins the next one.
            if (q > p || miParziale > 0) {
                FineRiga(p, q);
                miInizio = dove(q);
            }
            Accumula(q, q + 1);
        } else {
            FineRiga(p, q);
            mbDopoCR = *q == '\r';
            miInizio = dove(q + 1);
        }
        p = q + 1;
    }
    miLetti += b.size();
}

void clsLettoreRighe::Fine() {
    // The last line without its end; a form feed alone at the very end starts no line.
    if (miParziale > 0 && msParziale != "\f") Leggi(msParziale);
    msParziale.clear();
    miParziale = 0;
}

void clsLettoreRighe::Riga(std::string_view s) {
    Leggi(s);
    miInizio += s.size() + 1;
}

void clsLettoreRighe::Leggi(std::string_view s) {
    const uint64_t n = ++mConteggi.iRighe;
    mvTolti.clear();
    if (mImp.bTogliControlli && !SenzaControlli(s)) {
        // The tab stays: ESPANDI and the blanks around a field count it as a blank.
        msPulita.clear();
        for (size_t i = 0; i < s.size(); ++i) {
            if (!Controllo(s[i]) || s[i] == '\t')
                msPulita.push_back(s[i]);
            else
                mvTolti.push_back(static_cast<uint32_t>(i));
        }
        s = msPulita;
    }
    const auto scarta = [&](MotivoRiga motivo) {
        ++(motivo == MotivoRiga::Vuota ? mConteggi.iVuote : mConteggi.iPrescanning);
        mRighe.Scartata(n, s, motivo);
    };
    if (mbDopoFine) return scarta(MotivoRiga::DopoFine);
    if (n <= mImp.iRigheIntestazione) return scarta(MotivoRiga::Intestazione);
    if (!mImp.sFineStampa.empty() && s.find(mImp.sFineStampa) != std::string_view::npos) {
        mbDopoFine = true;
        return scarta(MotivoRiga::FineStampa);
    }
    if (!mImp.sSaltaRigheCon.empty() && s.find(mImp.sSaltaRigheCon) != std::string_view::npos)
        return scarta(MotivoRiga::Saltata);
    const size_t salto = std::min(s.size(), mImp.iOffset);
    s.remove_prefix(salto);
    if (mImp.bIgnoraVuote && TuttoBianco(s)) return scarta(MotivoRiga::Vuota);
    if (s.size() > mImp.iSogliaLunga) {
        ++mConteggi.iRigheLunghe;
        const bool troppo = s.size() > MAX_CARATTERI_RIGA;
        mRighe.AvvisoRiga(
            n, "riga di " + std::string(troppo ? "oltre " : "") +
                   std::to_string(troppo ? MAX_CARATTERI_RIGA : s.size()) +
                   " caratteri, molti di pi\xF9 dei " + std::to_string(mImp.iLarghezza) +
                   " che il driver legge: forse la stampa chiude le righe con un altro carattere "
                   "(SeparatoreRecord nel prescanning)");
    }
    if (s.size() > MAX_CARATTERI_RIGA) {
        ++mConteggi.iRigheTroncate;
        s = s.substr(0, MAX_CARATTERI_RIGA);
    }
    const size_t tronca = static_cast<size_t>(std::max(mImp.iTroncaDopo, 0));
    if (tronca > 0 && s.size() > tronca) {
        Aggiungi(n, s.substr(0, tronca), 1, salto);
        Aggiungi(n, s.substr(tronca), 2, salto + tronca);
    } else {
        Aggiungi(n, s, 0, salto);
    }
}

void clsLettoreRighe::Aggiungi(uint64_t n, std::string_view s, uint8_t iPezzo, size_t iSalto) {
    mRiga.iNumero = n;
    mRiga.iPezzo = iPezzo;
    mRiga.sLetta = s;
    mRiga.iByte = miInizio;
    mRiga.iSalto = iSalto;
    mRiga.pTolti = mvTolti.empty() ? nullptr : &mvTolti;
    if (mImp.iniziali.empty()) {
        mRiga.sTesto = s;
    } else {
        std::string& testo = mIniziale.sTesto;
        testo.assign(s);
        for (const Trasf* t : mImp.iniziali) {
            // Every row of the conditions is the line itself.
            if (!t->condizioni.empty() &&
                !mImp.Valuta(
                    t->condizioni, [this](int) { return &mIniziale; }, false))
                continue;
            ApplicaTrasformazione(*t, testo);
        }
        mRiga.sTesto = testo;
    }
    mRighe.Riga(mRiga);
}

}  // namespace tarno
