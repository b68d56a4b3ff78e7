#pragma once

// The jailbreak's tools that restart the home screen. Each starts its tool and returns at once:
// nothing waits for the child, and a tool that is missing or cannot be started is silently not
// run.

// Restarts SpringBoard through the reload tool.
extern "C" void performRespring();
// Sends SpringBoard the segmentation-fault signal through the kill tool, which brings the home
// screen up in the jailbreak's safe mode.
extern "C" void performSafeMode();
