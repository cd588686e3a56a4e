#pragma once

namespace tw {
// Registers the compiled-in resources (sounds, help pages). The libraries are
// static, so the program and the tests call this once at start.
void initResources();
} // namespace tw
