// The layers, checked on the includes: reads every #include of every source file under src/ and shells/
// and fails, naming file and line, on an edge the layering forbids.
//
//   src/numeric                          nothing from the rest of src/
//   src/engine, src/finance              nothing from units, constants, tex, plot, platform, app
//   src/units, constants, tex, plot      nothing from platform or app (plot draws through
//                                        platform/canvas.h, the one header it may include)
//   src/                                 nothing from shells/; no toolkit (<Q...>), libcurl (<curl/...>) or
//                                        network headers (<sys/socket.h>, <netinet/...>, <arpa/...>,
//                                        <netdb.h>)
//   shells/cli and shells/qt             nothing from each other
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The layer of a path relative to the repository root: "engine" for src/engine/parse/x.h, "shells/cli" for
// shells/cli/main.cpp; empty for anything else.
std::string LayerOf(const std::string& path) {
    const fs::path p(path);
    auto it = p.begin();
    if (it == p.end()) return {};
    const std::string top = (it++)->string();
    if (it == p.end() || std::next(it) == p.end()) return {};  // a file directly in src/ or shells/
    const std::string second = it->string();
    if (top == "src") return second;
    if (top == "shells") return "shells/" + second;
    return {};
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

struct Include {
    std::string text;     // as written between the quotes or angle brackets
    bool angled = false;  // <...>
    std::string target;   // the included file relative to the root, or empty when it is not in the tree
};

// Why the include breaks the layering, or an empty text when it is allowed.
std::string Forbidden(const std::string& fromPath, const Include& inc) {
    const std::string from = LayerOf(fromPath);
    if (StartsWith(fromPath, "src/") && inc.angled) {
        const std::string& t = inc.text;
        if (!t.empty() && t[0] == 'Q') return "a toolkit header in src/";
        if (StartsWith(t, "curl/")) return "libcurl in src/";
        if (t == "sys/socket.h" || t == "netdb.h" || StartsWith(t, "netinet/") || StartsWith(t, "arpa/"))
            return "a network header in src/";
        return {};
    }
    if (inc.target.empty()) return {};
    const std::string to = LayerOf(inc.target);
    if (to.empty() || to == from) return {};
    if (StartsWith(fromPath, "src/") && StartsWith(inc.target, "shells/")) return "src/ includes a shell";
    auto is = [&](std::initializer_list<const char*> layers) {
        for (const char* l : layers)
            if (to == l) return true;
        return false;
    };
    if (from == "numeric" && StartsWith(inc.target, "src/")) return "numeric includes a layer above it";
    if ((from == "engine" || from == "finance") &&
        is({"units", "constants", "tex", "plot", "platform", "app"}))
        return "the engine includes a layer above it";
    if (from == "plot" && inc.target == "src/platform/canvas.h") return {};
    if ((from == "units" || from == "constants" || from == "tex" || from == "plot") &&
        is({"platform", "app"}))
        return from + " includes the platform or the app";
    if ((from == "shells/cli" && to == "shells/qt") || (from == "shells/qt" && to == "shells/cli"))
        return "one shell includes the other";
    return {};
}

// The file an include names: next to the including file, or on the include paths the build uses (src/,
// shells/, the shell's own folder); empty when none exists.
std::string Resolve(const fs::path& root, const std::string& fromPath, const std::string& text) {
    const fs::path from(fromPath);
    std::vector<fs::path> bases = {from.parent_path(), "src", "shells"};
    if (LayerOf(fromPath).rfind("shells/", 0) == 0)
        bases.push_back(fs::path("shells") / *std::next(from.begin()));
    for (const fs::path& base : bases) {
        const fs::path candidate = (base / text).lexically_normal();
        std::error_code ec;
        if (fs::is_regular_file(root / candidate, ec)) return candidate.generic_string();
    }
    return {};
}

bool IsSource(const fs::path& p) {
    static const std::vector<std::string> kExtensions = {".h", ".hpp", ".cpp", ".cc", ".c", ".inc", ".ipp"};
    for (const std::string& e : kExtensions)
        if (p.extension() == e) return true;
    return false;
}

// Every forbidden include below root, as "file:line: #include ... (reason)"; resolved counts the quoted
// includes found in the tree (a wrong root or a broken Resolve finds none and so no violations either).
std::vector<std::string> Violations(const fs::path& root, int& resolved) {
    resolved = 0;
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<std::string> out;
    for (const char* top : {"src", "shells"}) {
        std::error_code ec;
        if (!fs::is_directory(root / top, ec)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
            const std::string path = fs::relative(entry.path(), root).generic_string();
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const size_t hash = line.find_first_not_of(" \t");
                if (hash == std::string::npos || line[hash] != '#' ||
                    line.find("include") == std::string::npos)
                    continue;
                std::smatch m;
                if (!std::regex_search(line, m, kInclude)) continue;
                Include inc{m[2].str(), m[1].str() == "<", {}};
                if (!inc.angled) inc.target = Resolve(root, path, inc.text);
                if (!inc.target.empty()) ++resolved;
                const std::string why = Forbidden(path, inc);
                if (!why.empty())
                    out.push_back(path + ":" + std::to_string(number) + ": " + line + "  (" + why + ")");
            }
        }
    }
    return out;
}

}  // namespace

