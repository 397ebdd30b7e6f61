// Reading the committed tables: tab- or blank-separated columns, '#' starts a comment line.
#include "tables.h"

#include <fstream>
#include <sstream>

namespace mapgen {
namespace {

struct LineReader {
    std::ifstream in;
    std::string path;
    int number = 0;

    // Next non-empty, non-comment line split into words; false at the end of the file.
    bool next(std::vector<std::string>& words) {
        std::string line;
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            std::istringstream s(line);
            words.clear();
            for (std::string w; s >> w;)
                words.push_back(w);
            if (!words.empty()) return true;
        }
        return false;
    }
    std::string where() const { return path + ":" + std::to_string(number); }
};

bool toInt(const std::string& s, int& v) {
    try {
        size_t used = 0;
        v = std::stoi(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

bool toDouble(const std::string& s, double& v) {
    try {
        size_t used = 0;
        v = std::stod(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

bool open(LineReader& r, const std::string& dir, const char* file, std::string& error) {
    r.path = dir + "/" + file;
    r.in.open(r.path);
    if (!r.in) error = r.path + ": cannot open";
    return static_cast<bool>(r.in);
}

} // namespace

int Tables::provinceIndex(const std::string& name) const {
    for (size_t i = 0; i < provinces.size(); ++i)
        if (provinces[i].name == name) return static_cast<int>(i);
    return -1;
}

int Tables::regionIndex(const std::string& name) const {
    for (size_t i = 0; i < regions.size(); ++i)
        if (regions[i].name == name) return static_cast<int>(i);
    return -1;
}

bool loadTables(const std::string& dir, Tables& out, std::string& error) {
    Tables t;
    std::vector<std::string> w;
    {
        LineReader r;
        if (!open(r, dir, "regions.txt", error)) return false;
        while (r.next(w)) {
            RegionRow row;
            int index = -1;
            if (w.size() != 3 || !toInt(w[0], index) || index != static_cast<int>(t.regions.size()) ||
                !toInt(w[2], row.layer) || row.layer < 0 || row.layer > 5) {
                error = r.where() + ": expected index, name, land layer 0-5 in order";
                return false;
            }
            row.name = w[1];
            t.regions.push_back(row);
        }
    }
    {
        LineReader r;
        if (!open(r, dir, "provinces.txt", error)) return false;
        while (r.next(w)) {
            int index = -1;
            if (w.size() < 5 || !toInt(w[0], index) || index != static_cast<int>(t.provinces.size()) ||
                (w[3] != "land" && w[3] != "island")) {
                error = r.where() + ": expected index, name, region, land|island, prefectures in order";
                return false;
            }
            ProvinceRow row;
            row.name = w[1];
            row.region = t.regionIndex(w[2]);
            row.island = w[3] == "island";
            row.prefectures.assign(w.begin() + 4, w.end());
            if (row.region < 0) {
                error = r.where() + ": unknown region " + w[2];
                return false;
            }
            t.provinces.push_back(row);
        }
    }
    {
        LineReader r;
        if (!open(r, dir, "seeds.txt", error)) return false;
        while (r.next(w)) {
            Seed s;
            s.province = w.empty() ? -1 : t.provinceIndex(w[0]);
            if (w.size() != 4 || s.province < 0 || !toDouble(w[1], s.lon) || !toDouble(w[2], s.lat)) {
                error = r.where() + ": expected a known province, longitude, latitude, town";
                return false;
            }
            s.town = w[3];
            t.seeds.push_back(s);
        }
    }
    {
        LineReader r;
        if (!open(r, dir, "lakes.txt", error)) return false;
        while (r.next(w)) {
            if (w.size() == 3 && w[0] == "lake") {
                Lake lake;
                lake.name = w[1];
                lake.province = t.provinceIndex(w[2]);
                if (lake.province < 0) {
                    error = r.where() + ": unknown province " + w[2];
                    return false;
                }
                t.lakes.push_back(lake);
                continue;
            }
            double lon = 0, lat = 0;
            if (t.lakes.empty() || w.size() != 2 || !toDouble(w[0], lon) || !toDouble(w[1], lat)) {
                error = r.where() + ": expected 'lake NAME PROVINCE' or a longitude and latitude";
                return false;
            }
            t.lakes.back().outline.push_back({lon, lat});
        }
    }
    for (size_t p = 0; p < t.provinces.size(); ++p) {
        bool seeded = false;
        for (const Seed& s : t.seeds)
            seeded = seeded || s.province == static_cast<int>(p);
        if (!seeded) {
            error = dir + "/seeds.txt: province " + t.provinces[p].name + " has no seed";
            return false;
        }
    }
    out = std::move(t);
    return true;
}

std::string defaultTablesDir() {
    return MAPGEN_TABLES_DIR;
}

} // namespace mapgen
