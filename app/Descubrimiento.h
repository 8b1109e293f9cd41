#pragma once
// Alias discovery apart from any window: the driver type of Zentor7 names the engine being migrated,
// and every alias of that driver type (ASCII letter case aside) is found, in catalogue order. What
// is found goes to a destination as it is found, so a failure leaves there what came before it.
#include <cstddef>
#include <string>

class TDestinoDelDescubrimiento {
public:
    // The engine has started and listed this many aliases.
    virtual void AliasLeidos(std::size_t pCantidad) = 0;
    // Zentor7's driver type and the engine index it selects (-1: none of the three).
    virtual void MotorDetectado(int pMotor, const std::wstring& pDriver) = 0;
    virtual void AliasEncontrado(const std::wstring& pAlias) = 0;

protected:
    ~TDestinoDelDescubrimiento() = default;
};

// The required alias, whose driver type names the engine.
inline constexpr const wchar_t* kAliasRequerido = L"Zentor7";

// Raises the catalogue's errors, and "Alias Zentor7 no encontrado. ..." when Zentor7 is not listed.
void DescubrirAlias(TDestinoDelDescubrimiento& pDestino);

// The engine index that a driver type selects: exact comparison, -1 for any other text.
int MotorDelDriver(const std::wstring& pDriver);
