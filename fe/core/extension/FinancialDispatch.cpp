// Late binding of IFinancialCharts: one table maps each dispid to the typed members that serve its
// property get, property put and method call; the arguments are converted to the member's types.
#include <array>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>

#include "extension/CFinancialCharts.h"

namespace dravik {
namespace {

using Args = std::span<com::Variant>;
using Handler = HRESULT (*)(CFinancialCharts&, Args, com::Variant*);
using C = CFinancialCharts;

// --- Arguments in, results out --------------------------------------------------------------------------

template <typename T>
HRESULT convert(const com::Variant& argument, com::VARTYPE type, T (com::Variant::*read)() const, T& out) {
    com::Variant value = argument.dereferenced();
    if (const HRESULT result = value.changeType(type); com::FAILED(result))
        return result;
    out = (value.*read)();
    return com::S_OK;
}

// A 32-bit value for a 16-bit parameter is narrowed only when it fits (DISP_E_OVERFLOW otherwise).
HRESULT readArgument(const com::Variant& argument, SHORT& out) {
    return convert(argument, com::VT_I2, &com::Variant::i2, out);
}
HRESULT readArgument(const com::Variant& argument, LONG& out) {
    return convert(argument, com::VT_I4, &com::Variant::i4, out);
}
HRESULT readArgument(const com::Variant& argument, double& out) {
    return convert(argument, com::VT_R8, &com::Variant::r8, out);
}
HRESULT readArgument(const com::Variant& argument, com::Bstr& out) {
    return convert(argument, com::VT_BSTR, &com::Variant::bstr, out);
}

void writeResult(com::Variant* result, SHORT value) {
    *result = com::Variant(value);
}
void writeResult(com::Variant* result, LONG value) {
    *result = com::Variant(value);
}
void writeResult(com::Variant* result, double value) {
    *result = com::Variant(value);
}
void writeResult(com::Variant* result, com::Bstr value) {
    *result = com::Variant(std::move(value));
}
// An interface pointer is an IUnknown pointer; the reference the getter added passes to the variant.
template <typename Interface>
void writeResult(com::Variant* result, Interface* object) {
    *result = com::Variant(com::ComPtr<com::IUnknown>::attach(reinterpret_cast<com::IUnknown*>(object)));
}
// Releases an object result nobody asked for.
template <typename T>
void dropResult(T&) {}
template <typename Interface>
void dropResult(Interface*& object) {
    if (object)
        reinterpret_cast<com::IUnknown*>(object)->Release();
}

template <typename>
struct MemberTraits;
template <typename... Params>
struct MemberTraits<HRESULT (C::*)(Params...)> {
    using Decayed = std::tuple<std::remove_cvref_t<Params>...>;
    static constexpr std::size_t count = sizeof...(Params);
};

template <typename T>
inline constexpr bool isOut = std::is_pointer_v<T>;

// Calls member M with `args` (its input parameters in order) and, when its last parameter is a
// pointer, hands that result back in `result`. `asBoolean`: a 16-bit result is a VARIANT_BOOL.
template <auto M, bool asBoolean = false>
HRESULT call(C& self, Args args, com::Variant* result) {
    using Traits = MemberTraits<decltype(M)>;
    using Params = typename Traits::Decayed;
    constexpr std::size_t count = Traits::count;
    constexpr bool hasOut = count > 0 && isOut<std::tuple_element_t<count - 1, Params>>;
    constexpr std::size_t inputs = hasOut ? count - 1 : count;
    if (args.size() != inputs)
        return com::DISP_E_BADPARAMCOUNT;

    Params values{};
    HRESULT status = com::S_OK;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((status = com::SUCCEEDED(status) ? readArgument(args[I], std::get<I>(values)) : status), ...);
    }
    (std::make_index_sequence<inputs>{});
    if (com::FAILED(status))
        return status;

