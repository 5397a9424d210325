// SPDX-License-Identifier: MIT
#include "gui/GuiObject.h"

#include "archive/Stream.h"
#include "gui/GuiFill.h"
#include "gui/GuiFont.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"

namespace {

// The smallest property entry: an empty name, the kind byte and an empty text value.
constexpr int64_t MinPropertyEntryBytes = 4 + 1 + 4;

bool ReadFillRecord(TStream& Stream, TGuiFill& Fill) {
    uint32_t colors[4];
    uint8_t shown = 0;
    for (uint32_t& c : colors) {
        if (!ReadUInt32(Stream, c)) {
            return false;
        }
    }
    if (!ReadByte(Stream, shown)) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        Fill.Colors[i] = colors[i];
    }
    Fill.Shown = shown != 0;
    return true;
}

bool ReadFontRecord(TStream& Stream, TGuiFont& Font) {
    TGuiFont read;
    if (!ReadInt32(Stream, read.FontIndex) || !ReadUInt32(Stream, read.Color) ||
        !ReadUInt32(Stream, read.Color2) || !ReadDouble(Stream, read.Scale) ||
        !ReadByte(Stream, read.Style) || !ReadDouble(Stream, read.Interleave)) {
        return false;
    }
    Font.Assign(read);
    return true;
}

} // namespace

TGuiObject::TGuiObject() {
    SetTypeName("TGuiObject", "Unknown TGuiObject-compliant");
}

TGuiObject::~TGuiObject() = default;

int32_t TGuiObject::AddProperty(std::string Name, uint8_t Kind, std::string Description, uint32_t Id) {
    PropertyTable.push_back({std::move(Name), std::move(Description), Kind, Id});
    return static_cast<int32_t>(PropertyTable.size()) - 1;
}

void TGuiObject::AddProperties(std::span<const TGuiPropertyInfo> Table) {
    for (const TGuiPropertyInfo& row : Table) {
        AddProperty(row.Name, row.Kind, row.Description, row.Id);
    }
}

