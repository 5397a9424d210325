// SPDX-License-Identifier: MIT
#include "app/InputCommands.h"

#include "app/Automation.h"
#include "app/PadCommands.h"
#include "platform/WindowInput.h"

bool RunInputCommand(const TCommand& C, TWindowInput& Input, TPadInput& Pad) {
    const TPoint at = Input.ToClient({C.X, C.Y});
    switch (C.Kind) {
    case TCommandKind::Move:
        Input.MouseMove(at);
        return true;
    case TCommandKind::Press:
        Input.MouseMove(at);
        Input.MouseDown(C.Button, at);
        return true;
    case TCommandKind::Release:
        Input.MouseMove(at);
        Input.MouseUp(C.Button, at);
        return true;
    case TCommandKind::Click:
        Input.MouseMove(at);
        Input.MouseDown(C.Button, at);
        Input.MouseUp(C.Button, at);
        return true;
    case TCommandKind::Key:
        Input.KeyDown(C.Key);
        Input.KeyUp(C.Key);
        return true;
    case TCommandKind::KeyDown:
        Input.KeyDown(C.Key);
        return true;
    case TCommandKind::KeyUp:
        Input.KeyUp(C.Key);
        return true;
    case TCommandKind::Pad:
    case TCommandKind::PadDown:
    case TCommandKind::PadUp:
    case TCommandKind::PadStick:
        RunPadCommand(C, Pad);
        return true;
    case TCommandKind::Type:
        Input.Text(C.Text);
        return true;
    case TCommandKind::Close:
        Input.Close();
        return true;
    case TCommandKind::Minimize:
        Input.Minimize();
        return true;
    case TCommandKind::Restore:
        Input.Restore();
        return true;
    case TCommandKind::Focus:
        Input.Focus(C.Focused);
        return true;
    default:
        return false;
    }
}
