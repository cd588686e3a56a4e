#pragma once

namespace tw {

class cData;
class frmMain;

// The program's entry and exit: start-up (settings object, catalogue, splash),
// the hand-over from the splash to the table and the game selector, and the
// release of everything when the table closes.
namespace mLoad {
int Main(int argc, char **argv);
// Everything Main does once the application object exists: start-up, the
// event loop, and the release of every window and object before it returns.
int Run();
void SplashDone();
void ShowMain();
void UnloadAll();

cData *data();
frmMain *mainWindow();
} // namespace mLoad

} // namespace tw
