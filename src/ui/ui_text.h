// Text and fonts of the desktop game: game-file names to QString in the scenario's code page, the
// CJK face chosen by the scenario's language, and the message boxes every command uses.
#pragma once

#include "world/byte_io.h"
#include "world/world_state.h"

#include <QFont>
#include <QString>

#include <string>
#include <string_view>

class QWidget;

class QCoreApplication;

namespace vh::ui {

// Bytes of a name field (CP932, or GB2312 when the scenario says so) as display text.
QString fieldQText(const WorldState& w, std::string_view bytes);
template <size_t N> QString fieldQText(const WorldState& w, const char (&field)[N]) {
    return fieldQText(w, fieldText(field));
}
inline QString utf8(const std::string& s) {
    return QString::fromStdString(s);
}

QString houseName(const WorldState& w, int house);
QString castleName(const WorldState& w, int castle);
QString provinceName(const WorldState& w, int province);

// "%d万%04d石".
QString kokuText(int koku);

// The face for a scenario language: the Japanese CJK face, or the Simplified Chinese one for 1.
QString fontFamily(int language);
QFont uiFont(int language, int pixelSize);
// Applies the family to the whole application (dialogs created afterwards inherit it).
void applyApplicationFont(int language);
// Qt's own dialogs (the file chooser, standard buttons) speak Japanese like the rest of the game.
// Returns false when Qt's Japanese translations are not installed.
bool installQtJapanese(QCoreApplication& app);

// Modal message boxes with the game's captions.
void showMessage(QWidget* parent, const QString& text);
bool askOkCancel(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text);

} // namespace vh::ui
