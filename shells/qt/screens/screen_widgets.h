// The widgets of the side screens, by screen name: one line per screen in screen_widgets.cpp. A screen
// without a widget of its own (or a category page whose screen does not exist) shows a placeholder page
// with its name and a note.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>

class GuiContext;
class ScreenModel;

using ScreenWidgetCreator = std::function<QWidget*(ScreenModel& model, GuiContext& context, QWidget* parent)>;

// The registered creators.
const std::map<std::string, ScreenWidgetCreator>& ScreenWidgetCreators();

// The widget of a screen model (its own, or the placeholder). Never null.
QWidget* CreateScreenWidget(ScreenModel& model, GuiContext& context, QWidget* parent);
// The page of a category without keys in the strip: its screen's widget once the screen exists, else a
// placeholder with the category's name.
QWidget* CreateCategoryPage(int categoryId, GuiContext& context, QWidget* parent);
// A page that says what will be here: a title and a one-line note.
QWidget* CreatePlaceholderPage(const QString& title, const QString& note, QWidget* parent);
