// The layering of the source tree: reads every #include "..." of the
// program's folders, maps each file to its part (a folder, or the core or
// window half of a folder) and each part to its layer, and fails on an
// edge the layers do not allow or on a cycle between folders. Prints the
// graph of the parts. Usage: architecture SOURCE_FOLDER
//
// Layers: 0 files, 1 core (GUI-free), 2 widgets, 3 panels and windows,
// 4 shell and programs. A part may use its own files and the parts of lower
// layers; core parts also one another and draw/ is one part. A window part
// never uses another folder's window part, and nothing uses the shell.
//
// A file of a folder that holds both halves is a window file when it is
// named in WindowFiles or its base name ends in View, Panel, Window or
// Dialog; every other file of such a folder is core. Folders named here
// that do not exist yet are simply not there; a folder with sources that
// the table does not name fails the test, so a new folder gets its row.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Folder {
    const char *name;
    int layer;       // of the folder's files by default
    int windowLayer; // of its window files; 0: the folder has no window half
};

const Folder Folders[] = {
    {"record", 1, 0},   {"store", 1, 0},    {"ride", 1, 3},  {"training", 1, 3}, {"export", 1, 0},
    {"import", 1, 3},   {"calendar", 1, 3}, {"lang", 1, 3},  {"device", 1, 3},   {"views", 1, 3},
    {"draw", 2, 0},     {"accounts", 3, 0}, {"app", 4, 0},   {"tools", 4, 0},
};

// Files of layer 0, the Qt-free file helpers every layer may use.
const char *const FileHelpers[] = {"store/AtomicFile", "store/NarrowFile"};
// The GUI-free part of draw/: the colour blend and the JPEG codec.
const char *const DrawCore[] = {"draw/Korvandraw.h", "draw/Blend.cpp", "draw/JpegCodec"};
// Window files of the folders with two halves (without the extension).
const char *const WindowFiles[] = {
    "calendar/DayFaces",      "calendar/SummaryHandlers", "lang/Language",      "lang/PictureCaptions",
    "device/DownloadProgress", "views/CheckList",          "views/RecordDetails", "views/DetailPictures",
    "views/ExportButton",     "views/Analysis",            "views/LineChart",    "views/Report",
    "views/TimeCursor",
    "training/TrainingCharts", "training/ProfileForm",      "training/LapsForm",
};
// What the program does not build from: tests, benchmarks, fuzzers, data.
const char *const Skipped[] = {"tests", "bench", "fuzz", "assets", "docs", "scripts", "packaging", "build"};

struct Part {
    std::string name; // "calendar" (core half or whole folder), "calendar.window"
    std::string folder;
    int layer = 0;
};

bool Named(const char *const *begin, const char *const *end, const std::string &stem)
{
    return std::any_of(begin, end, [&](const char *n) { return stem == n || stem.rfind(std::string(n) + ".", 0) == 0; });
}

bool EndsWith(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The part of a file given as "folder/name.ext"; false when its folder is
// none of the program's.
bool PartOf(const std::string &path, Part &part)
{
    const std::size_t slash = path.find('/');
    if (slash == std::string::npos)
        return false;
    const std::string folder = path.substr(0, slash);
    const auto row = std::find_if(std::begin(Folders), std::end(Folders), [&](const Folder &f) { return folder == f.name; });
    if (row == std::end(Folders))
        return false;
    part = {folder, folder, row->layer};
    const std::string stem = path.substr(0, path.rfind('.'));
    if (Named(std::begin(FileHelpers), std::end(FileHelpers), stem)) {
        part = {folder + ".files", folder, 0};
    } else if (folder == "draw" && (Named(std::begin(DrawCore), std::end(DrawCore), path) ||
                                    Named(std::begin(DrawCore), std::end(DrawCore), stem))) {
        part = {folder + ".core", folder, 1};
    } else if (row->windowLayer != 0) {
        const std::string base = stem.substr(slash + 1);
        const bool byName = EndsWith(base, "View") || EndsWith(base, "Panel") || EndsWith(base, "Window") ||
                            EndsWith(base, "Dialog");
        if (byName || Named(std::begin(WindowFiles), std::end(WindowFiles), stem))
            part = {folder + ".window", folder, row->windowLayer};
    }
    return true;
}

bool Allowed(const Part &from, const Part &to)
{
    if (from.name == to.name || to.layer < from.layer)
        return true;
    if (to.layer > from.layer)
        return false;
    switch (from.layer) {
    case 0:
    case 1:
        return true;            // the file helpers and the core use one another
    case 3:
        return from.folder == to.folder;
    default:
        return from.folder == to.folder; // draw/ alone is layer 2; the shell is one folder
    }
}

std::vector<std::string> QuotedIncludes(const fs::path &file)
{
    std::vector<std::string> out;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 1, "#") != 0)
            continue;
        const std::size_t word = line.find_first_not_of(" \t", start + 1);
        if (word == std::string::npos || line.compare(word, 7, "include") != 0)
            continue;
        const std::size_t open = line.find('"', word + 7);
        const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close != std::string::npos)
            out.push_back(line.substr(open + 1, close - open - 1));
    }
    return out;
}

