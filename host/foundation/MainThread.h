#pragma once

// Whether the caller runs on the main thread: the thread the process started on, where the main
// run loop, UIKit and every timer live (pthread_main_np on a device).
bool isMainThread();
