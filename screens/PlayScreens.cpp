#include "screens/Screens.h"

void RegisterPlayScreens(TScreens& Screens) { (void)Screens; }
