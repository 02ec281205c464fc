#pragma once
// The reading of the sample (clsLetturaCampione), one row per call and per line no call took,
// for the preview's table. Analizza reads the sample's bytes with a driver once; the rows keep
// what the view needs to colour the sample (the lines of each call, the fields with their
// lines) and to select a call's lines, and the reading answers the questions about the sample.

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analisi/clsLetturaCampione.h"
#include "engine/clsAnalizzatore.h"

namespace tarno {

class clsDriver;

struct RigaAnteprima {
    enum Tipo { CHIAMATA, NON_RICONOSCIUTA, CAMPO_ESCLUSO };
    Tipo tipo = CHIAMATA;
    bool bEntrante = true;
    bool bTrasferita = false;
    bool bIncompleta = false;
    std::vector<uint64_t> vRighe;        // lines of the sample, from 1
    std::span<const CampoLetto> vCampi;  // in the model's reading
    size_t iErrori = 0;
    std::string sTesto;  // a line no call took, as read
    QString sPerche;     // why no call took it, or why a field was left out
};

class ModelloAnteprima : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Colonna { COL_RIGHE, COL_TIPO, COL_ESITO, NUM_COLONNE_FISSE };

    explicit ModelloAnteprima(QObject* parent = nullptr);

    // Reads the sample (Windows-1252 bytes) with the driver; vEsclusi are the fields the driver
    // was built without (a save would refuse them), listed as rows of their own.
    void Analizza(const clsDriver& driver, const MappaFormati& formati, std::string_view sByte,
                  const std::vector<QString>& vEsclusi = {});

    const ConteggiAnalisi& Conteggi() const { return mpLettura->Conteggi(); }
    const std::vector<RigaAnteprima>& Righe() const { return mvRighe; }
    // The reading: the lines as the engine reads them (a line cut in two pieces is there
    // twice), with where their characters came from, and the questions about the sample.
    const clsLetturaCampione& Lettura() const { return *mpLettura; }
    // The summary line of the preview, then a line for each of the engine's warnings.
    QString Sommario() const;
    QString Avvisi() const;
    // A tooltip that shows the text as it is: "<I>" stays "<I>", blanks and lines are kept.
    static QString Suggerimento(const QString& sTesto);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

  private:
    std::vector<RigaAnteprima> mvRighe;
    std::unique_ptr<clsLetturaCampione> mpLettura;
    std::vector<std::string> mvNomiCampi;  // the field columns, in the pages' order
};

}  // namespace tarno
