#include "platform/desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop_commands.h"

namespace {

using Command = std::vector<std::string>;

TEST(DesktopTest, RecorderStandsInForTheRealDesktop) {
    platform::DesktopRecorder recorder;
    platform::SetDesktop(&recorder);
    EXPECT_EQ(&platform::CurrentDesktop(), &recorder);
    EXPECT_TRUE(platform::CurrentDesktop().Open("/home/me/Quillon Audio Outputs/"));
    EXPECT_TRUE(platform::CurrentDesktop().Open("https://example.com/help"));
    EXPECT_TRUE(platform::CurrentDesktop().RequestPowerOff());
    EXPECT_EQ(recorder.opened,
              (Command{"/home/me/Quillon Audio Outputs/", "https://example.com/help"}));
    EXPECT_EQ(recorder.powerOffRequests, 1);
    platform::SetDesktop(nullptr);
    EXPECT_NE(&platform::CurrentDesktop(), &recorder);  // never called: it is the real one
}

TEST(DesktopTest, CommandsPassThePathAsOneArgument) {
    EXPECT_EQ(platform::OpenCommand("/music/out $(reboot) 'x'/"),
              (Command{"xdg-open", "/music/out $(reboot) 'x'/"}));
    EXPECT_EQ(platform::OpenCommand("https://example.com/?a=1&b=2"),
              (Command{"xdg-open", "https://example.com/?a=1&b=2"}));
    // xdg-open takes a leading '-' for an option.
    EXPECT_EQ(platform::OpenCommand("-rf folder"), (Command{"xdg-open", "./-rf folder"}));
    EXPECT_EQ(platform::PowerOffCommand(), (Command{"systemctl", "poweroff"}));
}

}  // namespace
