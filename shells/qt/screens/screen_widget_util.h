// Small helpers the screen widgets share.
#pragma once

#include <QString>
#include <QWidget>
#include <nlohmann/json.hpp>
#include <string>

// A description's text field as a QString ("" when missing or not text).
inline QString JsonText(const nlohmann::json& j, const char* key) {
    const auto it = j.find(key);
    return it != j.end() && it->is_string() ? QString::fromStdString(it->get<std::string>()) : QString();
}

// Asks the window that holds widget to re-read every model once the current event is done: after a call
// that changes what the window shows beyond the screen itself (a screen opened or closed, a list of the
// calculator opened, text put into the input line) and that no click or key in the window brought about.
void RefreshWindow(QWidget* widget);

// The text elided at the right to fit width pixels in widget's font.
QString ElidedFor(const QWidget* widget, const QString& text, int width);
