#include "cli_keys.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/actions/action_runner.h"
#include "app/actions/action_script.h"
#include "app/controller/orvane_application.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "common/folder_storage.h"
#include "common/headless_services.h"
#include "common/manual_run_loop.h"
#include "common/recording_canvas.h"
#include "units/data_path.h"

namespace {

using nlohmann::json;

struct KeysOptions {
    std::string keys;
    std::optional<int> category;
    bool landscape = false;
    std::string home;
    int answer = 0;
};

std::optional<int> ParseNumber(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000) return std::nullopt;
    return static_cast<int>(v);
}

bool ParseKeysOptions(int argc, char** argv, KeysOptions& o, std::string& error) {
    bool haveKeys = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i], value;
        const size_t eq = a.find('=');
        const bool inlineValue = a.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inlineValue) {
            value = a.substr(eq + 1);
            a = a.substr(0, eq);
        }
        auto take = [&]() {
            if (inlineValue) return true;
            if (i + 1 >= argc) {
                error = "missing value for " + a;
                return false;
            }
            value = argv[++i];
            return true;
        };
        if (a == "--keys") {
            if (!take()) return false;
            o.keys = value;
            haveKeys = true;
        } else if (a == "--category" || a == "--answer") {
            if (!take()) return false;
            const auto n = ParseNumber(value);
            if (!n || *n < 0 || *n > kLastKeyCode) {
                error = "invalid value '" + value + "' for " + a;
                return false;
            }
            if (a == "--category") {
                o.category = *n;
            } else {
                o.answer = *n;
            }
        } else if (a == "--home") {
            if (!take()) return false;
            o.home = value;
        } else if (a == "--landscape" && !inlineValue) {
            o.landscape = true;
        } else {
            error = std::string("unknown option '") + argv[i] + "' with --keys";
            return false;
        }
    }
    if (!haveKeys) error = "--keys needs a key list";
    if (o.landscape && o.category && *o.category != kCatArithmetic && *o.category != kCatTrigonom &&
        *o.category != kCatBaseConversion) {
        error = "landscape shows the categories 0, 1 and 3 only";
        return false;
    }
    return haveKeys;
}

// The alerts shown during the run, each with the answer it got.
json AlertsShown(const ScriptedAlerts& alerts) {
    json shown = json::array();
    for (size_t i = 0; i < alerts.shown().size(); ++i) {
        const AlertRequest& a = alerts.shown()[i];
        const int answer = i < alerts.answers().size() ? alerts.answers()[i] : -1;
        const bool valid = answer >= 0 && answer < static_cast<int>(a.buttons.size());
        shown.push_back({{"title", a.title},
                         {"message", a.message},
                         {"buttons", a.buttons},
                         {"answer", answer},
                         {"button", valid ? json(a.buttons[answer]) : json(nullptr)}});
    }
    return shown;
}

}  // namespace

bool IsKeysInvocation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--keys" || a.rfind("--keys=", 0) == 0) return true;
    }
    return false;
}

int RunKeys(int argc, char** argv, std::ostream& out, std::ostream& err) {
    KeysOptions o;
    std::string error;
    std::vector<Action> actions;
    if (!ParseKeysOptions(argc, argv, o, error) || !ParseActions(o.keys, actions, error)) {
        err << "orvcalc: " << error << "\nTry 'orvcalc --help'.\n";
        return 2;
    }
    ImmediateRunLoop loop;
    NotificationCenter notes;
    FolderStorage storage(o.home.empty() ? DefaultDocumentsFolder() : o.home, DataDirectory());
    ScriptedAlerts alerts(loop);
    alerts.setDefaultAnswer(o.answer);
    ScriptedHttpFetch http(loop);
    PrintingUrlOpener urls;
    CountingFeedback feedback;
    RecordingCanvas metrics;
    Platform platform{notes, loop, storage, alerts, http, urls, feedback};
    std::vector<std::string> posted;
    notes.setPostMonitor([&](const Notification& n) { posted.push_back(n.name); });

    g_nCurScreenMode = o.landscape ? kScreenLandscape : kScreenPortrait;
    OrvaneApplication app(platform, &metrics);
    app.didFinishLaunching();
    OrvaneViewController& ctl = app.controller();
    if (o.category) {
        if (o.landscape) {
            ctl.pressCategoryLandButton(*o.category);
        } else {
            ctl.selectCategoryItem(*o.category);
        }
    }
    ActionRunner runner(ctl, {[&loop](double s) {
                                  loop.advance(s);
                                  loop.runPending();
                              },
                              [&alerts](int answer) { alerts.scriptAnswer(answer); }});
    runner.settle();
    int status = 0;
    for (size_t i = 0; i < actions.size(); ++i) {
        if (!runner.run(actions[i], error)) {
            err << "orvcalc: word " << i + 1 << " of --keys: " << error << "\n";
            status = 1;
        }
    }
    json state = DescribeApplication(ctl);
    state["alerts"] = AlertsShown(alerts);
    state["posted"] = posted;
    state["urls"] = urls.opened();
    app.willTerminate();
    out << state.dump() << "\n";
    return status;
}
