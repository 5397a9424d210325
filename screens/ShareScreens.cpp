#include "screens/Screens.h"

void RegisterShareScreen(TScreens& Screens) { (void)Screens; }
