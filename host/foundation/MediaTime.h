#pragma once

// CACurrentMediaTime: the host clock, in seconds. A display link's target timestamp is on the
// same clock, so the difference of the two is the time until the next frame is shown.
double CACurrentMediaTime();
