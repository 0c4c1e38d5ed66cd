#include "app/WaitingLauncherProbe.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <sys/socket.h>
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

// The launcher's word that the login is verified is enough: its window comes after the
// module's, and the module hangs up once its own is shown. A launcher that hangs up without
// the word leaves the decision to a launcher's window.
TEST(WaitingLauncherProbe, TheLauncherVouchesOrAWindowDecides) {
    // What happened on the connection, whether it told the login verified, whether a launcher's
    // window is there, whether the module runs, and how many times it looked for the window.
    const std::tuple<const char*, bool, bool, bool, int> cases[] = {
        {"login verified", true, false, true, 0},
        {"launcher ended, another launcher's window", false, true, true, 2},
        {"launcher ended, no window", false, false, false, 2},
    };
    for (const auto& [name, verified, windowThere, runs, searches] : cases) {
        SCOPED_TRACE(name);
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        if (verified) {
            ASSERT_EQ(::write(ends[1], "1", 1), 1);
        } else {
            ::close(ends[1]);
        }
        CountingProbe windows;
        windows.answer = windowThere;
        WaitingLauncherProbe probe(windows, ends[0]);
        EXPECT_EQ(probe.CorreApp("QEL"), runs);
        EXPECT_EQ(probe.CorreApp("QEL"), runs) << "the word is read once";
        EXPECT_EQ(windows.calls, searches);
        if (verified) {
            char none = 0;
            probe.startSettled();
            EXPECT_EQ(::read(ends[1], &none, 1), 0) << "the launcher hears the module hang up";
            ::close(ends[1]);
        }
    }
}

TEST(WaitingLauncherProbe, OnlyAnOpenConnectionIsTakenFromTheEnvironment) {
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
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
