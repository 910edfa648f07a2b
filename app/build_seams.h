// What the test build changes of the program, behind functions that the release build gives their real meaning:
// build_release.cpp is linked into the shipped program, build_for_test.cpp into the test build only.
#pragma once

namespace app {

// Whether Windows' high contrast is on. The test build takes it from a registry value the tests set, as Wine
// cannot turn the system's on.
bool HighContrastOn() noexcept;

// Whether Windows' Mouse Keys is on, which acts on the keypad too. The test build takes it from a registry value
// the tests set, as Wine has no Mouse Keys.
bool MouseKeysOn() noexcept;

// The start and the end of a run's steering. The release build does nothing here; the test build, started with
// /lose-hook-for-test, makes the keyboard hook vanish at the third key event of every run, as Windows removes a hook
// it finds too slow, without telling the program.
void SteeringStarted() noexcept;
void SteeringStopped() noexcept;

}  // namespace app
