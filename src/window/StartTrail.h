#pragma once

// The window's start step by step on the farline.window debug trail, in milliseconds since the
// program's main() began: where the time before the first frame goes.
namespace StartTrail {
void begin();
void mark(const char *step);
}
