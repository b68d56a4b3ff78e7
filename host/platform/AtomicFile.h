#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Replaces a file's contents in one step. The bytes go to a new file of a unique name in the
// same folder, are flushed to the disk, and only then take the old file's name, so a reader (or
// the next start of Settings) finds the old contents or the new ones, whole: never an empty or
// half-written file, whatever stops the write (a crash, a kill, a full disk, a file size limit).
// A file that is replaced keeps its permissions; a new one is readable by everyone.
//
// On failure the old file is left untouched, the temporary file is removed, and `error` names
// the step that failed and why.
bool writeFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, std::string& error);
