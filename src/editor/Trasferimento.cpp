// Transfer between the window's grids and the driver object, and the checks before a save.

#include "frmDriver.h"

namespace tarno {

bool frmDriver::AggiornaGriglie() { return true; }

bool frmDriver::ControllaGrdChiamate(TabellaValori&) { return true; }

void frmDriver::LeggiGrdChiamate_Trasf(clsChiamata&, TabellaValori&) {}

void frmDriver::RiempiGrdChiamate_Trasf(TabellaValori&, clsChiamata*) {}

bool frmDriver::ControllaDatiRiempiOggettoDriver() { return true; }

}  // namespace tarno
