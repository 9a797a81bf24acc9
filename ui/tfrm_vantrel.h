// The Vantrel window: six sheets of unit fields built from vantrel.ui, and the
// event methods the layout binds to them by name. The same class serves every
// window toolkit: each toolkit turns the layout into `Ui::Frm_vantrel` (on Qt,
// uic; on Win32, the toolkit's form compiler) and supplies TForm and TEdit.
#pragma once

#include <string_view>

#include "toolkit/field_host.h"
#include "ui_vantrel.h"

namespace vantrel {

class TFrm_vantrel : public TForm, public FieldHost, public Ui::Frm_vantrel {
    Q_OBJECT
public:
    TFrm_vantrel();

    ValueField* FocusedField() const override;
    ValueField& Field(std::string_view layoutName) const override;

public slots:
    // Key presses of every value field: the keystroke filter.
    void Edt_Gm_hKeyPress(char& Key);
    void Edt_QGJ_kKeyPress(char& Key);
    void Edt_QGWKeyPress(char& Key);
    void Edt_QGJKeyPress(char& Key);
    void Edt_HGHKeyPress(char& Key);
    void Edt_PGPaKeyPress(char& Key);
    // Key releases: recalculate the field's sheet from the focused field.
    void Edt_Gm_hKeyUp();
    void Edt_QGJ_kKeyUp();
    void Edt_QGWKeyUp();
    void Edt_QGJKeyUp();
    void Edt_HGHKeyUp();
    void Edt_PGPaKeyUp();
    // Ends the process at once with exit status 1.
    void Btn_ExitClick();
};

// The one window, set by TApplication::CreateForm.
extern TFrm_vantrel* Frm_vantrel;

}  // namespace vantrel
