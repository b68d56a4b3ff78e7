#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// Moves through Settings as a user would: pages are opened by tapping the row that leads to
// them on the root list.
class Navigator {
public:
    // Launches Settings and lets it settle for `settleSeconds` of simulated time.
    void launch(long interfaceStyle, double settleSeconds);

    // Opens a page by name (root, connectivity, notifications, general, tweaks, apps, system-apps,
    // about, storage, ...), tapping the rows that lead to it as a user would; the preference pane's
    // own pages (offsets, table-cells) are pushed by their class.
    bool open(const std::string& page, std::string& error);
    // Taps the row with the identifier on the page on top (on an iPad, on the root list beside it
    // when the page on top has no such row).
    bool tap(const std::string& rowID, std::string& error);
    // Taps the row's cell twice in quick succession: the table scrolls the row into view, and the
    // cell's gesture recognizers (not the row selection) see the taps.
    bool doubleTap(const std::string& rowID, std::string& error);
    // Pops the page on top; on an iPad, the secondary column's.
    void back();
    // Moves the page's content by dy points (negative pulls it down), as a finger would.
    bool scroll(double dy, std::string& error);
    // Pushes a second root page, one that is not Settings' top-level controller.
    void pushRootPage();
    rt::Object* topPage() const;
    const std::string& pageName() const { return m_pageName; }

    static bool isKnownPage(const std::string&);
    static const char* const* pageNames();

    // Lets the work a touch started finish: the run loop runs until idle, Settings' window lays
    // out, and the work that layout started runs too.
    static void settle();

private:
    // Back to the root list alone: the stack popped to it, or on an iPad the page beside it gone.
    void returnToRoot();
    bool pushPage(const char* className, const char* title);
    bool hasRow(rt::Object* page, const std::string& rowID) const;
    // The page on top when it has the row, else on an iPad the root list beside it when that has
    // it; null when neither has.
    rt::Object* pageWithRow(const std::string& rowID) const;
    // The section and row of the identifier on the page; false when it has none.
    bool findRow(rt::Object* page, const std::string& rowID, long& section, long& row) const;
    // Taps the row as tap() does, without a word about an empty column; returns the page whose row
    // was tapped, with the row in `tapped`, or null.
    rt::Object* selectRow(const std::string& rowID, rt::Object*& tapped, std::string& error);
    void reportEmptyColumn(rt::Object* page, rt::Object* row) const;
    std::string m_pageName { "root" };
};
