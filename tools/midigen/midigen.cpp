// midigen: writes the game's two background pieces, data/music/main.mid and battle.mid, from the
// notes written out below. Usage: midigen OUTDIR. Both pieces end exactly on a bar line, so they loop.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTicks = 480;      // per quarter note
constexpr int kBar = 4 * kTicks; // both pieces are in four

struct Event {
    int tick;
    int order; // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

struct Track {
    std::string name;
    int channel = 0;
    std::vector<Event> events;
    void add(int tick, int order, std::vector<uint8_t> b) { events.push_back({tick, order, std::move(b)}); }
};

// "A4" -> 69, "Eb3" -> 51, "F#2" -> 42.
int pitch(const std::string& n) {
    static const std::map<char, int> base = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                             {'G', 7}, {'A', 9}, {'B', 11}};
    int p = base.at(n[0]);
    size_t i = 1;
    if (n[i] == 'b')
        p -= 1, ++i;
    else if (n[i] == '#')
        p += 1, ++i;
    return p + 12 * (std::stoi(n.substr(i)) + 1);
}

// Adds a line of notes: "A4:2 B4:1 r:1 C5+E5:4"; lengths in quarter notes (0.5 = an eighth),
// "+" joins the notes of a chord, "r" rests. Returns the tick after the last note.
int notes(Track& t, int tick, const std::string& line, int velocity, double legato = 0.95) {
    const auto channel = static_cast<uint8_t>(t.channel);
    std::istringstream in(line);
    std::string token;
    while (in >> token) {
        const size_t colon = token.find(':');
        const int len = static_cast<int>(std::stod(token.substr(colon + 1)) * kTicks + 0.5);
        const std::string what = token.substr(0, colon);
        if (what != "r") {
            std::stringstream chord(what);
            std::string n;
            while (std::getline(chord, n, '+')) {
                const uint8_t p = static_cast<uint8_t>(pitch(n));
                t.add(tick, 1, {static_cast<uint8_t>(0x90 | channel), p, static_cast<uint8_t>(velocity)});
                t.add(tick + static_cast<int>(len * legato), 0, {static_cast<uint8_t>(0x80 | channel), p, 0});
            }
        }
        tick += len;
    }
    return tick;
}

// A track on its own channel, opened with the instrument's program, volume, pan and reverb.
Track voice(const char* name, int channel, int program, int volume, int pan, int reverb) {
    Track t{name, channel, {}};
    const auto ch = static_cast<uint8_t>(channel);
    t.add(0, 0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(program)});
    t.add(0, 0, {static_cast<uint8_t>(0xB0 | ch), 7, static_cast<uint8_t>(volume)});
    t.add(0, 0, {static_cast<uint8_t>(0xB0 | ch), 10, static_cast<uint8_t>(pan)});
    t.add(0, 0, {static_cast<uint8_t>(0xB0 | ch), 91, static_cast<uint8_t>(reverb)});
    return t;
}

void putVar(std::string& out, uint32_t v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7)
        buf[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n--)
        out.push_back(static_cast<char>(buf[n]));
}

void put32(std::string& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<char>((v >> s) & 0xFF));
}

