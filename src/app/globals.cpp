#include "app/globals.h"

TSleevix* Sleevix = nullptr;
TCDSetup* CDSetup = nullptr;
