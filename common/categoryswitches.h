#pragma once

// Whether the settings store's switch of a logger category (level 1 to 20) is
// on, as a handle on the store would read it now.
bool isCategoryOn(int level);
