// The background music: two looping MIDI pieces (ordinary play, shown battles) played through
// FluidSynth with the General MIDI SoundFont. Without a sound device it stays silent and quiet.
#pragma once

#include "game/settings_file.h"

#include <string>
#include <vector>

// FluidSynth's handles, kept out of every other file.
struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;
struct _fluid_player_t;

namespace vh::ui {

inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class MusicPlayer {
  public:
    struct Options {
        // Tried in order; when every one fails nothing is played.
        std::vector<std::string> drivers = {"pulseaudio", "alsa"};
        std::string soundFont = kDefaultSoundFont;
        std::string outputFile; // for the "file" driver (tests render into /dev/null)
    };
    MusicPlayer();
    explicit MusicPlayer(Options options);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // The pieces' folder and names and the disabled flag; takes effect at the next open or play.
    void configure(const std::string& programDir, const SettingsFile& settings);

    // Unless music is disabled, opens each piece not open yet (a missing or broken file stays
    // closed and gives silence for that piece).
    void openMusic();
    // Unless music is disabled: stops the piece now playing, makes `piece` current and plays it
    // from the start, looping.
    void play(int piece);
    // At the start of a month and after loading: the ordinary piece, unless it is already playing.
    void playOrdinary();
    // Quitting a game: the current piece stops (the next game starts its music afresh).
    void stop();
    // The music dialog's OK: stops and closes what changed, stores the new settings, opens the
    // pieces again and plays the current piece again.
    void applySettings(const SettingsFile& settings);

    int current() const { return current_; }
    bool isPlaying() const { return playing_; }
    bool isOpen(int piece) const { return piece >= 0 && piece < 2 && open_[piece]; }
    bool disabled() const { return disabled_; }
    // Whether a sound device was found (checked at the first piece played).
    // A sound device was found (the synthesizer is ready).
    bool hasOutput() const { return synth_ != nullptr; }
    // Whether FluidSynth's player is running right now.
    bool outputPlaying() const;
    // Where a piece's file is looked for: the program's directory, else its music folder.
    std::string piecePath(int piece) const;

  private:
    bool startOutput();
    void startPlayer(int piece);
    void stopPlayer();
    void close(int piece);

    Options options_;
    std::string programDir_;
    std::string names_[2] = {kDefaultMusicNames[0], kDefaultMusicNames[1]};
    bool disabled_ = false;
    bool open_[2] = {false, false};
    int current_ = -1;
    bool playing_ = false;
    bool outputTried_ = false;
    std::string driverName_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    _fluid_player_t* player_ = nullptr;
};

} // namespace vh::ui
