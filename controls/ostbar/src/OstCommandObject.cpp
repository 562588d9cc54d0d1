#include "OstCommandObject.h"

#include <algorithm>

namespace ostbar {

template <typename T, typename Field>
HRESULT OstCommandObject::read(T* out, T neutral, Field field) {
    if (!out)
        return com::E_POINTER;
    *out = neutral;
    const OstCommandData* command = table_->find(id_);
    if (!command)
        return com::E_FAIL;
    *out = field(*command);
    return com::S_OK;
}

// Applies a change; `apply` answers false for a value it refuses. Listeners hear of real changes only.
template <typename Change>
HRESULT OstCommandObject::change(Change apply) {
    OstCommandData* command = table_->find(id_);
    if (!command)
        return com::E_FAIL;
    if (!apply(*command))
        return com::E_INVALIDARG;
    table_->changed();
    return com::S_OK;
}

HRESULT OstCommandObject::readBool(VARIANT_BOOL* out, bool OstCommandData::*field) {
    return read<VARIANT_BOOL>(out, com::VARIANT_FALSE, [field](const OstCommandData& command) {
        return command.*field ? com::VARIANT_TRUE : com::VARIANT_FALSE;
    });
}

HRESULT OstCommandObject::writeBool(VARIANT_BOOL value, bool OstCommandData::*field) {
    return change([&](OstCommandData& command) {
        command.*field = value != 0;
        return true;
    });
}

HRESULT OstCommandObject::get_Id(SHORT* id) {
    return read<SHORT>(id, -1, [](const OstCommandData& command) { return command.id; });
}

HRESULT OstCommandObject::put_Id(SHORT id) {
    if (!table_->find(id_))
        return com::E_FAIL;
    if (!table_->renumber(id_, id))
        return com::E_INVALIDARG;
    id_ = id;
    return com::S_OK;
}

HRESULT OstCommandObject::get_Text(com::Bstr* text) {
    return read<com::Bstr>(text, com::Bstr(),
                           [](const OstCommandData& command) { return com::Bstr(command.text); });
}

HRESULT OstCommandObject::put_Text(const com::Bstr& text) {
    return change([&](OstCommandData& command) {
        command.text = text.text();
        return true;
    });
}

HRESULT OstCommandObject::get_Image(SHORT* image) {
    return read<SHORT>(image, -1, [](const OstCommandData& command) { return command.image; });
}

HRESULT OstCommandObject::put_Image(SHORT image) {
    return change([&](OstCommandData& command) {
        command.image = image < 0 ? SHORT{-1} : image;
        return true;
    });
}

HRESULT OstCommandObject::get_Style(LONG* style) {
    return read<LONG>(style, 0, [](const OstCommandData& command) { return command.style; });
}

HRESULT OstCommandObject::put_Style(LONG style) {
    return change([&](OstCommandData& command) {
        command.style = style;
        return true;
    });
}

HRESULT OstCommandObject::get_Enabled(VARIANT_BOOL* enabled) {
    return readBool(enabled, &OstCommandData::enabled);
}
HRESULT OstCommandObject::put_Enabled(VARIANT_BOOL enabled) {
    return writeBool(enabled, &OstCommandData::enabled);
}
HRESULT OstCommandObject::get_Checked(VARIANT_BOOL* checked) {
    return readBool(checked, &OstCommandData::checked);
}
HRESULT OstCommandObject::put_Checked(VARIANT_BOOL checked) {
    return writeBool(checked, &OstCommandData::checked);
}
HRESULT OstCommandObject::get_Flag(VARIANT_BOOL* flag) {
    return readBool(flag, &OstCommandData::flag);
}
HRESULT OstCommandObject::put_Flag(VARIANT_BOOL flag) {
    return writeBool(flag, &OstCommandData::flag);
}
HRESULT OstCommandObject::get_Visible(VARIANT_BOOL* visible) {
    return readBool(visible, &OstCommandData::visible);
}
HRESULT OstCommandObject::put_Visible(VARIANT_BOOL visible) {
    return writeBool(visible, &OstCommandData::visible);
}

HRESULT OstCommandObject::get_SubCommands(SHORT group, SHORT* count) {
    if (group < 0) {
        if (count)
            *count = 0;
        return com::E_INVALIDARG;
    }
    return read<SHORT>(count, 0, [group](const OstCommandData& command) {
        const auto size = static_cast<LONG>(command.subCommands.size());
        return static_cast<SHORT>(std::max<LONG>(0, size - group));
    });
}

HRESULT OstCommandObject::put_SubCommands(SHORT group, SHORT count) {
    return change([&](OstCommandData& command) {
        const LONG size = LONG{group} + LONG{count};
        if (group < 0 || count < 0 || size > static_cast<LONG>(OstCommandTable::kMaxSlots))
            return false;
        // Slots already there keep their ids; new ones are empty (shown as separators).
        command.subCommands.resize(static_cast<std::size_t>(size), -1);
        if (command.comboSelection >= size)
            command.comboSelection = -1;
        return true;
    });
}

HRESULT OstCommandObject::get_SubCommand(SHORT slot, SHORT* id) {
    if (!id)
        return com::E_POINTER;
    *id = -1;
    const OstCommandData* command = table_->find(id_);
    if (!command)
        return com::E_FAIL;
    if (slot < 0 || static_cast<std::size_t>(slot) >= command->subCommands.size())
        return com::E_INVALIDARG;
    *id = command->subCommands[static_cast<std::size_t>(slot)];
    return com::S_OK;
}

HRESULT OstCommandObject::put_SubCommand(SHORT slot, SHORT id) {
    return change([&](OstCommandData& command) {
        if (slot < 0 || static_cast<std::size_t>(slot) >= command.subCommands.size())
            return false;
        command.subCommands[static_cast<std::size_t>(slot)] = id;
        return true;
    });
}

HRESULT OstCommandObject::SetReceiver(IOstMessageReceiver* receiver) {
    return change([&](OstCommandData& command) {
        command.receiver = com::ComPtr<IOstMessageReceiver>(receiver);
        return true;
    });
}

HRESULT OstCommandObject::ResetSelection() {
    return change([](OstCommandData& command) {
        command.comboSelection = -1;
        return true;
    });
}

HRESULT OstCommandObject::get_Selection(SHORT* slot) {
    return read<SHORT>(slot, -1, [](const OstCommandData& command) { return command.comboSelection; });
}

HRESULT OstCommandObject::get_VisibleCount(SHORT* count) {
    return read<SHORT>(count, 0, [](const OstCommandData& command) { return command.comboVisibleCount; });
}

HRESULT OstCommandObject::put_VisibleCount(SHORT count) {
    return change([&](OstCommandData& command) {
        if (count < 1 || count > OstCommandTable::kMaxComboRows)
            return false;
        command.comboVisibleCount = count;
        return true;
    });
}

}  // namespace ostbar
