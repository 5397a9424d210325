// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Types.h"

class IScreenHost;
class TGuiControl;
class TScoreSender;
struct TGameState;
struct TScoreSubmission;

// The screen state machine: an enter, an update and a leave handler per screen number, and
// the click handlers of the named buttons. Dispatching a number without a handler does
// nothing. The handlers themselves live in the screen groups (menus, profiles, play,
// endings, scores, share), which register them here.
class TScreens {
public:
    explicit TScreens(IScreenHost& Host);
    ~TScreens();
    TScreens(const TScreens&) = delete;
    TScreens& operator=(const TScreens&) = delete;

    struct THandlers {
        std::function<void()> Enter;
        std::function<void()> Update;
        std::function<void()> Leave;
    };
    void Register(uint8_t State, THandlers Handlers);

    void ScreenEnter(uint8_t State);
    void ScreenUpdate(uint8_t State);
    void ScreenLeave(uint8_t State);

    // Binds a button's click; a name the GUI file lacks binds nothing.
    void Bind(const std::string& Button, std::function<void()> Handler);
    // Runs a bound button's handler as if it had been clicked (keys that act as buttons).
    void Press(std::string_view Button);

    // Every screen group's handlers and buttons, in the game's binding order.
    void RegisterAll();

    // Helpers shared by the screen groups.
    [[nodiscard]] IScreenHost& Host() const { return Host_; }
    [[nodiscard]] TGameState& State() const;
    [[nodiscard]] TGuiControl* Control(std::string_view Name) const;
    // Shows the form and brings it to the front / hides it and sends it to the back.
    void ShowForm(std::string_view Name) const;
    void HideForm(std::string_view Name) const;
    void SetVisible(std::string_view Name, bool Visible) const;
    void SetEnabled(std::string_view Name, bool Enabled) const;
    // Sets a label's text or a button's caption.
    void SetText(std::string_view Name, const std::string& Text) const;
    [[nodiscard]] std::string Text(std::string_view Name) const;
    // The standard screen: enter sets the state and shows the form; leave hides it.
    void EnterForm(uint8_t State, const std::string& Form) const;
    // Starts sending a finished game's score in the background (a send still running is
    // stopped first).
    void SendScore(const TScoreSubmission& Game);
    // Once a frame: traces the requests the submission finished and, when its handshake
    // failed, tells the player.
    void PollScoreSubmission();
    // When the window closes: waits for a running submission (its budget bounds the wait)
    // and traces its requests.
    void FinishScoreSubmission();

    // The final score's forms: over the end picture the form sits at the lower left, clear of
    // the homebound rocket; over the board it stands where the screens file puts it.
    void PlaceByEndPicture(const std::string& Form);

    // Leave Old, enter New.
    void Go(uint8_t Old, uint8_t New);
    // "check", then leave Old and enter New.
    void ClickGo(uint8_t Old, uint8_t New);

private:
    void TraceScoreRequests();

    IScreenHost& Host_;
    std::array<THandlers, 256> Handlers;
    std::vector<std::pair<std::string, std::function<void()>>> Buttons;
    std::unique_ptr<TScoreSender> Sender;
    // Where the screens file puts each form PlaceByEndPicture has moved.
    std::map<std::string, TPoint> FormHomes;
};

// The screen groups' registration functions.
void RegisterMenuScreens(TScreens& Screens);
void RegisterProfileScreens(TScreens& Screens);
void RegisterPlayScreens(TScreens& Screens);
void RegisterEndingScreens(TScreens& Screens);
void RegisterScoreScreens(TScreens& Screens);
void RegisterShareScreen(TScreens& Screens);
