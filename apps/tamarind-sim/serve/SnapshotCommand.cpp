#include "SnapshotCommand.h"

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "Navigator.h"
#include "Rendering.h"
#include "SimSupport.h"
#include "host/foundation/String.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UITableView.h"

using nlohmann::json;

namespace {

struct SnapshotRequest {
    std::string page;
    std::string out;
    PageExtent extent { PageExtent::Screen };
    std::vector<std::string> taps;
};

bool parseRequest(const std::vector<std::string>& arguments, SnapshotRequest& request)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--out" && i + 1 < arguments.size())
            request.out = arguments[++i];
        else if (a == "--tap" && i + 1 < arguments.size())
            request.taps.push_back(arguments[++i]);
        else if (a == "--full")
            request.extent = PageExtent::Whole;
        else if (request.page.empty() && !a.starts_with("--"))
            request.page = a;
        else
            return false;
    }
    return !request.page.empty() && !request.out.empty() && request.taps.size() <= kMaximumTaps;
}

// Where each row of the page on top lies in the picture just drawn, in points. A whole-page
// picture starts at the top of the content, so rows are placed as if the page were scrolled
// to its top.
json rowMap(rt::Object* page, PageExtent extent)
{
    json rows = json::array();
    auto* table = rt::dynamicCast<UITableView>(rt::send<rt::Object*>(page, SELECTOR("table")), UITableView::classObject());
    if (!isListController(page) || !table)
        return rows;
    double shift = 0;
    if (extent == PageExtent::Whole)
        shift = rt::send<CGPoint>(table, SELECTOR("contentOffset")).y
            + rt::send<UIEdgeInsets>(table, SELECTOR("adjustedContentInset")).top;
    rt::Class* bannerCell = rt::getClass("TMBannerCell");
    auto sections = static_cast<PSListController*>(page)->sections();
    long tableSections = table->numberOfSections();
    for (size_t s = 0; s < sections.size() && static_cast<long>(s) < tableSections; ++s) {
        long tableRows = table->numberOfRows(static_cast<long>(s));
        for (size_t r = 0; r < sections[s].rows.size() && static_cast<long>(r) < tableRows; ++r) {
            auto* spec = static_cast<PSSpecifier*>(sections[s].rows[r]);
            CGRect frame = table->convertRectToView(table->rectForRow(static_cast<long>(s), static_cast<long>(r)), nullptr);
            UITableViewCell* cell = table->cellForRow(static_cast<long>(s), static_cast<long>(r));
            rows.push_back({ { "id", spec->identifier() }, { "name", toStdString(spec->name()) },
                { "x", frame.origin.x }, { "y", frame.origin.y + shift }, { "width", frame.size.width },
                { "height", frame.size.height },
                { "banner", cell && bannerCell && rt::isKindOf(cell, bannerCell) } });
        }
    }
    return rows;
}

}

int snapshotCommand(const CommandLine& line, long interfaceStyle)
{
    SnapshotRequest request;
    if (!parseRequest(line.arguments, request))
        return fail("snapshot needs PAGE --out FILE.png [--full] and at most " + std::to_string(kMaximumTaps)
            + " --tap ROW-ID");
    if (!Navigator::isKnownPage(request.page))
        return fail("unknown page \"" + request.page + "\"");
    Navigator navigator;
    navigator.launch(interfaceStyle, kSettleSeconds);
    std::string error;
    if (!navigator.open(request.page, error))
        return fail(error);
    for (auto& row : request.taps)
        if (!navigator.tap(row, error))
            return fail(error);
    rt::AutoreleasePool pool;
    bool written = request.extent == PageExtent::Whole ? renderTopPageFull(request.out, error)
                                                       : renderTopPage(request.out, error);
    if (!written)
        return fail(error);
    rt::Object* page = navigator.topPage();
    rt::Object* screen = rt::send<rt::Object*>(rt::getClass("UIScreen"), SELECTOR("mainScreen"));
    json map { { "title", titleOf(page) }, { "scale", rt::send<double>(screen, SELECTOR("scale")) },
        { "rows", rowMap(page, request.extent) } };
    std::cout << map.dump() << "\n";
    return 0;
}
