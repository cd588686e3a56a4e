#pragma once

#include "testutil.h"

namespace tw {
class HelpWindow;
}

namespace tw::test {

// Whether keys typed into the help window's own window reach it (a modal
// window would block them): Page Down scrolls its page.
bool helpScrollsWithKeys(HelpWindow &help);

} // namespace tw::test
