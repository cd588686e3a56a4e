#pragma once

#include "engine/catalogue.h"
#include "media/resources_init.h"
#include "settings/data.h"
#include "settings/store.h"
#include "table/qtprompt.h"

namespace tw::bench {

// What the program makes before its main window, as it makes it: the
// resources, the settings in the user's settings file, the catalogue, the
// message boxes. Made after the application object.
struct ProgramObjects {
    ProgramObjects()
    {
        initResources();
        frmGame::Init(data);
    }
    QtSettingsStore store;
    cData data{store};
    QtPrompt prompt;
};

} // namespace tw::bench
