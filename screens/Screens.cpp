// SPDX-License-Identifier: MIT
#include "screens/Screens.h"

#include "screens/GameTexts.h"

#include "gui/GuiBase.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "screens/GameState.h"
#include "screens/ScoreSender.h"
#include "screens/ScreenHost.h"

TScreens::TScreens(IScreenHost& Host) : Host_(Host) {}

TScreens::~TScreens() = default;

TGameState& TScreens::State() const { return Host_.State(); }

void TScreens::Register(uint8_t State, THandlers Value) { Handlers[State] = std::move(Value); }

void TScreens::ScreenEnter(uint8_t State) {
    if (const auto& h = Handlers[State].Enter) {
        Host_.TraceEvent("enter", "state", std::to_string(State));
        h();
    }
}

void TScreens::ScreenUpdate(uint8_t State) {
    if (const auto& h = Handlers[State].Update) {
        h();
    }
}

void TScreens::ScreenLeave(uint8_t State) {
    if (const auto& h = Handlers[State].Leave) {
        Host_.TraceEvent("leave", "state", std::to_string(State));
        h();
    }
}

void TScreens::Bind(const std::string& Button, std::function<void()> Handler) {
    Buttons.emplace_back(Button, Handler);
    if (TGuiControl* control = Control(Button)) {
        control->OnClick = [Handler](TGuiControl&) { Handler(); };
    }
}

void TScreens::Press(std::string_view Button) {
    for (const auto& [name, handler] : Buttons) {
        if (name == Button) {
            handler();
            return;
        }
    }
}

void TScreens::RegisterAll() {
    RegisterEndingScreens(*this);
    RegisterMenuScreens(*this);
    RegisterProfileScreens(*this);
    RegisterPlayScreens(*this);
    RegisterScoreScreens(*this);
    RegisterShareScreen(*this);
}

void TScreens::SendScore(const TScoreSubmission& Game) {
    Sender.reset();
    Sender = std::make_unique<TScoreSender>(Game);
}

void TScreens::TraceScoreRequests() {
    for (const TScoreSender::TRequest& request : Sender->TakeRequests()) {
        Host_.TraceEvent2("http", "url", request.Url, "status", std::to_string(request.Status));
    }
}

void TScreens::PollScoreSubmission() {
    if (!Sender) {
        return;
    }
    // The result is read before the requests are traced: the worker notes every request before
    // it sets the result, so a finished submission never loses its last request's trace line.
    const std::optional<bool> accepted = Sender->Result();
    TraceScoreRequests();
    if (!accepted) {
        return;
    }
    Sender.reset();
    if (!*accepted) {
        Host_.MessageBox(Host_.Texts().Tr("Не удаётся соединиться с сервером!"));
    }
}

void TScreens::FinishScoreSubmission() {
    if (!Sender) {
        return;
    }
    Sender->Wait();
    TraceScoreRequests();
    Sender.reset();
}

TGuiControl* TScreens::Control(std::string_view Name) const { return Host_.Gui().FindControl(Name); }

void TScreens::ShowForm(std::string_view Name) const {
    if (TGuiControl* c = Control(Name)) {
        c->SetVisible(true);
        c->BringToFront();
    }
}

void TScreens::HideForm(std::string_view Name) const {
    if (TGuiControl* c = Control(Name)) {
        c->SetVisible(false);
        c->SendToBack();
    }
}

void TScreens::SetVisible(std::string_view Name, bool Visible) const {
    if (TGuiControl* c = Control(Name)) {
        c->SetVisible(Visible);
    }
}

void TScreens::SetEnabled(std::string_view Name, bool Enabled) const {
    if (TGuiControl* c = Control(Name)) {
        c->SetEnabled(Enabled);
    }
}

void TScreens::SetText(std::string_view Name, const std::string& Value) const {
    TGuiControl* c = Control(Name);
    if (auto* label = dynamic_cast<TGuiLabel*>(c)) {
        label->SetText(Value);
    } else if (auto* button = dynamic_cast<TGuiButton*>(c)) {
        button->Caption = Value;
    } else if (auto* edit = dynamic_cast<TGuiEdit*>(c)) {
        edit->SetText(Value);
    } else if (auto* form = dynamic_cast<TGuiForm*>(c)) {
        form->Caption = Value;
    }
}

std::string TScreens::Text(std::string_view Name) const {
    TGuiControl* c = Control(Name);
    if (auto* label = dynamic_cast<TGuiLabel*>(c)) {
        return label->Text();
    }
    if (auto* button = dynamic_cast<TGuiButton*>(c)) {
        return button->Caption;
    }
    if (auto* edit = dynamic_cast<TGuiEdit*>(c)) {
        return edit->Text();
    }
    return {};
}

void TScreens::EnterForm(uint8_t StateValue, const std::string& Form) const {
    State().ScreenState = StateValue;
    ShowForm(Form);
}

void TScreens::PlaceByEndPicture(const std::string& Form) {
    // The logical screen's height, and the margin left between the form and its lower left corner.
    constexpr int32_t kLogicalHeight = 600;
    constexpr int32_t Margin = 16;
    TGuiControl* form = Control(Form);
    if (form == nullptr) {
        return;
    }
    const TPoint home = FormHomes.try_emplace(Form, TPoint{form->Left(), form->Top()}).first->second;
    if (State().EndgameShown) {
        form->SetBound(0, Margin);
        form->SetBound(1, kLogicalHeight - Margin - form->Height());
    } else {
        form->SetBound(0, home.X);
        form->SetBound(1, home.Y);
    }
}

void TScreens::Go(uint8_t Old, uint8_t New) {
    ScreenLeave(Old);
    ScreenEnter(New);
}

void TScreens::ClickGo(uint8_t Old, uint8_t New) {
    Host_.PlaySound("check");
    Go(Old, New);
}
