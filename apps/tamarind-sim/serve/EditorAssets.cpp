#include "EditorAssets.h"

namespace {

const char* contentTypeOf(std::string_view name)
{
    if (name.ends_with(".html"))
        return "text/html; charset=utf-8";
    if (name.ends_with(".js"))
        return "text/javascript; charset=utf-8";
    if (name.ends_with(".css"))
        return "text/css; charset=utf-8";
    return "application/octet-stream";
}

}

std::optional<EditorAsset> editorAsset(std::string_view requestPath)
{
    std::string_view name = requestPath == "/" ? "editor.html" : requestPath;
    if (name.starts_with("/"))
        name.remove_prefix(1);
    for (auto& file : embeddedEditorFiles())
        if (file.name == name)
            return EditorAsset { file.bytes, contentTypeOf(name) };
    return std::nullopt;
}
