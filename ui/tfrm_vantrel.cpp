#include "ui/tfrm_vantrel.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "core/number_key_filter.h"
#include "sheets/sheet_routines.h"

namespace vantrel {

TFrm_vantrel* Frm_vantrel = nullptr;

TFrm_vantrel::TFrm_vantrel() {
    setupUi(this);
}

ValueField* TFrm_vantrel::FocusedField() const {
    return FocusedEdit();
}

ValueField& TFrm_vantrel::Field(std::string_view layoutName) const {
    if (TEdit* field = FindEdit(layoutName)) {
        return *field;
    }
    throw std::out_of_range("no value field " + std::string(layoutName));
}

void TFrm_vantrel::Edt_Gm_hKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}
void TFrm_vantrel::Edt_QGJ_kKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}
void TFrm_vantrel::Edt_QGWKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}
void TFrm_vantrel::Edt_QGJKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}
void TFrm_vantrel::Edt_HGHKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}
void TFrm_vantrel::Edt_PGPaKeyPress(char& Key) {
    FilterNumberKey(*this, Key);
}

void TFrm_vantrel::Edt_Gm_hKeyUp() {
    RecalcVolumeFlow(*this);
}
void TFrm_vantrel::Edt_QGJ_kKeyUp() {
    RecalcSpecificHeat(*this);
}
void TFrm_vantrel::Edt_QGWKeyUp() {
    RecalcHeatFlow(*this);
}
void TFrm_vantrel::Edt_QGJKeyUp() {
    RecalcHeat(*this);
}
void TFrm_vantrel::Edt_HGHKeyUp() {
    RecalcForce(*this);
}
void TFrm_vantrel::Edt_PGPaKeyUp() {
    RecalcPressure(*this);
}

void TFrm_vantrel::Btn_ExitClick() {
    // At once: no close sequence, no static destructors running under a live
    // QApplication; whatever the C streams hold is written out first.
    std::fflush(nullptr);
    std::_Exit(1);
}

}  // namespace vantrel
