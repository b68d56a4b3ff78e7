#pragma once

#include <string>
#include <vector>

#include "host/runtime/Runtime.h"

class UIWindow;
class UINavigationController;
class UITableView;

// A Settings-like page for tests and the benchmark: a window holding a navigation controller
// whose root page is an inset-grouped table of sections of icon rows, answered by a data source
// class built at run time (as a library's page would be).
struct SampleRow {
    std::string title;
    std::string value;
    unsigned iconColor { 0x007AFF };
    bool isSwitch { false };
};

struct SamplePage {
    rt::Ref<UIWindow> window;
    rt::Ref<UINavigationController> navigation;
    rt::Ref<rt::Object> page;
    UITableView* table { nullptr };
};

// The default content: a root list of about `rows` rows in groups of four to six.
std::vector<std::vector<SampleRow>> sampleSections(int rows);
SamplePage makeSamplePage(const std::vector<std::vector<SampleRow>>& sections, long style = 1);
