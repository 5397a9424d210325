#pragma once

#include "content/Picture.h"

#include <vector>

// Captain Zibo's face, cut into the sprites the game places: the head (with the far eye
// as a hole), the eyeball behind that hole ("zibo.pupil"), the iris that follows the
// pointer ("zibo.eye") and the seven mouths.
namespace HeroFace {

[[nodiscard]] TPicture Head();
[[nodiscard]] TPicture Eye();
[[nodiscard]] TPicture Pupil();
[[nodiscard]] std::vector<TPicture> Mouths();


} // namespace HeroFace
