#pragma once

// The logger's category levels 1 to SwitchedLevels have a switch each in the settings store.
constexpr int SwitchedLevels = 20;

// Whether the switch of such a level is on, as a handle on the store would read it now.
bool isCategoryOn(int level);
