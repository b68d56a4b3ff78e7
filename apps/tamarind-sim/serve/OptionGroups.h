#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The editor shows options grouped by what they change on screen, which the reading passes of
// the option table do not tell: a colour sits beside the switch that turns it on.

struct OptionGroup {
    std::string_view title;
    std::vector<std::string_view> keys;
};

// Every group in the order the editor shows them. Every option of the table belongs to exactly
// one group; a test holds the table to that.
const std::vector<OptionGroup>& optionGroups();

// The range a number option is edited in with a slider, when it has one.
struct OptionRange {
    double minimum;
    double maximum;
    double step;
};
std::optional<OptionRange> optionRange(std::string_view key);
