// Runs the words of the action vocabulary (action_script.h) against a running application, headlessly,
// and describes what the application shows as JSON.
//
// Time: the shell gives the runner a clock it can move (advance). Between words, while no finger is down
// on a key, kSettle seconds pass, so that the 0.1 s delayed calls (lists, menus, finance screens, restored
// key faces) have run before the next word; while a finger is down, time passes only through wait: and
// hold:, so that a hold (0.4 s) and its repeats (every 0.1 s) happen exactly when the script says.
#pragma once

#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/actions/action_script.h"

class OrvaneViewController;
class ScreenModel;
class KeyboardModel;

class ActionRunner {
  public:
    static constexpr double kSettle = 0.35;

    struct Hooks {
        std::function<void(double seconds)> advance;  // moves the clock, running what falls due
        std::function<void(int button)> answerNext;   // the next alert gets this answer
    };

    ActionRunner(OrvaneViewController& controller, Hooks hooks);

    // Runs one word and lets the settling time pass. False with error set when the word cannot act here
    // (no such keyboard in this orientation, no such screen or element); nothing changed then.
    bool run(const Action& action, std::string& error);
    // Lets the settling time pass (before the first word, after start-up).
    void settle();

  private:
    KeyboardModel* keyboard(const std::string& name) const;
    ScreenModel* screen(const std::string& name, std::string& error) const;
    bool displayTap(const std::string& area, std::string& error);
    bool fingerDown() const;

    OrvaneViewController& m_controller;
    Hooks m_hooks;
};

// What the application shows, as the JSON object orvcalc --keys prints: the category and input mode, the
// display (input line, caret, result, indicators, operator, RPN stack lines), history and memories, the
// screen over the calculator and the open list, the function tooltip, the keyboards of the orientation, and
// the description of every screen created so far.
nlohmann::json DescribeApplication(OrvaneViewController& controller);
