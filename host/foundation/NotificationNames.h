#pragma once

// The names of the notifications the system posts that the library observes.
extern const char* const UIApplicationDidReceiveMemoryWarningNotification;
extern const char* const UIApplicationDidEnterBackgroundNotification;
extern const char* const UIApplicationWillEnterForegroundNotification;
extern const char* const UIKeyboardDidShowNotification;
