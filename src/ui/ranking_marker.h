// The small marker before a house in the ranking lists of the main window and the automatic
// progress dialog.
#pragma once

#include <QIcon>

namespace vh::ui {

// The place's colour for the first five houses, grey below them; a house that has itself submitted
// is blue and drawn as a circle instead of a square.
QIcon rankingMarker(int place, bool submitted);

} // namespace vh::ui
