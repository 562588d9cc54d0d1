// One command of a table, by id, as IOstCommand and IOstCombo. A view: it keeps the table alive, not
// the command, and answers E_FAIL once the command is gone.
#pragma once

#include <memory>

#include "com/ComObject.h"
#include "ostbar/OstCommandTable.h"

namespace ostbar {

class OstCommandObject final : public com::ComObject<IOstCommand, IOstCombo> {
public:
    OstCommandObject(std::shared_ptr<OstCommandTable> table, SHORT id) : table_(std::move(table)), id_(id) {}

    // --- IOstCommand ---
    HRESULT get_Id(SHORT* id) override;
    HRESULT put_Id(SHORT id) override;
    HRESULT get_Text(com::Bstr* text) override;
    HRESULT put_Text(const com::Bstr& text) override;
    HRESULT get_Image(SHORT* image) override;
    HRESULT put_Image(SHORT image) override;
    HRESULT get_Style(LONG* style) override;
    HRESULT put_Style(LONG style) override;
    HRESULT get_Enabled(VARIANT_BOOL* enabled) override;
    HRESULT put_Enabled(VARIANT_BOOL enabled) override;
    HRESULT get_Checked(VARIANT_BOOL* checked) override;
    HRESULT put_Checked(VARIANT_BOOL checked) override;
    HRESULT get_Flag(VARIANT_BOOL* flag) override;
    HRESULT put_Flag(VARIANT_BOOL flag) override;
    HRESULT get_Visible(VARIANT_BOOL* visible) override;
    HRESULT put_Visible(VARIANT_BOOL visible) override;
    HRESULT get_SubCommands(SHORT group, SHORT* count) override;
    HRESULT put_SubCommands(SHORT group, SHORT count) override;
    HRESULT get_SubCommand(SHORT slot, SHORT* id) override;
    HRESULT put_SubCommand(SHORT slot, SHORT id) override;
    HRESULT SetReceiver(IOstMessageReceiver* receiver) override;

    // --- IOstCombo ---
    HRESULT ResetSelection() override;
    HRESULT get_Selection(SHORT* slot) override;
    HRESULT get_VisibleCount(SHORT* count) override;
    HRESULT put_VisibleCount(SHORT count) override;

private:
    ~OstCommandObject() override = default;

    template <typename T, typename Field>
    HRESULT read(T* out, T neutral, Field field);
    template <typename Change>
    HRESULT change(Change apply);
    HRESULT readBool(VARIANT_BOOL* out, bool OstCommandData::*field);
    HRESULT writeBool(VARIANT_BOOL value, bool OstCommandData::*field);

    std::shared_ptr<OstCommandTable> table_;
    SHORT id_;
};

}  // namespace ostbar
