// orvcalc-gui reads its command line before the toolkit starts: --help, --version and a mistyped option
// answer on a terminal without a display (the platform is forced to X11 with no X server to reach).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#ifdef ORVCALC_GUI_PATH
TEST(GuiCommandLine, HelpVersionAndMistakesNeedNoDisplay) {
    const struct {
        const char* args;
        int status;
        const char* says;
    } rows[] = {
        {"--help", 0, "--currency-url <URL>"},
        {"--version", 0, "orvcalc-gui "},
        {"--bogus", 2, "Unknown option 'bogus'"},
        {"extra", 2, "unexpected argument 'extra'"},
    };
    for (const auto& r : rows) {
        const std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '") +
                                ORVCALC_GUI_PATH + "' " + r.args + " 2>&1";
        std::string out;
        FILE* p = popen(cmd.c_str(), "r");
        ASSERT_NE(p, nullptr);
        char buf[512];
        while (std::fgets(buf, sizeof buf, p)) out += buf;
        const int status = pclose(p);
        ASSERT_TRUE(WIFEXITED(status)) << r.args;
        EXPECT_EQ(WEXITSTATUS(status), r.status) << r.args << ": " << out;
        EXPECT_NE(out.find(r.says), std::string::npos) << r.args << ": " << out;
    }
}
#endif
