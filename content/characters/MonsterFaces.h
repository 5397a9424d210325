// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

#include <vector>

// The four monsters that hold the captain, one per chapter: each head is drawn so that its
// eyes and mouth sprites land on it at rest ("Monstr1.head" ... "Monstr4.head", the eyes
// "Monstr1.eye" ... "Monstr4.eye") and one mouth picture serves all four ("monstr.mouth").
namespace MonsterFaces {

// Type runs 1..4.
[[nodiscard]] TPicture Head(int Type);
[[nodiscard]] TPicture Eye(int Type);
[[nodiscard]] std::vector<TPicture> Mouths();

} // namespace MonsterFaces
