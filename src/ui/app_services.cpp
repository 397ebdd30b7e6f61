// Preferences, music and help of the desktop game.
#include "ui/app_services.h"

#include "ui/help_window.h"
#include "ui/music_dialog.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstring>

namespace vh::ui {

QString defaultConfigDir() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .absoluteFilePath("vardenholm");
}

AppServices::AppServices(const QString& programDir, const QString& configDir, MusicPlayer::Options music)
    : programDir_(QDir(programDir).absolutePath()), music_(std::make_unique<MusicPlayer>(std::move(music))) {
    const std::string dir = QFile::encodeName(programDir_).toStdString();
    location_ = settingsLocation(dir, QFile::encodeName(configDir).toStdString(), directoryWritable(dir));
    readSettingsFile(location_.readPath, dir, settings_);
    music_->configure(dir, settings_);
}

AppServices::~AppServices() {
    if (help_) delete help_.data();
}

QString AppServices::saveDir() const {
    const std::string_view bytes = fieldText(settings_.saveDir);
    const QString dir = QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return dir.isEmpty() || !QDir(dir).exists() ? programDir_ : dir;
}

void AppServices::rememberSaveDir(const QString& dir) {
    const QByteArray bytes = QFile::encodeName(QDir(dir).absolutePath());
    if (fieldText(settings_.saveDir) == std::string_view(bytes.constData(), bytes.size())) return;
    if (setSaveDir(settings_, std::string_view(bytes.constData(), bytes.size()))) write();
}

bool AppServices::write() {
    return writeSettingsFile(location_.writePath, settings_);
}

bool AppServices::applyMusicSettings(const SettingsFile& changed) {
    if (std::memcmp(settingsImage(changed).data(), settingsImage(settings_).data(), SettingsFile::kBytes) ==
        0)
        return false;
    settings_ = changed;
    write();
    music_->applySettings(settings_);
    return true;
}

bool AppServices::showMusicDialog(QWidget* parent) {
    MusicDialog d(settings_, parent);
    if (d.exec() != QDialog::Accepted) return false;
    return applyMusicSettings(d.result());
}

HelpWindow* AppServices::helpWindow() const {
    return help_.data();
}

void AppServices::showHelp(QWidget* parent) {
    // A window opened under a modal dialog (the start menu) must belong to it to take input, so
    // the window follows whoever asks.
    if (help_ && help_->parentWidget() != parent) delete help_.data();
    if (!help_) help_ = new HelpWindow(QDir(programDir_).absoluteFilePath("help"), parent);
    help_->home();
    help_->show();
    help_->raise();
    help_->activateWindow();
}

} // namespace vh::ui
