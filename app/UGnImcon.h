#pragma once
// The main window: alias discovery, the override of server and database, the checks and the
// generation of the connections file.
#include "app/Motores.h"
#include "runtime/Exceptions.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <memory>

class TFrmGnImcon : public zt::ui::Form {
public:
    TFrmGnImcon();

    zt::ui::GroupBox GrbAlias;
    zt::ui::CheckListBox ChkLBAlias;
    zt::ui::Panel PnlImportar;
    zt::ui::Button BtnImportar;
    zt::ui::Panel PnlMotor;
    zt::ui::Panel Panel3;
    zt::ui::Image Image1;
    zt::ui::RadioGroup RdgTipMoto;
    zt::ui::GroupBox GrbConfiguracion;
    zt::ui::CheckBox ChkNewParam;
    zt::ui::Edit EdtServidor;
    zt::ui::Edit EdtBaseDatos;
    zt::ui::Label LblServidor;
    zt::ui::Label LblBaseDatos;

    void FormCreate(zt::ui::Control& Sender);
    void ChkNewParamClick(zt::ui::Control& Sender);
    void BtnImportarClick(zt::ui::Control& Sender);
    void AppException(void* Sender, const zt::Exception& E);

    void CargarAliasBDE();
    void Importar();

private:
    void HabilitarNuevosParametros(bool pHabilitar);
    void ValidarDatos();
    void MostrarVersionEnTitulo();
};

extern std::unique_ptr<TFrmGnImcon> FrmGnImcon;
