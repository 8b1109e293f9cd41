#pragma once
// The error class tree shared by every layer. Every failure is one of these; the
// application-wide handler decides what becomes of each kind by its class.
#include <cstdint>
#include <string>
#include <vector>

namespace zt {

class Exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    const std::wstring& Message() const { return message_; }
    virtual const wchar_t* ClassName() const { return L"Exception"; }

private:
    std::wstring message_;
};

#define ZT_EXCEPTION_CLASS(Name, Base)                                                                       \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
        const wchar_t* ClassName() const override { return L## #Name; }                                      \
    }

// A failed operating-system call, with the system's error code.
class EOSError : public Exception {
public:
    explicit EOSError(std::uint32_t errorCode);
    std::uint32_t ErrorCode() const { return errorCode_; }
    const wchar_t* ClassName() const override { return L"EOSError"; }

private:
    std::uint32_t errorCode_;
};

ZT_EXCEPTION_CLASS(EConvertError, Exception);
ZT_EXCEPTION_CLASS(EOutOfMemory, Exception);
ZT_EXCEPTION_CLASS(EOutOfResources, EOutOfMemory);
ZT_EXCEPTION_CLASS(EAbort, Exception);
ZT_EXCEPTION_CLASS(EDatabaseError, Exception);
ZT_EXCEPTION_CLASS(EMathError, Exception);
ZT_EXCEPTION_CLASS(EZeroDivide, EMathError);
ZT_EXCEPTION_CLASS(EInvalidOp, EMathError);
ZT_EXCEPTION_CLASS(EInvalidOperation, Exception);
ZT_EXCEPTION_CLASS(EStreamError, Exception);
ZT_EXCEPTION_CLASS(EWriteError, EStreamError);
ZT_EXCEPTION_CLASS(EFCreateError, EStreamError);

// An error of the database engine, with the status code of every engine error entry it reports.
class EDBEngineError : public EDatabaseError {
public:
    EDBEngineError(std::wstring message, std::vector<std::uint16_t> statusCodes)
        : EDatabaseError(std::move(message)), statusCodes_(std::move(statusCodes)) {}
    const std::vector<std::uint16_t>& StatusCodes() const { return statusCodes_; }
    const wchar_t* ClassName() const override { return L"EDBEngineError"; }

private:
    std::vector<std::uint16_t> statusCodes_;
};

#undef ZT_EXCEPTION_CLASS

// The messages of the errors that are known by their text alone.
inline constexpr const wchar_t* kOutOfMemoryMessage = L"Out of memory";
inline constexpr const wchar_t* kZeroDivideMessage = L"Floating point division by zero";
inline constexpr const wchar_t* kInvalidOpMessage = L"Invalid floating point operation";
inline constexpr const wchar_t* kStreamWriteErrorMessage = L"Stream write error";
inline constexpr const wchar_t* kDateEncodeMessage = L"Invalid argument to date encode";

// The system's text for an error code, without its trailing line breaks, blanks and full stop.
std::wstring SysErrorMessage(std::uint32_t errorCode);

// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError();

} // namespace zt
