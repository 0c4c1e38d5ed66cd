#include "app/WaitingLauncherProbe.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <unistd.h>

using qel::app::LauncherProbe;
using qel::app::WaitingLauncherProbe;

namespace {

class CountingProbe : public LauncherProbe {
public:
    bool CorreApp(const QString&) override {
        ++calls;
        return answer;
    }
    int calls = 0;
    bool answer = true;
};

} // namespace

// Whatever the launcher says through the pipe, the window itself decides; the pipe only says
// when to look.
TEST(WaitingLauncherProbe, LooksOnceTheLauncherSpokeOrEnded) {
    for (const bool launcherShown : {true, false}) {
        SCOPED_TRACE(launcherShown ? "window shown" : "launcher ended");
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        if (launcherShown) {
            ASSERT_EQ(::write(ends[1], "1", 1), 1);
        }
        ::close(ends[1]);
        CountingProbe windows;
        windows.answer = launcherShown;
        WaitingLauncherProbe probe(windows, ends[0]);
        EXPECT_EQ(probe.CorreApp("QEL"), launcherShown);
        EXPECT_EQ(probe.CorreApp("QEL"), launcherShown) << "the pipe is read once";
        EXPECT_EQ(windows.calls, 2);
    }
}

TEST(WaitingLauncherProbe, OnlyAnOpenPipeIsTakenFromTheEnvironment) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const std::pair<QByteArray, int> cases[] = {
        // QEL_LAUNCHER_PIPE, the descriptor taken
        {QByteArray(), -1},
        {QByteArray("abc"), -1},
        {QByteArray::number(file.handle()), -1}, // a file, not a pipe
        {QByteArray("987"), -1},                 // no such descriptor
        {QByteArray::number(ends[0]), ends[0]},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value.toStdString());
        if (value.isNull()) {
            qunsetenv("QEL_LAUNCHER_PIPE");
        } else {
            qputenv("QEL_LAUNCHER_PIPE", value);
        }
        EXPECT_EQ(WaitingLauncherProbe::takePipeFromEnvironment(), expected);
        EXPECT_FALSE(qEnvironmentVariableIsSet("QEL_LAUNCHER_PIPE")) << "the module's own children get none";
    }
    ::close(ends[0]);
    ::close(ends[1]);
}
