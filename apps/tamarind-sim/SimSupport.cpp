#include "SimSupport.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "host/foundation/String.h"
#include "host/render/Color.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIView.h"

using nlohmann::json;

int fail(const std::string& message)
{
    std::fprintf(stderr, "tamarind-sim: %s\n", message.c_str());
    return 1;
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool writeFile(const std::filesystem::path& file, std::string_view bytes, std::string& error)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string titleOf(rt::Object* page)
{
    rt::Object* title = rt::send<rt::Object*>(page, SELECTOR("title"));
    return isString(title) ? toStdString(title) : std::string();
}

json optionalText(rt::Object* value)
{
    return isString(value) ? json(toStdString(value)) : json(nullptr);
}

json hexColor(rt::Object* color, long style)
{
    if (!color)
        return nullptr;
    RGBAColor c = resolveColorObject(color, style);
    char text[16];
    auto byte = [](double v) { return static_cast<int>(v * 255 + 0.5); };
    std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(c.r), byte(c.g), byte(c.b), byte(c.a));
    return text;
}

json frameOf(const UIView* view)
{
    CGRect f = view->convertRectToView(view->bounds(), nullptr);
    return { f.origin.x, f.origin.y, f.size.width, f.size.height };
}

json labelOf(UILabel* label, long style)
{
    if (!label)
        return nullptr;
    return { { "text", label->text() }, { "color", hexColor(label->textColor(), style) },
        { "hidden", label->isHidden() }, { "frame", frameOf(label) } };
}
