// FluidSynth behind the music state: which pieces are open, which one is current and playing.
#include "ui/music_player.h"

#include <fluidsynth.h>

#include <dlfcn.h>

#include <filesystem>

namespace vh::ui {

namespace {

void quietAlsaError(const char*, int, const char*, int, const char*, ...) {}

// FluidSynth reports missing sound devices at every level, and the ALSA library it loads prints
// its own complaints to the terminal; the game has nothing to say about either. ALSA is looked up
// where FluidSynth brought it in, so the game does not depend on it.
void silenceFluidSynthLog() {
    static const bool done = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        if (void* set = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler"))
            reinterpret_cast<SetHandler>(set)(&quietAlsaError);
        return true;
    }();
    (void)done;
}

} // namespace

MusicPlayer::MusicPlayer() : MusicPlayer(Options{}) {}

MusicPlayer::MusicPlayer(Options options) : options_(std::move(options)) {
    silenceFluidSynthLog();
}

MusicPlayer::~MusicPlayer() {
    stopPlayer();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

void MusicPlayer::configure(const std::string& programDir, const SettingsFile& settings) {
    programDir_ = programDir;
    for (int piece = 0; piece < 2; ++piece)
        names_[piece] = std::string(settings.musicName(piece));
    disabled_ = settings.disabled();
}

std::string MusicPlayer::piecePath(int piece) const {
    if (piece < 0 || piece > 1 || names_[piece].empty()) return {};
    // A name is taken in the program's directory, then in its music folder where the game's own
    // pieces are kept.
    const std::filesystem::path dir(programDir_);
    std::error_code ec;
    const std::filesystem::path direct = dir / names_[piece];
    if (std::filesystem::exists(direct, ec)) return direct.string();
    return (dir / "music" / names_[piece]).string();
}

void MusicPlayer::openMusic() {
    if (disabled_) return;
    for (int piece = 0; piece < 2; ++piece) {
        if (open_[piece]) continue;
        const std::string path = piecePath(piece);
        std::error_code ec;
        open_[piece] =
            !path.empty() && std::filesystem::is_regular_file(path, ec) && fluid_is_midifile(path.c_str());
    }
}

void MusicPlayer::play(int piece) {
    if (disabled_ || piece < 0 || piece > 1) return;
    stopPlayer();
    current_ = piece;
    playing_ = open_[piece];
    if (playing_) startPlayer(piece);
}

void MusicPlayer::playOrdinary() {
    if (current_ == kOrdinaryMusic && playing_) return;
    play(kOrdinaryMusic);
}

void MusicPlayer::stop() {
    stopPlayer();
    playing_ = false;
    current_ = -1;
}

void MusicPlayer::applySettings(const SettingsFile& settings) {
    bool changed = settings.disabled() != disabled_;
    for (int piece = 0; piece < 2; ++piece)
        changed = changed || settings.musicName(piece) != names_[piece];
    if (!changed) return;
    for (int piece = 0; piece < 2; ++piece) {
        if (settings.disabled() || settings.musicName(piece) != names_[piece]) {
            if (current_ == piece) {
                stopPlayer();
                playing_ = false;
            }
            close(piece);
        }
        names_[piece] = std::string(settings.musicName(piece));
    }
    disabled_ = settings.disabled();
    openMusic();
    if (current_ >= 0) play(current_);
}

void MusicPlayer::close(int piece) {
    open_[piece] = false;
}

bool MusicPlayer::outputPlaying() const {
    return player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

// The synthesizer, made once at the first piece played, and the name of the first audio driver
// that starts. When none starts, no synthesizer is kept either: the game plays on in silence.
bool MusicPlayer::startOutput() {
    if (outputTried_) return synth_ != nullptr;
    outputTried_ = true;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(options_.soundFont, ec)) return false;
    settings_ = new_fluid_settings();
    if (!settings_) return false;
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    if (!options_.outputFile.empty())
        fluid_settings_setstr(settings_, "audio.file.name", options_.outputFile.c_str());
    synth_ = new_fluid_synth(settings_);
    if (synth_ && fluid_synth_sfload(synth_, options_.soundFont.c_str(), 1) != FLUID_FAILED) {
        for (const std::string& name : options_.drivers) {
            fluid_settings_setstr(settings_, "audio.driver", name.c_str());
            if (_fluid_audio_driver_t* probe = new_fluid_audio_driver(settings_, synth_)) {
                delete_fluid_audio_driver(probe);
                driverName_ = name;
                break;
            }
        }
    }
    if (driverName_.empty()) {
        if (synth_) delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
        synth_ = nullptr;
        settings_ = nullptr;
    }
    return synth_ != nullptr;
}

// The sound device's thread renders through the player, so it runs only while a player exists:
// it is opened after the player is ready and closed before the player is freed. Freeing a player
// under a running device crashed FluidSynth now and then.
void MusicPlayer::startPlayer(int piece) {
    if (!startOutput()) return;
    player_ = new_fluid_player(synth_);
    if (!player_) return;
    const std::string path = piecePath(piece);
    if (fluid_player_add(player_, path.c_str()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
        return;
    }
    fluid_player_set_loop(player_, -1);
    fluid_player_play(player_);
    fluid_settings_setstr(settings_, "audio.driver", driverName_.c_str());
    driver_ = new_fluid_audio_driver(settings_, synth_);
}

void MusicPlayer::stopPlayer() {
    if (driver_) delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
    if (!player_) return;
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    // Notes still sounding from the old piece would hang over the next one.
    if (synth_) fluid_synth_all_sounds_off(synth_, -1);
}

} // namespace vh::ui
