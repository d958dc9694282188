// Modal alert boxes.
//
// The answer never arrives from inside show(): the shell calls onAnswer later from the run loop with the
// index of the chosen button (0 = first). An alert that is dismissed without a choice is answered with -1.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct AlertRequest {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;
};

class Alerts {
  public:
    virtual ~Alerts() = default;
    virtual void show(const AlertRequest& request, std::function<void(int)> onAnswer) = 0;
};
