// What the desktop game keeps beside a game: the preferences file, the background music and the
// help window, with the menu commands that change them (MIDIファイル名設定, ﾍﾙﾌﾟ).
#pragma once

#include "game/settings_file.h"
#include "ui/music_player.h"

#include <QPointer>
#include <QString>

#include <memory>

class QWidget;

namespace vh::ui {

class HelpWindow;

// The per-user folder for the preferences of an installed (read-only) copy.
QString defaultConfigDir();

class AppServices {
  public:
    // Reads the preferences (program directory, or `configDir` when that cannot be written) and
    // prepares the music; nothing plays yet.
    AppServices(const QString& programDir, const QString& configDir = defaultConfigDir(),
                MusicPlayer::Options music = {});
    ~AppServices();

    const SettingsFile& settings() const { return settings_; }
    QString settingsWritePath() const { return QString::fromStdString(location_.writePath); }
    QString programDir() const { return programDir_; }

    // The folder save and load dialogs open in; the program's directory until one was used.
    QString saveDir() const;
    // A folder used for saving or loading; the file is written when it changed.
    void rememberSaveDir(const QString& dir);

    MusicPlayer& music() { return *music_; }

    // "MIDIファイル名設定". True when OK changed something (settings written, music reopened).
    bool showMusicDialog(QWidget* parent);
    // Applies the music dialog's result: nothing when unchanged, else the file and the player.
    bool applyMusicSettings(const SettingsFile& changed);
    // Opens the help window at intro.html, or raises it when it is already open.
    void showHelp(QWidget* parent);
    HelpWindow* helpWindow() const;

  private:
    bool write();

    QString programDir_;
    SettingsLocation location_;
    SettingsFile settings_;
    std::unique_ptr<MusicPlayer> music_;
    QPointer<HelpWindow> help_;
};

} // namespace vh::ui
