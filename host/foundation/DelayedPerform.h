#pragma once

#include "host/runtime/Runtime.h"

// -[NSObject performSelector:withObject:afterDelay:] and
// +[NSObject cancelPreviousPerformRequestsWithTarget:selector:object:], on the main run loop. A
// pending request keeps its target and argument alive until it fires or is cancelled.
void performAfterDelay(rt::Object* target, rt::SEL, rt::Object* argument, double delay);
void cancelPreviousPerformRequests(rt::Object* target, rt::SEL, rt::Object* argument);
void cancelPreviousPerformRequests(rt::Object* target);
void registerDelayedPerformMethods();