bool SourceFile(const fs::path &p)
{
    const std::string e = p.extension().string();
    return e == ".h" || e == ".cpp" || e == ".hpp" || e == ".cc";
}

// A cycle in the folder graph, as "a -> b -> a"; empty when there is none.
std::string FolderCycle(const std::map<std::string, std::set<std::string>> &graph)
{
    std::map<std::string, int> state; // 1 on the path, 2 done
    std::vector<std::string> path;
    std::string found;
    auto visit = [&](auto &&self, const std::string &node) -> void {
        state[node] = 1;
        path.push_back(node);
        const auto it = graph.find(node);
        if (it != graph.end())
            for (const std::string &next : it->second) {
                if (!found.empty())
                    break;
                if (state[next] == 1) {
                    auto first = std::find(path.begin(), path.end(), next);
                    for (; first != path.end(); ++first)
                        found += *first + " -> ";
                    found += next;
                } else if (state[next] == 0) {
                    self(self, next);
                }
            }
        path.pop_back();
        state[node] = 2;
    };
    for (const auto &[node, edges] : graph)
        if (found.empty() && state[node] == 0)
            visit(visit, node);
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: architecture SOURCE_FOLDER\n";
        return 2;
    }
    const fs::path root = argv[1];
    int faults = 0;
    std::map<std::string, Part> parts;
    std::map<std::string, std::set<std::string>> partEdges, folderEdges;
    std::size_t files = 0;

    for (const fs::directory_entry &dir : fs::directory_iterator(root)) {
        const std::string folder = dir.path().filename().string();
        if (!dir.is_directory() || folder.front() == '.' ||
            std::any_of(std::begin(Skipped), std::end(Skipped), [&](const char *s) { return folder.rfind(s, 0) == 0; }))
            continue;
        for (const fs::directory_entry &entry : fs::recursive_directory_iterator(dir.path())) {
            if (!entry.is_regular_file() || !SourceFile(entry.path()))
                continue;
            const std::string rel = fs::relative(entry.path(), root).generic_string();
            Part from;
            if (!PartOf(rel, from)) {
                std::cerr << "FAIL " << rel << ": folder " << folder << " has no row in the layer table\n";
                ++faults;
                continue;
            }
            ++files;
            parts[from.name] = from;
            partEdges[from.name];
            for (const std::string &inc : QuotedIncludes(entry.path())) {
                Part to;
                if (!PartOf(inc, to))
                    continue; // a header of the same folder named without it, or a generated one
                parts[to.name] = to;
                if (!Allowed(from, to)) {
                    std::cerr << "FAIL " << rel << " (" << from.name << ", layer " << from.layer << ") includes "
                              << inc << " (" << to.name << ", layer " << to.layer << ")\n";
                    ++faults;
                }
                if (to.name != from.name)
                    partEdges[from.name].insert(to.name);
                if (to.folder != from.folder)
                    folderEdges[from.folder].insert(to.folder);
            }
        }
    }

    std::cout << "Parts and what they include (" << files << " files):\n";
    for (const auto &[name, edges] : partEdges) {
        std::cout << "  [" << parts[name].layer << "] " << name << " ->";
        for (const std::string &to : edges)
            std::cout << ' ' << to << '[' << parts[to].layer << ']';
        std::cout << '\n';
    }
    std::cout << "Folders:\n";
    for (const auto &[folder, edges] : folderEdges) {
        std::cout << "  " << folder << " ->";
        for (const std::string &to : edges)
            std::cout << ' ' << to;
        std::cout << '\n';
    }
    if (const std::string cycle = FolderCycle(folderEdges); !cycle.empty()) {
        std::cerr << "FAIL cycle between folders: " << cycle << '\n';
        ++faults;
    }
    if (files == 0) {
        std::cerr << "FAIL no source files below " << root << '\n';
        ++faults;
    }
    std::cout << (faults == 0 ? "layering holds\n" : "layering broken\n");
    return faults == 0 ? 0 : 1;
}
