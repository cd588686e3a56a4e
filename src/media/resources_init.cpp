#include "resources_init.h"

#include <QtGlobal>

static void initTarnwickResources()
{
    Q_INIT_RESOURCE(sounds);
    Q_INIT_RESOURCE(help);
}

namespace tw {
void initResources() { initTarnwickResources(); }
} // namespace tw
