// SPDX-License-Identifier: MIT
#include "screens/MessagePanel.h"

#include "gui/GuiBase.h"
#include "gui/GuiLabel.h"
#include "screens/GameState.h"

TMessagePanel::TMessagePanel(TGuiBase& Gui)
    : Form(Gui.FindControl("scr_message")), Text(Gui.FindControl("message_text")) {
    TGuiControl* ok = Gui.FindControl("b_message_ok");
    if (Form == nullptr || dynamic_cast<TGuiLabel*>(Text) == nullptr || ok == nullptr) {
        Form = nullptr;
        return;
    }
    ok->OnClick = [this](TGuiControl&) { Close(); };
}

bool TMessagePanel::Show(const std::string& Message) {
    if (Form == nullptr) {
        return false;
    }
    static_cast<TGuiLabel*>(Text)->SetText(Message);
    Form->SetVisible(true);
    Form->BringToFront();
    Open_ = true;
    return true;
}

void TMessagePanel::Close() {
    if (!Open_) {
        return;
    }
    Open_ = false;
    Form->SetVisible(false);
    Form->SendToBack();
    if (OnClose) {
        OnClose();
    }
}

void TMessagePanel::KeepInFront() const {
    if (Open_) {
        Form->BringToFront();
    }
}

bool TMessagePanel::Key(uint8_t Key) {
    if (!Open_) {
        return false;
    }
    if (Key == vkEnter || Key == vkEscape) {
        Close();
        ClosedByKey = true;
    }
    return true;
}

bool TMessagePanel::HoldsCharacter() {
    const bool held = Open_ || ClosedByKey;
    ClosedByKey = false;
    return held;
}

bool TMessagePanel::HoldsPointer(TPoint Position) const {
    if (!Open_) {
        return false;
    }
    const TRect box = Form->ScreenRect();
    return Position.X < box.Left || Position.X >= box.Right || Position.Y < box.Top || Position.Y >= box.Bottom;
}
