#pragma once

#include "host/runtime/Runtime.h"

// The rules that both the cell replacements and the row subtitles apply to a PSTableCell: the
// exempt classes, the recorded background name, the table colour, the border and the icon
// rounding. Every rule reads the process-wide settings and talks to the cell by message, so it
// runs on the main thread inside the host's cell methods.

namespace tamarind {

// The system colour name of the host's standard grouped-cell background.
inline constexpr char kGroupedBackgroundName[] = "tableCellGroupedBackgroundColor";

// Cells that other packages put on their own preference pages and that keep their own look.
// The classes are looked up by name at every test, as such a package may load at any time.
bool isExemptCell(rt::Object* cell);

// The cell's instance variable of that name (_textLabel, _detailTextLabel, ...), or nothing.
rt::Object* cellIvar(rt::Object* cell, const char* name);
// The nearest view controller that owns the view, or nothing.
rt::Object* owningController(rt::Object* view);

// Stores the system colour name of the cell's background as origSystemColor, the grouped
// background name when the cell has no background colour, or nothing for a plain colour.
void recordBackgroundName(rt::Object* cell);

// Gives the cell the user's table colour for its appearance (dark or light key).
void paintTableColor(rt::Object* cell);
// The table-colour rule: paints only cells that showed the host's standard grouped background
// when last recorded, and never an exempt one.
void applyTableColorRule(rt::Object* cell);
// The border rule: the user's border colour and width, never on an exempt cell.
void applyBorderRule(rt::Object* cell);
// The icon rounding rule: the icon view's corners rounded and clipped.
void applyIconRounding(rt::Object* cell);
// The cell's own corner radius, on every layout and appearance change.
void applyCornerRounding(rt::Object* cell);

}
