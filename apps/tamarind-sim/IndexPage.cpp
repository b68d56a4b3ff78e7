#include "IndexPage.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "Navigator.h"
#include "OptionsReport.h"
#include "SimSupport.h"

namespace fs = std::filesystem;

namespace {

// Text from the user (option values, titles) goes into the page as text, never as markup.
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

constexpr const char* kStyle = R"(
body { font: 14px/1.4 system-ui, sans-serif; margin: 24px; color: #1c1c1e; background: #f2f2f7; }
h1 { margin: 0 0 4px; } h2 { margin: 40px 0 8px; } h3 { margin: 24px 0 8px; }
nav a { margin-right: 10px; }
.shots { display: grid; grid-template-columns: repeat(4, 220px); gap: 12px; align-items: start; }
figure { margin: 0; } figcaption { font-size: 12px; color: #555; margin-bottom: 4px; }
figure img { width: 220px; border: 1px solid #c7c7cc; border-radius: 6px; display: block; }
.missing { width: 220px; height: 120px; border: 1px dashed #c7c7cc; border-radius: 6px; display: flex;
  align-items: center; justify-content: center; color: #8e8e93; font-size: 12px; text-align: center; }
table { border-collapse: collapse; background: #fff; }
th, td { text-align: left; padding: 3px 8px; border-bottom: 1px solid #e5e5ea; vertical-align: top; }
th.section { background: #e5e5ea; }
tr.changed td { background: #fff4d6; font-weight: 600; }
.mark { color: #c93400; }
)";

enum class Drawn { Stock, Restyled };

void writeFigure(std::ostream& out, const fs::path& folder, const std::string& file, Drawn drawn, const char* style)
{
    std::string caption = std::string(drawn == Drawn::Stock ? "stock, " : "restyled, ") + style;
    out << "<figure><figcaption>" << escaped(caption) << "</figcaption>";
    if (fs::exists(folder / file))
        out << "<a href=\"" << escaped(file) << "\"><img src=\"" << escaped(file) << "\" alt=\"" << escaped(caption)
            << "\"></a>";
    else
        out << "<div class=\"missing\">"
            << (drawn == Drawn::Stock ? "not in stock Settings" : "not reachable with these options")
            << "</div>";
    out << "</figure>";
}

// The pages of one device's pictures, found under `prefix` inside `folder` ("" for a shots
// folder's own page, "NAME/" for a device of the gallery); `anchor` keeps the ids of several
// devices on one page apart.
void writePages(std::ostream& out, const fs::path& folder, const std::string& prefix, const std::string& anchor)
{
    out << "<nav>";
    for (const char* const* page = Navigator::pageNames(); *page; ++page)
        out << "<a href=\"#" << escaped(anchor) << "page-" << *page << "\">" << *page << "</a>";
    out << "</nav>\n";
    for (const char* const* page = Navigator::pageNames(); *page; ++page) {
        std::string name = *page;
        out << "<section id=\"" << escaped(anchor) << "page-" << name << "\"><h3>" << name
            << "</h3><div class=\"shots\">";
        for (const char* style : { "light", "dark" }) {
            writeFigure(out, folder, prefix + "stock/" + name + "-" + style + ".png", Drawn::Stock, style);
            writeFigure(out, folder, prefix + name + "-" + style + ".png", Drawn::Restyled, style);
        }
        out << "</div></section>\n";
    }
}

void writeOptions(std::ostream& out, const nlohmann::json& options)
{
    out << "<h2 id=\"options\">Options in force</h2>\n"
        << "<p>Rows marked <span class=\"mark\">&#9679; changed</span> differ from their default.</p>\n<table>\n";
    for (auto& section : optionSections()) {
        out << "<tr><th class=\"section\" colspan=\"5\">" << escaped(section.heading) << "</th></tr>\n"
            << "<tr><th>Option</th><th>Kind</th><th>Default</th><th>In force</th><th>What it changes</th></tr>\n";
        for (auto& o : options[section.key]) {
            bool changed = o.value("changed", false);
            out << "<tr" << (changed ? " class=\"changed\"" : "") << " id=\"option-" << escaped(o.value("key", ""))
                << "\"><td>" << escaped(o.value("key", "")) << "</td><td>" << escaped(kindName(o.value("kind", "")))
                << "</td><td>" << escaped(valueText(o["default"])) << "</td><td>" << escaped(valueText(o["value"]))
                << (changed ? " <span class=\"mark\">&#9679; changed</span>" : "") << "</td><td>"
                << escaped(o.value("description", "")) << "</td></tr>\n";
        }
    }
    out << "</table>\n";
}

void writeHead(std::ostream& page)
{
    page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>Tamarind preview</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n"
         << "<h1>Tamarind preview</h1>\n";
}

}

bool writeIndexPage(const fs::path& folder, const nlohmann::json& options, std::string& error)
{
    std::ostringstream page;
    writeHead(page);
    page << "<p>Every page of the simulated Settings app, stock beside restyled, light beside dark. "
            "Select a picture to see it at full size. <a href=\"#options\">Options in force</a></p>\n";
    writePages(page, folder, "", "");
    writeOptions(page, options);
    page << "</body>\n</html>\n";
    return writeFile(folder / "index.html", page.str(), error);
}

bool writeGalleryPage(const fs::path& folder, const std::vector<GalleryDevice>& devices, std::string& error)
{
    std::ostringstream page;
    writeHead(page);
    page << "<p>Every page of the simulated Settings app on every device, stock beside restyled, light beside "
            "dark. Select a picture to see it at full size.</p>\n<nav>";
    for (auto& device : devices)
        page << "<a href=\"#device-" << escaped(device.folder) << "\">" << escaped(device.folder) << "</a>";
    page << "</nav>\n";
    for (auto& device : devices) {
        page << "<section id=\"device-" << escaped(device.folder) << "\"><h2>" << escaped(device.title)
             << "</h2>\n<p><a href=\"" << escaped(device.folder) << "/index.html\">This device alone, with the "
             << "options in force</a></p>\n";
        writePages(page, folder, device.folder + "/", device.folder + "-");
        page << "</section>\n";
    }
    page << "</body>\n</html>\n";
    return writeFile(folder / "index.html", page.str(), error);
}