int32_t TGuiObject::IndexOfProperty(std::string_view Name) const {
    for (size_t i = 0; i < PropertyTable.size(); ++i) {
        if (SameName(PropertyTable[i].Name, Name)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

void TGuiObject::Bind(uint32_t Id, TGuiField Field) {
    Bindings.emplace_back(Id, Field);
}

const TGuiField* TGuiObject::FindBinding(uint32_t Id) const {
    for (const auto& [id, field] : Bindings) {
        if (id == Id) {
            return &field;
        }
    }
    return nullptr;
}

TGuiValue TGuiObject::GetValue(uint32_t Id) const {
    const TGuiField* field = FindBinding(Id);
    if (field == nullptr) {
        return int64_t{0};
    }
    if (auto* const* i = std::get_if<int32_t*>(field)) {
        return int64_t{**i};
    }
    if (const auto* offset = std::get_if<TGuiOffset>(field)) {
        return int64_t{*offset->Field};
    }
    if (auto* const* u = std::get_if<uint32_t*>(field)) {
        return int64_t{**u};
    }
    if (auto* const* b = std::get_if<bool*>(field)) {
        return **b;
    }
    if (auto* const* d = std::get_if<double*>(field)) {
        return **d;
    }
    if (auto* const* s = std::get_if<std::string*>(field)) {
        return **s;
    }
    return int64_t{0};
}

bool TGuiObject::SetValue(uint32_t Id, const TGuiValue& Value) {
    const TGuiField* field = FindBinding(Id);
    if (field == nullptr) {
        return true;
    }
    if (auto* const* i = std::get_if<int32_t*>(field)) {
        const auto v = ValueToInt32(Value);
        if (v) {
            **i = *v;
        }
        return v.has_value();
    }
    if (const auto* offset = std::get_if<TGuiOffset>(field)) {
        const auto v = ValueToInt32(Value);
        if (v) {
            *offset->Field = ClampCoordinate(*v);
        }
        return v.has_value();
    }
    if (auto* const* u = std::get_if<uint32_t*>(field)) {
        const auto v = ValueToLow32(Value);
        if (v) {
            **u = *v;
        }
        return v.has_value();
    }
    if (auto* const* b = std::get_if<bool*>(field)) {
        const auto v = ValueToBool(Value);
        if (v) {
            **b = *v;
        }
        return v.has_value();
    }
    if (auto* const* d = std::get_if<double*>(field)) {
        const auto v = ValueToInt32(Value);
        if (v) {
            **d = *v;
        }
        return v.has_value();
    }
    if (auto* const* s = std::get_if<std::string*>(field)) {
        **s = ValueToString(Value);
    }
    return true;
}

TGuiFill* TGuiObject::GetFill(uint32_t Id) {
    const TGuiField* field = FindBinding(Id);
    auto* const* fill = field != nullptr ? std::get_if<TGuiFill*>(field) : nullptr;
    return fill != nullptr ? *fill : nullptr;
}

void TGuiObject::SetFill(uint32_t Id, const TGuiFill& Fill) {
    if (TGuiFill* own = GetFill(Id)) {
        own->Assign(Fill);
    }
}

TGuiFont* TGuiObject::GetFont(uint32_t Id) {
    const TGuiField* field = FindBinding(Id);
    auto* const* font = field != nullptr ? std::get_if<TGuiFont*>(field) : nullptr;
    return font != nullptr ? *font : nullptr;
}

void TGuiObject::SetFont(uint32_t Id, const TGuiFont& Font) {
    if (TGuiFont* own = GetFont(Id)) {
        own->Assign(Font);
    }
}

bool TGuiObject::SetValueByName(std::string_view Name, const TGuiValue& Value) {
    const int32_t index = IndexOfProperty(Name);
    return index < 0 || SetValue(PropertyTable[static_cast<size_t>(index)].Id, Value);
}

TGuiValue TGuiObject::GetValueByName(std::string_view Name) const {
    const int32_t index = IndexOfProperty(Name);
    return index < 0 ? TGuiValue{int64_t{0}} : GetValue(PropertyTable[static_cast<size_t>(index)].Id);
}

TGuiFill* TGuiObject::GetFillByName(std::string_view Name) {
    const int32_t index = IndexOfProperty(Name);
    return index < 0 ? nullptr : GetFill(PropertyTable[static_cast<size_t>(index)].Id);
}

TGuiFont* TGuiObject::GetFontByName(std::string_view Name) {
    const int32_t index = IndexOfProperty(Name);
    return index < 0 ? nullptr : GetFont(PropertyTable[static_cast<size_t>(index)].Id);
}

bool TGuiObject::ReadProperties(TStream& Stream) {
    int32_t count = 0;
    if (!ReadInt32(Stream, count)) {
        return false;
    }
    // A count the rest of the stream cannot hold marks a corrupt file.
    if (count > 0 && count > Stream.Remaining() / MinPropertyEntryBytes) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!ReadProperty(Stream)) {
            return false;
        }
    }
    return true;
}

bool TGuiObject::ReadProperty(TStream& Stream) {
    std::string name;
    uint8_t kind = 0;
    if (!ReadString(Stream, name) || !ReadByte(Stream, kind)) {
        return false;
    }
    if (kind == pkFill) {
        TGuiFill* fill = GetFillByName(name);
        return fill != nullptr && ReadFillRecord(Stream, *fill);
    }
    if (kind == pkFont) {
        TGuiFont* font = GetFontByName(name);
        return font != nullptr && ReadFontRecord(Stream, *font);
    }
    std::string text;
    if (!ReadString(Stream, text)) {
        return false;
    }
    return SetValueByName(name, TGuiValue{std::move(text)});
}

void TGuiObject::SetTypeName(std::string Name, std::string Description) {
    TypeName_ = std::move(Name);
    TypeDescription_ = std::move(Description);
}
