// orvcalc-gui: the Orvane Calculator on the desktop.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "app/screens/converter/currency_update.h"
#include "numeric/qlib.h"
#include "qt/window/gui_context.h"
#include "qt/window/main_window.h"

int main(int argc, char** argv) {
    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName("orvcalc-gui");
    QApplication::setApplicationDisplayName("Orvane Calculator");
    QApplication::setApplicationVersion(ORV_VERSION);
    QApplication::setDesktopFileName("orvcalc-gui");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Orvane Calculator: a scientific calculator with string, standard and RPN entry, on the desktop.\n"
        "The terminal calculator is orvcalc.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption home("home",
                            "Keep settings, state and history in DIR (default: $ORVCALC_HOME, else "
                            "$XDG_DATA_HOME/orvane-calculator).",
                            "DIR");
    QCommandLineOption data("data", "Read the shipped data files (units, constants, help, sounds) from DIR.",
                            "DIR");
    QCommandLineOption landscape("landscape", "Start in landscape (the window wider than tall).");
    QCommandLineOption mute("mute", "Play no sounds.");
    QCommandLineOption verbose("verbose",
                               "Print the number library's internal diagnostics on standard error.");
    QCommandLineOption currencyUrl("currency-url",
                                   "Download the currency table from URL (default: $ORVCALC_CURRENCY_URL, "
                                   "else the settings file's CurrencyFeedURL, else the European Central "
                                   "Bank's daily reference rates).",
                                   "URL");
    parser.addOptions({home, data, landscape, mute, verbose, currencyUrl});
    parser.process(app);

    // The number library's diagnostics are for developers; the window shows the engine's messages.
    g_qlibMessages = parser.isSet(verbose) ? stderr : nullptr;

    if (parser.isSet(currencyUrl)) g_sCurrencyFeedURL = parser.value(currencyUrl).toStdString();

    GuiOptions options;
    options.home = parser.value(home).toStdString();
    options.resources = parser.value(data).toStdString();
    options.landscape = parser.isSet(landscape);
    options.mute = parser.isSet(mute);
    GuiContext context(options);
    MainWindow window(context);
    const QString icon = QString::fromStdString(context.resourceFolder() + "/icons/orvcalc.svg");
    window.setWindowIcon(QIcon(icon));
    window.show();
    const int status = app.exec();
    window.shutdown();
    return status;
}
