#include "app/UGnImcon.h"

#include "app/LayoutGnImcon.h"

std::unique_ptr<TFrmGnImcon> FrmGnImcon;

TFrmGnImcon::TFrmGnImcon() : Form(zt::ui::FormStyle{L"TFrmGnImcon"}) {
    SetClientSize(kClientWidthGnImcon, kClientHeightGnImcon);
    SetText(std::wstring(kCaptionGnImcon));
    const zt::ui::LayoutMember members[] = {
        {L"GrbAlias", &GrbAlias},
        {L"ChkLBAlias", &ChkLBAlias},
        {L"PnlImportar", &PnlImportar},
        {L"BtnImportar", &BtnImportar},
        {L"PnlMotor", &PnlMotor},
        {L"Panel3", &Panel3},
        {L"Image1", &Image1},
        {L"RdgTipMoto", &RdgTipMoto},
        {L"GrbConfiguracion", &GrbConfiguracion},
        {L"ChkNewParam", &ChkNewParam},
        {L"EdtServidor", &EdtServidor},
        {L"EdtBaseDatos", &EdtBaseDatos},
        {L"LblServidor", &LblServidor},
        {L"LblBaseDatos", &LblBaseDatos},
    };
    zt::ui::ApplyLayout(*this, LayoutGnImcon(), members);
    Image1.LoadPictureResource(kLogoResourceGnImcon);

    OnCreate = [this](zt::ui::Control& sender) { FormCreate(sender); };
    ChkNewParam.OnClick = [this](zt::ui::Control& sender) { ChkNewParamClick(sender); };
    BtnImportar.OnClick = [this](zt::ui::Control& sender) { BtnImportarClick(sender); };
}
