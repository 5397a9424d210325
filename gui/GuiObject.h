// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class TGuiFill;
class TGuiFont;
class TStream;

// One published property: the name stored in GUI files, a human description, the type code
// and the id that selects it in typed access.
struct TGuiPropertyDesc {
    std::string Name;
    std::string Description;
    uint8_t Kind = pkInteger;
    uint32_t Id = 0;
};

// A row of a class's property table as written in code.
struct TGuiPropertyInfo {
    const char* Name;
    uint8_t Kind;
    uint32_t Id;
    const char* Description;
};

// An integer field that holds a distance in points (a text adjustment, say): whatever a file
// says, it is kept inside the coordinate range, so the sums it enters fit 32 bits.
struct TGuiOffset {
    int32_t* Field;
};

// A field a property reads and writes directly, converted by the field's type.
using TGuiField =
    std::variant<int32_t*, TGuiOffset, uint32_t*, bool*, double*, std::string*, TGuiFill*, TGuiFont*>;

// Every GUI object carries a table of named, typed properties and reaches them by id. Each
// class's constructor appends its own properties after those of its parent class, so the
// table is complete when the most derived constructor returns.
class TGuiObject {
public:
    TGuiObject();
    virtual ~TGuiObject();
    TGuiObject(const TGuiObject&) = delete;
    TGuiObject& operator=(const TGuiObject&) = delete;

    [[nodiscard]] const std::vector<TGuiPropertyDesc>& Properties() const { return PropertyTable; }
    [[nodiscard]] const std::string& TypeName() const { return TypeName_; }
    [[nodiscard]] const std::string& TypeDescription() const { return TypeDescription_; }

    int32_t AddProperty(std::string Name, uint8_t Kind, std::string Description, uint32_t Id);
    // Index of the property named Name (ASCII case ignored, first match), or -1.
    [[nodiscard]] int32_t IndexOfProperty(std::string_view Name) const;

    // Typed access by id. Ids bound to a field reach it; ids nobody handles read as the
    // integer 0, ignore writes and have no fill or font. SetValue returns false only when the value cannot be
    // converted to the property's type.
    [[nodiscard]] virtual TGuiValue GetValue(uint32_t Id) const;
    [[nodiscard]] virtual bool SetValue(uint32_t Id, const TGuiValue& Value);
    // The object's own fill or font (not a copy), or nullptr.
    [[nodiscard]] virtual TGuiFill* GetFill(uint32_t Id);
    virtual void SetFill(uint32_t Id, const TGuiFill& Fill);
    [[nodiscard]] virtual TGuiFont* GetFont(uint32_t Id);
    virtual void SetFont(uint32_t Id, const TGuiFont& Font);

    // By name: an unknown name sets nothing (and succeeds) or gives nullptr.
    [[nodiscard]] bool SetValueByName(std::string_view Name, const TGuiValue& Value);
    [[nodiscard]] TGuiValue GetValueByName(std::string_view Name) const;
    [[nodiscard]] TGuiFill* GetFillByName(std::string_view Name);
    [[nodiscard]] TGuiFont* GetFontByName(std::string_view Name);

    // Reads a property block from a GUI stream and applies each entry at once, in order.
    // False on a short read, a value that does not convert, or a fill or font property this
    // object does not publish.
    [[nodiscard]] bool ReadProperties(TStream& Stream);

protected:
    void SetTypeName(std::string Name, std::string Description);
    void AddProperties(std::span<const TGuiPropertyInfo> Table);
    // Binds property Id to a field of this object; ids handled in code need no binding.
    void Bind(uint32_t Id, TGuiField Field);

private:
    [[nodiscard]] bool ReadProperty(TStream& Stream);

    [[nodiscard]] const TGuiField* FindBinding(uint32_t Id) const;

    std::vector<TGuiPropertyDesc> PropertyTable;
    std::vector<std::pair<uint32_t, TGuiField>> Bindings;
    std::string TypeName_;
    std::string TypeDescription_;
};
