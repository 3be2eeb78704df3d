// Fails when the sources under a directory include each other in a circle.
// A unit is a header and its source (gui/table/seatwidget.h and .cpp); unit
// A uses unit B when a file of A includes B's header. Any cycle of uses is
// reported with its path, so dependencies can only run one way.
//
//   torvel-includecycles SRC_DIR
//
// Exit status 1 on a cycle, 2 on bad arguments.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Graph = std::map<std::string, std::set<std::string>>;

std::string unitOf(const fs::path& relative) { return relative.parent_path().append(relative.stem().string()).generic_string(); }

// Quoted includes resolved against the source root first, then the file's folder.
Graph readGraph(const fs::path& root) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    Graph graph;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
            continue;
        const fs::path relative = fs::relative(path, root);
        const std::string unit = unitOf(relative);
        graph[unit];
        std::ifstream in(path);
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (!std::regex_search(line, match, include))
                continue;
            for (const fs::path& candidate : {fs::path(match[1].str()), relative.parent_path() / match[1].str()}) {
                if (!fs::exists(root / candidate))
                    continue;
                const std::string used = unitOf(candidate.lexically_normal());
                if (used != unit)
                    graph[unit].insert(used);
                break;
            }
        }
    }
    return graph;
}

// Depth-first search; a use of a unit still on the path closes a cycle.
void findCycles(const Graph& graph, const std::string& unit, std::map<std::string, int>& state,
                std::vector<std::string>& path, std::vector<std::vector<std::string>>& cycles) {
    state[unit] = 1;
    path.push_back(unit);
    for (const std::string& used : graph.at(unit)) {
        if (state[used] == 1) {
            const auto start = std::find(path.begin(), path.end(), used);
            cycles.emplace_back(start, path.end());
        } else if (state[used] == 0 && graph.count(used)) {
            findCycles(graph, used, state, path, cycles);
        }
    }
    path.pop_back();
    state[unit] = 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !fs::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: %s SRC_DIR\n", argv[0]);
        return 2;
    }

    const Graph graph = readGraph(argv[1]);
    std::map<std::string, int> state;
    std::vector<std::string> path;
    std::vector<std::vector<std::string>> cycles;
    for (const auto& [unit, uses] : graph)
        if (state[unit] == 0)
            findCycles(graph, unit, state, path, cycles);

    for (const auto& cycle : cycles) {
        std::string text;
        for (const std::string& unit : cycle)
            text += unit + " -> ";
        std::fprintf(stderr, "include cycle: %s%s\n", text.c_str(), cycle.front().c_str());
    }
    std::printf("%zu units, %zu include cycle(s)\n", graph.size(), cycles.size());
    return cycles.empty() ? 0 : 1;
}
