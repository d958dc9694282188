// orvcalc-gui: the Orvane Calculator on the desktop.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>

#include "app/screens/converter/currency_update.h"
#include "numeric/qlib.h"
#include "qt/window/gui_context.h"
#include "qt/widgets/display_widget.h"
#include "qt/window/main_window.h"

namespace {

// Resident memory of this process in kB (VmRSS), -1 when unknown.
long ResidentKilobytes() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer started;
    started.start();
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
    QCommandLineOption firstFrame("first-frame-report",
                                  "Diagnostics: quit as soon as the display has been painted once, printing "
                                  "\"first-frame MS rss-kb KB\" (milliseconds since start, resident memory).");
    QCommandLineOption currencyUrl("currency-url",
                                   "Download the currency table from URL (default: $ORVCALC_CURRENCY_URL, "
                                   "else the settings file's CurrencyFeedURL, else the European Central "
                                   "Bank's daily reference rates).",
                                   "URL");
    parser.addOptions({home, data, landscape, mute, verbose, firstFrame, currencyUrl});
    // The command line is read before the toolkit starts, so that --help, --version and a mistyped option
    // answer on a terminal without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "orvcalc-gui: %s\nTry 'orvcalc-gui --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        // Without an application object Qt cannot know the program's name.
        std::fputs(qPrintable(parser.helpText().replace("<executable_name>", "orvcalc-gui")), stdout);
        return 0;
    }
    if (parser.isSet("version")) {
        std::printf("orvcalc-gui %s\n", ORV_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "orvcalc-gui: unexpected argument '%s'\nTry 'orvcalc-gui --help'.\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);

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
    if (parser.isSet(firstFrame)) {
        window.display()->onFirstPaint = [&app, &started] {
            std::printf("first-frame %.1f rss-kb %ld\n", started.nsecsElapsed() / 1e6, ResidentKilobytes());
            std::fflush(stdout);
            QMetaObject::invokeMethod(&app, &QApplication::quit, Qt::QueuedConnection);
        };
    }
    window.show();
    const int status = app.exec();
    window.shutdown();
    return status;
}
