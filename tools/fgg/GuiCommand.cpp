// SPDX-License-Identifier: MIT
#include "tools/fgg/GuiCommand.h"

#include "gui/GuiTaskbar.h"
#include "gui/GuiTreeText.h"

int RunGui(TFggArgs Args, const TFggIo& Io) {
    TGuiTaskbar root;
    const bool loaded = root.LoadFromFile(Args[0]);
    std::fputs(loaded ? "ok\n" : "failed\n", Io.Out);
    std::fputs(DescribeGuiTree(root).c_str(), Io.Out);
    return loaded ? FggOk : FggFailed;
}
