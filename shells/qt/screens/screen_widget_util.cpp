#include "qt/screens/screen_widget_util.h"

#include <QFontMetrics>

#include "qt/window/main_window.h"

void RefreshWindow(QWidget* widget) {
    if (auto* w = qobject_cast<MainWindow*>(widget ? widget->window() : nullptr)) w->requestRefresh();
}

QString ElidedFor(const QWidget* widget, const QString& text, int width) {
    return widget->fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, width));
}