// A type-1 file; every track ends at `endTick` so the loop keeps the beat.
bool writeMidi(const std::string& path, std::vector<Track> tracks, int endTick) {
    std::string out = "MThd";
    put32(out, 6);
    out += std::string("\0\1", 2);
    out.push_back(0);
    out.push_back(static_cast<char>(tracks.size()));
    out.push_back(static_cast<char>(kTicks >> 8));
    out.push_back(static_cast<char>(kTicks & 0xFF));
    for (Track& t : tracks) {
        std::stable_sort(t.events.begin(), t.events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string body;
        putVar(body, 0);
        body += std::string("\xFF\x03", 2);
        putVar(body, static_cast<uint32_t>(t.name.size()));
        body += t.name;
        int at = 0;
        for (const Event& e : t.events) {
            putVar(body, static_cast<uint32_t>(e.tick - at));
            at = e.tick;
            body.append(e.bytes.begin(), e.bytes.end());
        }
        putVar(body, static_cast<uint32_t>(endTick - at));
        body += std::string("\xFF\x2F\x00", 3);
        out += "MTrk";
        put32(out, static_cast<uint32_t>(body.size()));
        out += body;
    }
    std::ofstream f(path, std::ios::binary);
    f << out;
    return static_cast<bool>(f);
}

Track tempoTrack(const char* title, int bpm) {
    Track t{title, 0, {}};
    const uint32_t us = 60000000 / bpm;
    t.add(0, 0,
          {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
           static_cast<uint8_t>(us)});
    t.add(0, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    return t;
}

// Repeats a one-bar pattern over a list of chord roots; "R" in the pattern stands for the root,
// "R5" a fifth above, "R8" an octave above, "R10" a minor tenth above.
std::string overRoots(const std::string& pattern, const std::vector<std::string>& roots) {
    std::string line;
    for (const std::string& root : roots) {
        std::istringstream in(pattern);
        std::string token;
        while (in >> token) {
            const size_t colon = token.find(':');
            const std::string what = token.substr(0, colon);
            int step = 0;
            if (what == "R5")
                step = 7;
            else if (what == "R8")
                step = 12;
            else if (what == "R10")
                step = 15;
            else if (what == "R12")
                step = 19;
            const int p = pitch(root) + step;
            static const char* names[] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
            line += std::string(names[p % 12]) + std::to_string(p / 12 - 1) + token.substr(colon) + " ";
        }
    }
    return line;
}

// 平時の曲: a slow theme in the miyako-bushi mode on E (E F A B C) for shakuhachi over koto and strings.
bool writeMain(const std::string& dir) {
    const int bars = 16, end = bars * kBar;
    Track melody = voice("shakuhachi", 0, 77, 120, 70, 60);
    Track koto = voice("koto", 1, 107, 104, 40, 50);
    Track strings = voice("strings", 2, 49, 80, 84, 80);
    Track taiko = voice("taiko", 3, 116, 96, 64, 40);
    Track bass = voice("bass", 4, 32, 100, 64, 30);
    notes(melody, 0,
          "A4:2 B4:1 C5:1 B4:3 A4:1 E5:2 F5:1 E5:1 C5:2 B4:2 "
          "A4:1.5 B4:0.5 C5:1 E5:1 F5:2 E5:2 C5:1 B4:1 A4:1 F4:1 E4:4 "
          "E5:2 F5:1 A5:1 B5:3 A5:1 F5:2 E5:1 C5:1 B4:4 "
          "C5:1.5 B4:0.5 A4:1 B4:1 C5:2 E5:2 B4:1 A4:1 F4:1 B4:1 A4:4",
          92);
    const std::vector<std::string> roots = {"A2", "A2", "F2", "E2", "A2", "F2", "F2", "E2",
                                            "A2", "E2", "F2", "E2", "F2", "A2", "E2", "A2"};
    // Koto: a rising and falling figure of root, fifth and octave on each bar's chord.
    notes(koto, 0, overRoots("R:0.5 R5:0.5 R8:0.5 R12:0.5 R8:0.5 R5:0.5 R8:0.5 R5:0.5", roots), 70, 0.9);
    std::string pad;
    const char* chords[] = {"A3+C4+E4", "A3+C4+E4", "F3+A3+C4", "E3+B3+E4", "A3+C4+E4", "F3+A3+C4",
                            "F3+A3+C4", "E3+B3+E4", "A3+C4+E4", "E3+B3+E4", "F3+A3+C4", "E3+B3+E4",
                            "F3+A3+C4", "A3+C4+E4", "E3+B3+E4", "A3+C4+E4"};
    for (const char* c : chords)
        pad += std::string(c) + ":4 ";
    notes(strings, 0, pad, 56, 1.0);
    notes(bass, 0, overRoots("R:2 R:1.5 R5:0.5", roots), 72, 0.8);
    for (int bar = 0; bar < bars; ++bar) {
        const bool turn = bar % 4 == 3;
        notes(taiko, bar * kBar, turn ? "C3:1 r:1 C3:0.5 C3:0.5 C3:1" : "C3:2 r:2", turn ? 84 : 66);
    }
    return writeMidi(dir + "/main.mid",
                     {tempoTrack("VARDENHOLM main", 84), melody, koto, strings, taiko, bass}, end);
}

// 合戦の曲: a driving piece in the in mode on D (D Eb G A Bb): brass over a string ostinato and taiko.
bool writeBattle(const std::string& dir) {
    const int bars = 16, end = bars * kBar;
    Track brass = voice("brass", 0, 61, 100, 60, 40);
    Track strings = voice("strings", 1, 48, 90, 80, 30);
    Track taiko = voice("taiko", 2, 116, 100, 64, 25);
    Track timpani = voice("timpani", 3, 47, 88, 50, 40);
    Track shamisen = voice("shamisen", 4, 106, 80, 30, 30);
    notes(brass, 0,
          "D4:1 D4:0.5 Eb4:0.5 G4:1 A4:1 Bb4:2 A4:1 G4:1 A4:1 Bb4:0.5 A4:0.5 G4:1 Eb4:1 D4:3 r:1 "
          "G4:1 G4:0.5 A4:0.5 Bb4:1 D5:1 Eb5:2 D5:1 Bb4:1 A4:1 G4:1 Eb4:1 G4:1 A4:3 r:1 "
          "D5:1.5 D5:0.5 Eb5:1 D5:1 Bb4:1.5 A4:0.5 G4:2 A4:1 Bb4:1 D5:1 Eb5:1 D5:3 r:1 "
          "G4:1 A4:0.5 Bb4:0.5 A4:1 G4:1 Eb4:1 G4:1 A4:2 Bb4:1 A4:1 G4:1 Eb4:1 D4:3 r:1",
          104, 0.85);
    const std::vector<std::string> roots = {"D2", "G2",  "Eb2", "D2", "G2", "Eb2", "C2", "A1",
                                            "D2", "Bb1", "G2",  "D2", "G2", "Eb2", "A1", "D2"};
    notes(strings, 0, overRoots("R:0.5 R:0.5 R8:0.5 R:0.5 R5:0.5 R:0.5 R8:0.5 R5:0.5", roots), 84, 0.7);
    // Shamisen answers the brass in the bars where it holds a long note.
    for (int bar : {3, 7, 11, 15})
        notes(shamisen, bar * kBar, "r:2 D5:0.5 A4:0.5 Bb4:0.5 A4:0.5", 90, 0.6);
    for (int bar : {1, 5, 9, 13})
        notes(shamisen, bar * kBar + 2 * kTicks, "G5:0.5 Eb5:0.5 D5:1", 78, 0.6);
    for (int bar = 0; bar < bars; ++bar) {
        const int at = bar * kBar;
        notes(taiko, at, "C3:1 C3:0.5 C3:0.5 r:0.5 C3:0.5 C3:1", 96, 0.5);
        notes(taiko, at, "r:1.5 G3:0.5 r:1.5 G3:0.5", 70, 0.5);
        const std::string& r = roots[static_cast<size_t>(bar)];
        notes(timpani, at,
              bar % 4 == 3 ? r + ":0.5 " + r + ":0.5 A1:0.5 D2:0.5 D2:2" : r + ":1 r:2 " + r + ":1", 90, 0.8);
    }
    return writeMidi(dir + "/battle.mid",
                     {tempoTrack("VARDENHOLM battle", 150), brass, strings, taiko, timpani, shamisen}, end);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: midigen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!writeMain(dir) || !writeBattle(dir)) {
        std::fprintf(stderr, "midigen: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
