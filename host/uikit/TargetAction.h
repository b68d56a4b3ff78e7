#pragma once

#include "host/runtime/Runtime.h"

// Sends an action the way UIKit does: the target's method may take no argument, the sender, or
// the sender and an event (sent as nil). A target that does not answer the action, or answers
// with another shape, is skipped rather than called through the wrong signature.
bool sendAction(rt::Object* target, rt::SEL action, rt::Object* sender);
