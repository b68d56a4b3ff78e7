#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The editor's own files, built into the program. The server answers with these and nothing
// else: a request's path only ever selects one of them by name.
struct EmbeddedFile {
    std::string_view name;
    std::string_view bytes;
};
const std::vector<EmbeddedFile>& embeddedEditorFiles();

struct EditorAsset {
    std::string_view bytes;
    const char* contentType;
};
// The file a request path names ("/" is the page), or nothing.
std::optional<EditorAsset> editorAsset(std::string_view requestPath);
