#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

// Every option of the library as a user sees it: its kind, default, the value in force and one
// line saying what it changes. Sections: "firstPass" and "secondPass" (the settings read while
// the library loads), "colors" and "pictures" (read from the domain at the moment of use). Each
// option carries "changed": whether the value in force differs from its default.

// Needs the library loaded; nothing with one line in `error` otherwise.
std::optional<nlohmann::json> optionsReport(std::string& error);

// The report as aligned columns, one line per option, changed values marked with "*".
void printOptionsTable(const nlohmann::json& report, std::ostream&);

// The report's sections in order, with a heading each.
struct OptionSection {
    const char* key;
    const char* heading;
};
const std::vector<OptionSection>& optionSections();
// The kind as a user reads it ("boolean", "colour", ...).
std::string kindName(const std::string& kind);
// A value or default as text; nothing shows as "-".
std::string valueText(const nlohmann::json&);
