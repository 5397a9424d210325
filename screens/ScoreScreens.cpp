#include "screens/Screens.h"

void RegisterScoreScreens(TScreens& Screens) { (void)Screens; }
