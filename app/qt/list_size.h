#pragma once

class QListWidget;

namespace talvex::qt {

// Lets a screen reader count every row of `list`, those scrolled out of sight included.
// Orca 48 counts only the rows a list shows, unless the list gives its set size, which Qt can
// give from 6.8 on; where Qt is older, nothing is needed, and nothing is done.
void tellListSize(QListWidget& list);

} // namespace talvex::qt
