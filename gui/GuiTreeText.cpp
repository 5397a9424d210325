// SPDX-License-Identifier: MIT
#include "gui/GuiTreeText.h"

#include "gui/GuiControl.h"
#include "gui/GuiScroll.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

std::string Escaped(const std::string& Text) {
    std::string out;
    for (const char c : Cp1251ToUtf8(Text)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 32 || u == 127) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", u);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

// The class a control was made as; the scroll bar keeps its parent class's type name.
std::string ClassOf(const TGuiControl& Control) {
    return dynamic_cast<const TGuiScroll*>(&Control) != nullptr ? "TGuiScroll" : Control.TypeName();
}

std::string TextPart(const TGuiControl& Control) {
    for (const char* name : {"Caption", "Text"}) {
        if (Control.IndexOfProperty(name) >= 0) {
            return " " + LowerAscii(name) + "=\"" + Escaped(ValueToString(Control.GetValueByName(name))) +
                   "\"";
        }
    }
    return {};
}

void Describe(const TGuiControl& Control, int Depth, std::string& Out) {
    Out += std::string(static_cast<size_t>(Depth) * 2, ' ');
    Out += ClassOf(Control) + " " + (Control.Name.empty() ? std::string("-") : Control.Name);
    for (const int32_t v : {Control.Left(), Control.Top(), Control.Width(), Control.Height()}) {
        Out += " " + std::to_string(v);
    }
    Out += std::string(" visible=") + (Control.Visible() ? "1" : "0");
    Out += std::string(" enabled=") + (Control.Enabled() ? "1" : "0");
    Out += TextPart(Control) + "\n";
    for (int32_t i = 0; i < Control.ChildCount(); ++i) {
        Describe(*Control.Child(i), Depth + 1, Out);
    }
}

} // namespace

std::string DescribeGuiTree(const TGuiControl& Root) {
    std::string out;
    for (int32_t i = 0; i < Root.ChildCount(); ++i) {
        Describe(*Root.Child(i), 0, out);
    }
    return out;
}
