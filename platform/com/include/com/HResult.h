// Result codes of the object model: 32-bit, negative on failure.
#pragma once

#include <cstdint>

namespace com {

using HRESULT = std::int32_t;

constexpr HRESULT hr(std::uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = hr(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = hr(0x80004002);
inline constexpr HRESULT E_POINTER = hr(0x80004003);
inline constexpr HRESULT E_ABORT = hr(0x80004004);
inline constexpr HRESULT E_FAIL = hr(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = hr(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = hr(0x80070005);
inline constexpr HRESULT E_HANDLE = hr(0x80070006);
inline constexpr HRESULT E_OUTOFMEMORY = hr(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = hr(0x80070057);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hr(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = hr(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = hr(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = hr(0x80020006);
inline constexpr HRESULT DISP_E_EXCEPTION = hr(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = hr(0x8002000A);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = hr(0x8002000E);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hr(0x8002000F);
inline constexpr HRESULT DISP_E_DIVBYZERO = hr(0x80020012);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = hr(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr(0x80040111);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = hr(0x80040154);
inline constexpr HRESULT REGDB_E_READREGDB = hr(0x80040150);
inline constexpr HRESULT REGDB_E_WRITEREGDB = hr(0x80040151);
inline constexpr HRESULT CO_E_CLASSSTRING = hr(0x800401F3);
inline constexpr HRESULT CO_E_ERRORINDLL = hr(0x800401F9);
inline constexpr HRESULT CO_E_DLLNOTFOUND = hr(0x8004F001);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = hr(0x80040200);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = hr(0x80040201);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = hr(0x80040202);

inline constexpr HRESULT STG_E_INVALIDFUNCTION = hr(0x80030001);
inline constexpr HRESULT STG_E_FILENOTFOUND = hr(0x80030002);
inline constexpr HRESULT STG_E_PATHNOTFOUND = hr(0x80030003);
inline constexpr HRESULT STG_E_ACCESSDENIED = hr(0x80030005);
inline constexpr HRESULT STG_E_INVALIDPOINTER = hr(0x80030009);
inline constexpr HRESULT STG_E_INSUFFICIENTMEMORY = hr(0x80030008);
inline constexpr HRESULT STG_E_WRITEFAULT = hr(0x8003001D);
inline constexpr HRESULT STG_E_READFAULT = hr(0x8003001E);
inline constexpr HRESULT STG_E_SEEKERROR = hr(0x80030019);
inline constexpr HRESULT STG_E_FILEALREADYEXISTS = hr(0x80030050);
inline constexpr HRESULT STG_E_INVALIDPARAMETER = hr(0x80030057);
inline constexpr HRESULT STG_E_MEDIUMFULL = hr(0x80030070);
inline constexpr HRESULT STG_E_INVALIDHEADER = hr(0x800300FB);
inline constexpr HRESULT STG_E_INVALIDNAME = hr(0x800300FC);
inline constexpr HRESULT STG_E_UNKNOWN = hr(0x800300FD);
inline constexpr HRESULT STG_E_INVALIDFLAG = hr(0x800300FF);
inline constexpr HRESULT STG_E_DOCFILECORRUPT = hr(0x80030109);

constexpr bool SUCCEEDED(HRESULT result) {
    return result >= 0;
}
constexpr bool FAILED(HRESULT result) {
    return result < 0;
}

// A property getter's answer: the value into the caller's out-parameter, E_POINTER when it gave none.
template <typename T>
HRESULT answerOut(T* out, T value) {
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

}  // namespace com
