#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "IsolatedRun.h"

// What the editor's page shows of every option: groups of options, each option with its key,
// kind, the control that edits it, its default and what it changes. The library describes its
// own options only once loaded, and the server never loads it, so the description is asked of a
// child run of `options --json` on the given device.
std::optional<nlohmann::json> readOptionCatalog(
    const std::filesystem::path& program, const std::filesystem::path& device, const RunLimits&, std::string& error);

// The catalog built from an options report (as `options --json` prints it).
nlohmann::json optionCatalogFrom(const nlohmann::json& report);
