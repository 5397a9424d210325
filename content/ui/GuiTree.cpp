#include "content/ui/GuiTree.h"

#include "archive/Stream.h"
#include "platform/Text.h"

#include <charconv>

namespace {

constexpr int MaxDepth = 32;

void WriteFill(TStream& S, const TGuiFillValue& Fill) {
    for (const uint32_t C : Fill.Colors) {
        WriteUInt32(S, C);
    }
    WriteByte(S, Fill.Shown ? 1 : 0);
}

void WriteFont(TStream& S, const TGuiFontValue& Font) {
    WriteInt32(S, Font.FontIndex);
    WriteUInt32(S, Font.Color);
    WriteUInt32(S, Font.Color2);
    WriteDouble(S, Font.Scale);
    WriteByte(S, Font.Style);
    WriteDouble(S, Font.Interleave);
}

void WriteControls(TStream& S, const std::vector<TGuiNode>& Controls) {
    WriteInt32(S, static_cast<int32_t>(Controls.size()));
    for (const TGuiNode& Node : Controls) {
        WriteString(S, Node.ClassName);
        WriteInt32(S, static_cast<int32_t>(Node.Properties.size()));
        for (const TGuiProperty& P : Node.Properties) {
            WriteString(S, P.Name);
            WriteByte(S, P.Kind);
            if (P.Kind == gkFill) {
                WriteFill(S, P.Fill);
            } else if (P.Kind == gkFont) {
                WriteFont(S, P.Font);
            } else {
                WriteString(S, P.Text);
            }
        }
        WriteControls(S, Node.Children);
    }
}

bool ReadFill(TStream& S, TGuiFillValue& Fill) {
    uint8_t Shown = 0;
    for (uint32_t& C : Fill.Colors) {
        if (!ReadUInt32(S, C)) {
            return false;
        }
    }
    if (!ReadByte(S, Shown)) {
        return false;
    }
    Fill.Shown = Shown != 0;
    return true;
}

bool ReadFont(TStream& S, TGuiFontValue& Font) {
    return ReadInt32(S, Font.FontIndex) && ReadUInt32(S, Font.Color) && ReadUInt32(S, Font.Color2) &&
           ReadDouble(S, Font.Scale) && ReadByte(S, Font.Style) && ReadDouble(S, Font.Interleave);
}

bool ReadProperty(TStream& S, TGuiProperty& P) {
    if (!ReadString(S, P.Name) || !ReadByte(S, P.Kind)) {
        return false;
    }
    if (P.Kind == gkFill) {
        return ReadFill(S, P.Fill);
    }
    if (P.Kind == gkFont) {
        return ReadFont(S, P.Font);
    }
    return ReadString(S, P.Text);
}

// A count must be non-negative and cannot exceed the bytes left (every entry takes at
// least one byte), so a corrupt count never reserves memory.
bool ReadCount(TStream& S, int32_t& Count) {
    return ReadInt32(S, Count) && Count >= 0 && Count <= S.Remaining();
}

bool ReadControls(TStream& S, std::vector<TGuiNode>& Controls, int Depth) {
    int32_t Count = 0;
    if (Depth > MaxDepth || !ReadCount(S, Count)) {
        return false;
    }
    for (int32_t i = 0; i < Count; ++i) {
        TGuiNode Node;
        int32_t PropertyCount = 0;
        if (!ReadString(S, Node.ClassName) || !ReadCount(S, PropertyCount)) {
            return false;
        }
        for (int32_t p = 0; p < PropertyCount; ++p) {
            TGuiProperty Property;
            if (!ReadProperty(S, Property)) {
                return false;
            }
            Node.Properties.push_back(std::move(Property));
        }
        if (!ReadControls(S, Node.Children, Depth + 1)) {
            return false;
        }
        Controls.push_back(std::move(Node));
    }
    return true;
}

const TGuiNode* FindIn(const std::vector<TGuiNode>& Controls, const std::string& Name) {
    for (const TGuiNode& Node : Controls) {
        if (SameName(Node.ControlName(), Name)) {
            return &Node;
        }
        if (const TGuiNode* Found = FindIn(Node.Children, Name)) {
            return Found;
        }
    }
    return nullptr;
}

} // namespace

TGuiNode& TGuiNode::Set(const std::string& Name, uint8_t Kind, std::string Text) {
    Properties.push_back({Name, Kind, std::move(Text), {}, {}});
    return *this;
}

TGuiNode& TGuiNode::SetInt(const std::string& Name, int64_t Value, uint8_t Kind) {
    return Set(Name, Kind, std::to_string(Value));
}

TGuiNode& TGuiNode::SetBool(const std::string& Name, bool Value) {
    return Set(Name, gkBoolean, Value ? "true" : "false");
}

TGuiNode& TGuiNode::SetText(const std::string& Name, std::string Value) {
    return Set(Name, gkString, std::move(Value));
}

TGuiNode& TGuiNode::SetFill(const std::string& Name, const TGuiFillValue& Value) {
    Properties.push_back({Name, gkFill, {}, Value, {}});
    return *this;
}

TGuiNode& TGuiNode::SetFont(const std::string& Name, const TGuiFontValue& Value) {
    Properties.push_back({Name, gkFont, {}, {}, Value});
    return *this;
}

TGuiNode& TGuiNode::Add(TGuiNode Child) {
    Children.push_back(std::move(Child));
    return Children.back();
}

const TGuiProperty* TGuiNode::Find(const std::string& Name) const {
    const TGuiProperty* Found = nullptr;
    for (const TGuiProperty& P : Properties) {
        if (SameName(P.Name, Name)) {
            Found = &P;
        }
    }
    return Found;
}

std::string TGuiNode::ControlName() const {
    const TGuiProperty* P = Find("Name");
    return P != nullptr ? P->Text : std::string();
}

int64_t TGuiNode::IntOr(const std::string& Name, int64_t Default) const {
    const TGuiProperty* P = Find(Name);
    if (P == nullptr) {
        return Default;
    }
    int64_t Value = 0;
    const char* End = P->Text.data() + P->Text.size();
    const auto [Ptr, Error] = std::from_chars(P->Text.data(), End, Value);
    return Error == std::errc() && Ptr == End ? Value : Default;
}

std::vector<uint8_t> WriteGuiTree(const std::vector<TGuiNode>& TopLevel) {
    TMemoryStream S;
    WriteControls(S, TopLevel);
    return S.Bytes();
}

std::optional<std::vector<TGuiNode>> ReadGuiTree(const std::vector<uint8_t>& Bytes) {
    TMemoryStream S(Bytes);
    std::vector<TGuiNode> TopLevel;
    if (!ReadControls(S, TopLevel, 0)) {
        return std::nullopt;
    }
    return TopLevel;
}

const TGuiNode* FindControl(const std::vector<TGuiNode>& TopLevel, const std::string& Name) {
    return FindIn(TopLevel, Name);
}
