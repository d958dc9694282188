#include "cli_keys.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

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

// A key name: a few ASCII stand-ins, then the lowest code whose caption it is.
std::optional<int> CodeOfName(const std::string& name) {
    if (name == "*") return kKeyTimes;
    if (name == "/") return kKeyDivide;
    if (name == "-") return kKeyMinus;
    if (name == "ENTER") return kKeyEnter;
    for (int code = 0; code <= kLastKeyCode; ++code) {
        const std::u16string_view caption = KeyCaption(code);
        if (!caption.empty() && U16ToUtf8(caption) == name) return code;
    }
    return std::nullopt;
}

struct Step {
    enum Kind { Key, Pick, Post } kind = Key;
    int number = 0;
    std::string name;
    bool hasNumber = false;
};

bool ParseSteps(const std::string& keys, std::vector<Step>& steps, std::string& error) {
    std::istringstream in(keys);
    std::string token;
    while (in >> token) {
        Step s;
        if (auto n = ParseNumber(token)) {
            s.number = *n;
        } else if (token.rfind("pick:", 0) == 0) {
            auto n = ParseNumber(token.substr(5));
            if (!n) return error = "invalid pick '" + token + "'", false;
            s.kind = Step::Pick;
            s.number = *n;
        } else if (token.rfind("post:", 0) == 0) {
            s.kind = Step::Post;
            s.name = token.substr(5);
            const size_t colon = s.name.find(':');
            if (colon != std::string::npos) {
                auto n = ParseNumber(s.name.substr(colon + 1));
                if (!n) return error = "invalid notification object in '" + token + "'", false;
                s.number = *n;
                s.hasNumber = true;
                s.name.erase(colon);
            }
            if (s.name.empty()) return error = "missing notification name in '" + token + "'", false;
        } else if (auto code = CodeOfName(token)) {
            s.number = *code;
        } else {
            return error = "unknown key '" + token + "'", false;
        }
        steps.push_back(s);
    }
    return true;
}

json Indicator(bool shown, const std::u16string& text) {
    return shown ? json(U16ToUtf8(text)) : json(nullptr);
}

json FinalState(OrvaneViewController& ctl, const std::vector<std::string>& posted,
                const ScriptedAlerts& alerts, int answer, const PrintingUrlOpener& urls) {
    MyLedView& d = ctl.display();
    const LedIndicators& f = d.indicators();
    static const char* const kModes[] = {"string", "basic", "rpn"};
    json state;
    state["category"] = ctl.currentFunction();
    state["inputMode"] = kModes[d.CurrentInputMode()];
    state["input"] = U16ToUtf8(d.line().GetRawInputString());
    state["caret"] = d.line().caret();
    state["result"] = U16ToUtf8(d.GetResult());
    state["indicators"] = {
        {"shift", d.IsShiftEnable()},
        {"mode", Indicator(f.mode, ModeIndicatorText(d.GetMode()))},
        {"base", Indicator(f.base, BaseIndicatorText(d.GetBase()))},
        {"notation", Indicator(f.notation, NotationIndicatorText(d.GetNotation()))},
        {"memory", Indicator(f.memory, MemoryIndicatorText(d.GetMemory()))},
        {"expression", Indicator(f.expression, u"E" + Utf8ToU16(std::to_string(d.GetExpressionIndex() + 1)))},
        {"bitWidth", Indicator(f.bitWidth, BitWidthIndicatorText(d.GetBitWidth()))},
        {"equal", d.IsEqual()},
    };
    state["operator"] = U16ToUtf8(d.GetCurOperator());
    json stack = json::array();
    for (int k = 0; k < 2; ++k)
        stack.push_back(d.isRPNShown() ? U16ToUtf8(d.stackLine(k).line().GetRawInputString()) : "");
    state["stack"] = stack;
    json history = json::array();
    const LedHistory& h = d.GetCurrentCategoryHistory();
    for (int k = 0; k < h.count(); ++k)
        history.push_back(U16ToUtf8(h.entry(k)->text() + u" = " + h.entry(k)->result()));
    state["history"] = history;
    json memories = json::array();
    for (int m = 0; m < MyLedView::kMemories; ++m) {
        const _RAW_MEMORY* rec = d.memory(m, d.GetCurCategory() < 0 ? 0 : d.GetCurCategory());
        memories.push_back(rec ? U16ToUtf8(rec->text()) : "");
    }
    state["memories"] = memories;
    json shown = json::array();
    for (const AlertRequest& a : alerts.shown()) {
        const bool valid = answer >= 0 && answer < static_cast<int>(a.buttons.size());
        shown.push_back({{"title", a.title},
                         {"message", a.message},
                         {"buttons", a.buttons},
                         {"answer", answer},
                         {"button", valid ? json(a.buttons[answer]) : json(nullptr)}});
    }
    state["alerts"] = shown;
    state["posted"] = posted;
    state["urls"] = urls.opened();
    state["screen"] = ctl.currentScreen();
    state["list"] = ctl.openList();
    return state;
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
    std::vector<Step> steps;
    if (!ParseKeysOptions(argc, argv, o, error) || !ParseSteps(o.keys, steps, error)) {
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
    loop.runPending();
    for (const Step& s : steps) {
        switch (s.kind) {
            case Step::Key:
                ctl.pressButtonHasKeycode(s.number);
                break;
            case Step::Pick:
                ctl.selectItemAtIndex(s.number, ctl.openList());
                break;
            case Step::Post:
                if (s.hasNumber) {
                    notes.post(s.name, s.number);
                } else {
                    notes.post(s.name);
                }
                break;
        }
        loop.runPending();
    }
    const json state = FinalState(ctl, posted, alerts, o.answer, urls);
    app.willTerminate();
    out << state.dump() << "\n";
    return 0;
}