    if constexpr (hasOut) {
        using Out = std::remove_pointer_t<std::tuple_element_t<count - 1, Params>>;
        Out out{};
        std::get<count - 1>(values) = &out;
        const HRESULT answer = std::apply([&](auto&... v) { return (self.*M)(v...); }, values);
        if (com::SUCCEEDED(answer) && result) {
            if constexpr (asBoolean)
                *result = com::Variant(out != 0);
            else
                writeResult(result, out);
        } else {
            dropResult(out);
        }
        return answer;
    } else {
        return std::apply([&](auto&... v) { return (self.*M)(v...); }, values);
    }
}

template <auto M>
HRESULT flag(C& self, Args args, com::Variant* result) {
    return call<M, true>(self, args, result);
}

// Hands a getter's object to the caller, or releases it when the call failed or nobody asked for it.
HRESULT handOut(HRESULT answer, com::IUnknown* object, com::Variant* result) {
    if (com::SUCCEEDED(answer) && result)
        writeResult(result, object);
    else
        dropResult(object);
    return answer;
}

// The study and drawing members share one untyped getter each.
template <com::DISPID dispid>
HRESULT study(C& self, Args args, com::Variant* result) {
    if (!args.empty())
        return com::DISP_E_BADPARAMCOUNT;
    com::IUnknown* object = nullptr;
    // The object is read only after the getter wrote it.
    const HRESULT answer = self.GetStudyObject(dispid, &object);
    return handOut(answer, object, result);
}

template <LONG kind>
HRESULT drawing(C& self, Args args, com::Variant* result) {
    if (args.size() > 1)
        return com::DISP_E_BADPARAMCOUNT;
    com::IUnknown* object = nullptr;
    const com::Variant ordinal = args.empty() ? com::Variant::missing() : args[0].dereferenced();
    const HRESULT answer = self.GetDrawingObject(kind, ordinal, &object);
    return handOut(answer, object, result);
}

struct Member {
    com::DISPID dispid = 0;
    Handler get = nullptr;
    Handler put = nullptr;
    Handler method = nullptr;
};

constexpr std::array kMembers = {
    Member{DISPID_Commands, call<&C::get_Commands>},
    Member{DISPID_DateAxis, call<&C::get_DateAxis>},
    Member{DISPID_DateInfo, flag<&C::get_DateInfo>, call<&C::put_DateInfo>},
    Member{DISPID_CurrentGallery, call<&C::get_CurrentGallery>},
    Member{DISPID_DateLine, flag<&C::get_DateLine>, call<&C::put_DateLine>},
    Member{DISPID_GalleryType, call<&C::get_GalleryType>},
    Member{DISPID_BuyMask, call<&C::get_BuyMask>, call<&C::put_BuyMask>},
    Member{DISPID_SellMask, call<&C::get_SellMask>, call<&C::put_SellMask>},
    Member{DISPID_Data, call<&C::get_Data>, call<&C::put_Data>},
    Member{DISPID_DataUnit, call<&C::get_DataUnit>, call<&C::put_DataUnit>},
    Member{DISPID_BreakInSemester, flag<&C::get_BreakInSemester>, call<&C::put_BreakInSemester>},
    Member{DISPID_BreakInQuarter, flag<&C::get_BreakInQuarter>, call<&C::put_BreakInQuarter>},
    Member{DISPID_Language, nullptr, nullptr, call<&C::Language>},
    Member{DISPID_OpenSeries, call<&C::get_OpenSeries>, call<&C::put_OpenSeries>},
    Member{DISPID_HighSeries, call<&C::get_HighSeries>, call<&C::put_HighSeries>},
    Member{DISPID_LowSeries, call<&C::get_LowSeries>, call<&C::put_LowSeries>},
    Member{DISPID_CloseSeries, call<&C::get_CloseSeries>, call<&C::put_CloseSeries>},
    Member{DISPID_VolumeSeries, call<&C::get_VolumeSeries>, call<&C::put_VolumeSeries>},
    Member{DISPID_UserSeries, call<&C::get_UserSeries>, call<&C::put_UserSeries>},
    Member{DISPID_FirstUserIndex, call<&C::get_FirstUserIndex>, call<&C::put_FirstUserIndex>},
    Member{DISPID_SeriesDataErr, call<&C::get_SeriesDataErr>},
    Member{DISPID_GetKvlSeries, nullptr, nullptr, call<&C::GetKvlSeries>},
    Member{DISPID_GetUsedSeries, nullptr, nullptr, call<&C::GetUsedSeries>},
    Member{DISPID_WorkSeries, call<&C::get_WorkSeries>, call<&C::put_WorkSeries>},
    Member{DISPID_AutoRecalc, flag<&C::get_AutoRecalc>, call<&C::put_AutoRecalc>},
    Member{DISPID_PointAndFigure, call<&C::get_PointAndFigure>},
    Member{DISPID_Renko, call<&C::get_Renko>},
    Member{DISPID_Kagi, call<&C::get_Kagi>},
    Member{DISPID_ThreeLineBreak, call<&C::get_ThreeLineBreak>},
    Member{DISPID_ToolBar, flag<&C::get_ToolBar>, call<&C::put_ToolBar>},
    Member{DISPID_ToolBarObj, call<&C::get_ToolBarObj>},
    Member{DISPID_StudiesTool, flag<&C::get_StudiesTool>, call<&C::put_StudiesTool>},
    Member{DISPID_StudiesToolObj, call<&C::get_StudiesToolObj>},
    Member{DISPID_PriceStartInZero, flag<&C::get_PriceStartInZero>, call<&C::put_PriceStartInZero>},
    Member{DISPID_PriceDisplay, call<&C::get_PriceDisplay>, call<&C::put_PriceDisplay>},
    Member{DISPID_PriceSeries, call<&C::get_PriceSeries>},
    Member{DISPID_PricesAxis, call<&C::get_PricesAxis>},
    Member{DISPID_ZoomRescale, flag<&C::get_ZoomRescale>, call<&C::put_ZoomRescale>},
    Member{DISPID_FireCommand, nullptr, nullptr, call<&C::FireCommand>},
    Member{DISPID_DrawingNumber, call<&C::get_DrawingNumber>},
    Member{DISPID_DeleteAllDrawing, nullptr, nullptr, call<&C::DeleteAllDrawing>},
    Member{DISPID_Options, call<&C::get_Options>, call<&C::put_Options>},
    Member{DISPID_PropPageMask, call<&C::get_PropPageMask>, call<&C::put_PropPageMask>},
    Member{DISPID_DeleteDrawing, nullptr, nullptr, call<&C::DeleteDrawing>},
    Member{DISPID_FullTechnicalStudyAxis, call<&C::get_FullTechnicalStudyAxis>,
           call<&C::put_FullTechnicalStudyAxis>},
    Member{DISPID_RemoveGalleryItems, nullptr, nullptr, call<&C::RemoveGalleryItems>},
    Member{DISPID_Top2BottomStudyAxis, flag<&C::get_Top2BottomStudyAxis>, call<&C::put_Top2BottomStudyAxis>},
};

template <std::size_t... I>
constexpr std::array<Handler, sizeof...(I)> studyHandlers(std::index_sequence<I...>) {
    return {study<DISPID_FirstStudy + static_cast<com::DISPID>(I)>...};
}
template <std::size_t... I>
constexpr std::array<Handler, sizeof...(I)> drawingHandlers(std::index_sequence<I...>) {
    return {drawing<static_cast<LONG>(I)>...};
}
constexpr auto kStudyGetters =
    studyHandlers(std::make_index_sequence<DISPID_LastStudy - DISPID_FirstStudy + 1>{});
constexpr auto kDrawingGetters =
    drawingHandlers(std::make_index_sequence<DISPID_LastDrawing - DISPID_FirstDrawing + 1>{});

std::optional<Member> memberOf(com::DISPID dispid) {
    if (dispid >= DISPID_FirstStudy && dispid <= DISPID_LastStudy)
        return Member{dispid, kStudyGetters[static_cast<std::size_t>(dispid - DISPID_FirstStudy)]};
    if (dispid >= DISPID_FirstDrawing && dispid <= DISPID_LastDrawing)
        return Member{dispid, kDrawingGetters[static_cast<std::size_t>(dispid - DISPID_FirstDrawing)]};
    for (const Member& member : kMembers) {
        if (member.dispid == dispid)
            return member;
    }
    return std::nullopt;
}

}  // namespace

HRESULT CFinancialCharts::InvokeMember(com::DISPID dispid, std::uint16_t flags, std::span<com::Variant> args,
                                       com::Variant* result) {
    if (result)
        *result = com::Variant();
    const std::optional<Member> member = memberOf(dispid);
    if (!member)
        return com::DISP_E_MEMBERNOTFOUND;
    // A put names itself; a get or a call may be asked for together, as automation callers do.
    Handler handler = nullptr;
    if ((flags & DISPATCH_PROPERTYPUT) != 0)
        handler = member->put;
    else if ((flags & DISPATCH_PROPERTYGET) != 0 && member->get)
        handler = member->get;
    else if ((flags & DISPATCH_METHOD) != 0)
        handler = member->method;
    if (!handler)
        return com::DISP_E_MEMBERNOTFOUND;
    return handler(*this, args, result);
}

HRESULT CFinancialCharts::Invoke(com::DISPID dispid, std::span<com::Variant> args) {
    return InvokeMember(dispid, DISPATCH_METHOD, args, nullptr);
}

}  // namespace dravik
