// SPDX-License-Identifier: MIT
#include "content/ui/GuiTree.h"

#include "gui/GuiWriter.h"
#include "platform/Text.h"

#include <charconv>

namespace {

TGuiFill ToFill(const TGuiFillValue& Fill) {
    return TGuiFill(Fill.Colors[0], Fill.Colors[1], Fill.Colors[2], Fill.Colors[3], Fill.Shown);
}

TGuiFont ToFont(const TGuiFontValue& Value) {
    TGuiFont Font(Value.Color, Value.Color2);
    Font.FontIndex = Value.FontIndex;
    Font.Scale = Value.Scale;
    Font.Style = Value.Style;
    Font.Interleave = Value.Interleave;
    return Font;
}

template <typename TTarget> void Emit(const TGuiNode& Node, TTarget& Parent) {
    TGuiWriterControl& Control = Parent.Add(Node.ClassName);
    for (const TGuiProperty& P : Node.Properties) {
        if (P.Kind == gkFill) {
            Control.SetFill(P.Name, ToFill(P.Fill));
        } else if (P.Kind == gkFont) {
            Control.SetFont(P.Name, ToFont(P.Font));
        } else {
            Control.Set(P.Name, P.Text, P.Kind);
        }
    }
    for (const TGuiNode& Child : Node.Children) {
        Emit(Child, Control);
    }
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
    TGuiWriter Writer;
    for (const TGuiNode& Node : TopLevel) {
        Emit(Node, Writer);
    }
    return Writer.Bytes();
}

const TGuiNode* FindControl(const std::vector<TGuiNode>& TopLevel, const std::string& Name) {
    return FindIn(TopLevel, Name);
}