TEST(Layering, Rules) {
    struct Row {
        const char* from;
        const char* text;
        bool angled;
        const char* target;
        bool forbidden;
    };
    const Row rows[] = {
        {"src/numeric/qlib.h", "numeric/errors.h", false, "src/numeric/errors.h", false},
        {"src/numeric/radix.cpp", "engine/limits.h", false, "src/engine/limits.h", true},
        {"src/numeric/radix.cpp", "finance/tvm.h", false, "src/finance/tvm.h", true},
        {"src/engine/parse/tables.cpp", "numeric/qlib.h", false, "src/numeric/qlib.h", false},
        {"src/finance/tvm.cpp", "engine/eval/evaluate.h", false, "src/engine/eval/evaluate.h", false},
        {"src/engine/eval/evaluate.cpp", "units/unit_types.h", false, "src/units/unit_types.h", true},
        {"src/finance/format.cpp", "app/keys/key_codes.h", false, "src/app/keys/key_codes.h", true},
        {"src/engine/format/x.cpp", "platform/canvas.h", false, "src/platform/canvas.h", true},
        {"src/constants/c.cpp", "units/line_source.h", false, "src/units/line_source.h", false},
        {"src/tex/t.cpp", "engine/parse/tables.h", false, "src/engine/parse/tables.h", false},
        {"src/tex/t.cpp", "platform/canvas.h", false, "src/platform/canvas.h", true},
        {"src/plot/p.cpp", "platform/canvas.h", false, "src/platform/canvas.h", false},
        {"src/plot/p.cpp", "platform/storage.h", false, "src/platform/storage.h", true},
        {"src/units/u.cpp", "app/settings/settings_globals.h", false, "src/app/settings/settings_globals.h",
         true},
        {"src/app/display/led_view.cpp", "engine/stack/rpn_stack.h", false, "src/engine/stack/rpn_stack.h",
         false},
        {"src/app/x.cpp", "common/folder_storage.h", false, "shells/common/folder_storage.h", true},
        {"src/app/x.cpp", "QWidget", true, "", true},
        {"src/platform/x.h", "QtCore/QString", true, "", true},
        {"src/app/x.cpp", "curl/curl.h", true, "", true},
        {"src/app/x.cpp", "sys/socket.h", true, "", true},
        {"src/app/x.cpp", "netinet/in.h", true, "", true},
        {"src/app/x.cpp", "arpa/inet.h", true, "", true},
        {"src/app/x.cpp", "netdb.h", true, "", true},
        {"src/app/x.cpp", "sys/types.h", true, "", false},
        {"shells/common/curl_http_fetch.cpp", "curl/curl.h", true, "", false},
        {"shells/qt/main.cpp", "QApplication", true, "", false},
        {"shells/cli/main.cpp", "app/keys/key_codes.h", false, "src/app/keys/key_codes.h", false},
        {"shells/cli/main.cpp", "qt/main_window.h", false, "shells/qt/main_window.h", true},
        {"shells/qt/main_window.cpp", "cli/cli_keys.h", false, "shells/cli/cli_keys.h", true},
        {"shells/qt/main_window.cpp", "common/folder_storage.h", false, "shells/common/folder_storage.h",
         false},
    };
    for (const Row& r : rows) {
        const Include inc{r.text, r.angled, r.target};
        EXPECT_EQ(!Forbidden(r.from, inc).empty(), r.forbidden) << r.from << " includes " << r.text;
    }
    EXPECT_EQ(LayerOf("src/engine/parse/tables.h"), "engine");
    EXPECT_EQ(LayerOf("shells/cli/main.cpp"), "shells/cli");
    EXPECT_EQ(LayerOf("src/CMakeLists.txt"), "");
}

TEST(Layering, TheTreeKeepsItsLayers) {
    const fs::path root = ORV_SOURCE_DIR;
    ASSERT_TRUE(fs::is_directory(root / "src")) << root;
    int resolved = 0;
    const std::vector<std::string> found = Violations(root, resolved);
    EXPECT_GT(resolved, 1000) << "the project's own includes were found and resolved";
    std::string report;
    for (const std::string& v : found) report += v + "\n";
    EXPECT_TRUE(found.empty()) << "forbidden includes:\n" << report;
}
