// The side screens of the application: created by name on first use, kept until termination.
//
// The main controller asks the host for the screen a key or a notification opens ("loan", "statistics",
// "rpn_stack" ...); the mode keyboard asks it for the screen of a category page (tip, converters,
// business, graph, equation solver, constants). Shells and the action runner reach every created screen
// through find() and forEach(). Factories are registered in one place (screens/screen_factories.cpp), so
// adding a screen is one line there. Engine thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/screens/screen_model.h"
#include "platform/platform.h"

class OrvaneViewController;

// What a screen model may use: the platform services, the main controller (its display, its routing)
// and the text metrics of the shell (may be null).
struct ScreenContext {
    Platform& platform;
    OrvaneViewController& controller;
    const Canvas* metrics = nullptr;
};

class ScreenHost {
  public:
    using Factory = std::function<std::unique_ptr<ScreenModel>(ScreenContext&)>;

    explicit ScreenHost(ScreenContext context);
    ~ScreenHost();
    ScreenHost(const ScreenHost&) = delete;
    ScreenHost& operator=(const ScreenHost&) = delete;

    // The screen of that name, created on first use; null when no factory has that name.
    ScreenModel* open(std::string_view name);
    // The screen when it has been created, else null.
    ScreenModel* find(std::string_view name) const;
    bool exists(std::string_view name) const { return find(name) != nullptr; }
    // True when a factory of that name is registered (the screen can be opened).
    static bool known(std::string_view name);

    // Every created screen, in name order.
    void forEach(const std::function<void(ScreenModel&)>& fn) const;
    // Termination: saveAll() saves every created screen but those that save after the application
    // status and the input modes ("graph", "statistics"; SavesLate), which saveLate() saves.
    void saveAll();
    void saveLate();
    static bool SavesLate(std::string_view name);

    // Called when a screen is created (a shell builds its widget here).
    std::function<void(ScreenModel&)> onCreated;

  private:
    ScreenContext m_context;
    std::map<std::string, std::unique_ptr<ScreenModel>, std::less<>> m_screens;
};

// The screen a category page of the mode keyboard shows, by category id: "constants" (2), "unit_converter"
// (5), "currency_converter" (6), "tip" (7), "equation_solver" (12), "graph" (13), "business" (17); "" for
// the categories whose page has only keys.
const char* ScreenOfCategory(int categoryId);

// The registered factories (screens/screen_factories.cpp).
const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories();
