// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Lays every screenshot (*.png, the sheet itself left out) of Folder out on one contact sheet,
// Folder/contact-sheet.png: a quarter-size picture of each, in the order of their names, each
// under its name, so a reviewer sees every screen the tests photographed at a glance. Returns
// false when the sheet cannot be written; pictures that cannot be read are left out.
[[nodiscard]] bool WriteGallerySheet(const std::string& Folder);
