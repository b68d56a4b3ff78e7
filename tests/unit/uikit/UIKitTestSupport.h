#pragma once

#include <string>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"

class UIView;
class UIViewController;
class UIWindow;

// A window of the main screen's size, made key and visible, in the given style.
rt::Ref<UIWindow> makeWindow(long style = 1);
rt::Ref<UIView> makeView(CGRect frame = {});
// An ordered record of messages that hooks and test classes append to.
std::vector<std::string>& messageLog();
// A view controller with this title that logs each step of its life to messageLog():
// "TITLE load", "TITLE willAppear", "TITLE didAppear", "TITLE willDisappear", "TITLE didDisappear".
rt::Ref<UIViewController> lifecyclePage(const char* title);
