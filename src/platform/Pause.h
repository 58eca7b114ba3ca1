#pragma once

namespace platform {

// Waits the given number of seconds on a monotonic clock while the user
// interface keeps processing its events (so it is right across midnight).
void pause(double seconds);

// Test seam: every pause lasts seconds * factor. 1 restores real time.
void setPauseScale(double factor);
double pauseScale();

} // namespace platform
