#pragma once

namespace dravik::qt {

class MinefieldWidget;

// A screen reader sees the minefield as a table of the board's rows and columns (16 x 30 at
// Expert), each named by its row, column
// and what it shows ("row 3, column 5, 2 mines around"), although one widget paints them all.
// Each cell offers the actions "Uncover" and "Mark", a left and a right click; the cursor's cell
// is the focused one. Installing is idempotent; every minefield does it when it is created.
void InstallMinefieldAccessibility();

// Tells a listening assistive tool that a cell now shows something else. Costs nothing while
// none listens.
void AnnounceCellChange(MinefieldWidget& minefield, int index);
// The same when a hint's outline comes to or leaves a cell: its description says "hint" or
// "proof" while it is outlined.
void AnnounceCellOutline(MinefieldWidget& minefield, int index);
// The cursor came to a cell: it is the focused cell now.
void AnnounceCellFocus(MinefieldWidget& minefield, int index);
// A board of another size replaced the table's rows and columns.
void AnnounceGridChange(MinefieldWidget& minefield);

}  // namespace dravik::qt
