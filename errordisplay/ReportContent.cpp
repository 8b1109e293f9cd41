#include "errordisplay/ReportContent.h"

#include "errordisplay/ModuleSupport.h"

namespace zt::errordisplay {
namespace {

std::wstring DetailsOf(const ZtErrorObject* error) {
    if (error == nullptr || error->structSize < sizeof(ZtErrorObject))
        return {};
    std::wstring details;
    if (error->hasOSErrorCode)
        details = L"Código del sistema: " + std::to_wstring(error->osErrorCode);
    for (std::uint32_t i = 0; i < error->engineStatusCount && error->engineStatusCodes != nullptr; ++i) {
        if (i == 0)
            details += std::wstring(details.empty() ? L"" : L"\r\n") + L"Códigos del motor: ";
        else
            details += L", ";
        details += std::to_wstring(error->engineStatusCodes[i]);
    }
    return details;
}

} // namespace

std::wstring KindHeading(std::wstring_view kind) {
    if (kind == L"R")
        return L"Recursos del sistema agotados";
    if (kind == L"C")
        return L"Error de conversión";
    return L"Error";
}

ReportContent ReportContentOf(BSTR title, BSTR kind, const ZtErrorObject* error) {
    return ReportContent{
        .title = std::wstring(TextOf(title)),
        .heading = KindHeading(TextOf(kind)),
        .classLine = L"Clase: " + std::wstring(ClassNameOf(error)),
        .message = std::wstring(MessageOf(error)),
        .details = DetailsOf(error),
    };
}

} // namespace zt::errordisplay
