#pragma once

// The run loop modes a client may name when it adds a timer or a display link to the main run
// loop. The host's run loop has one mode of work: sources added in either mode run on every pass.
extern const char* const NSDefaultRunLoopMode;
extern const char* const NSRunLoopCommonModes;
