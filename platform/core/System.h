#pragma once
// Basic types of the class library: 8-bit texts and the exception family.
#include <cstdint>
#include <exception>
#include <string>

// Texts are 8-bit strings in the system code page (UTF-8 on Linux).
// Positions in the helpers of SysUtils.h are counted from 1, as the
// components expect.
using AnsiString = std::string;

// Root of the library's exception family. Every error the layer raises is an
// Exception (or derived) carrying a message text.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : message_(std::move(message)) {}
    const AnsiString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
};

// Declares an exception class of the family with its parent.
#define VUVUVIRO_EXCEPTION(Name, Base)          \
    class Name : public Base {                  \
    public:                                     \
        using Base::Base;                       \
    }

VUVUVIRO_EXCEPTION(EConvertError, Exception);      // text-to-number conversions
VUVUVIRO_EXCEPTION(EListError, Exception);
VUVUVIRO_EXCEPTION(EStringListError, EListError);  // string list index errors
VUVUVIRO_EXCEPTION(ERegistryException, Exception); // registry class errors
VUVUVIRO_EXCEPTION(EStreamError, Exception);
VUVUVIRO_EXCEPTION(EFCreateError, EStreamError);   // a file cannot be created
VUVUVIRO_EXCEPTION(EFOpenError, EStreamError);     // a file cannot be opened
VUVUVIRO_EXCEPTION(EWriteError, EStreamError);     // a write did not complete
VUVUVIRO_EXCEPTION(EInOutError, Exception);
VUVUVIRO_EXCEPTION(EInvalidOperation, Exception);
VUVUVIRO_EXCEPTION(EInvalidGraphic, Exception);
VUVUVIRO_EXCEPTION(EMathError, Exception);         // floating-point faults
VUVUVIRO_EXCEPTION(EZeroDivide, EMathError);
VUVUVIRO_EXCEPTION(EInvalidOp, EMathError);
VUVUVIRO_EXCEPTION(EOverflow, EMathError);
VUVUVIRO_EXCEPTION(EIntError, Exception);          // integer faults
VUVUVIRO_EXCEPTION(EDivByZero, EIntError);
