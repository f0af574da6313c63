#pragma once

class TSleevix;
class TCDSetup;

// The main window and the run-long settings window, as the program's
// handlers reach them. Both are null until start-up created them.
extern TSleevix* Sleevix;
extern TCDSetup* CDSetup;
