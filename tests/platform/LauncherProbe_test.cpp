#include "platform/X11LauncherProbe.h"

#include <QCoreApplication>
#include <QString>
#include <gtest/gtest.h>

// clang-format off
// Xlib last: its macros (None, Bool ...) clash with names in the test framework.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

using namespace Qt::StringLiterals;

namespace {

using qel::app::X11LauncherProbe;

// Windows are made by this test on the X server of DISPLAY (a virtual one in the test run).
// Tests of other processes may share the server, so titles that must not be found are unique.
class LauncherProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_display = XOpenDisplay(nullptr); // none without DISPLAY
        if (m_display == nullptr) {
            GTEST_SKIP() << "no X display";
        }
    }

    void TearDown() override {
        if (m_display != nullptr) {
            XCloseDisplay(m_display); // destroys every window of this connection
        }
    }

    enum class NameKind { Legacy, Utf8, Both };

    // A top-level window, or a client reparented into an untitled frame as a window manager does.
    void makeWindow(const QByteArray& title, NameKind kind, bool mapped, bool framed) {
        const Window root = DefaultRootWindow(m_display);
        const Window client = XCreateSimpleWindow(m_display, root, 0, 0, 120, 80, 0, 0, 0);
        setTitle(client, title, kind);
        if (framed) {
            const Window frame = XCreateSimpleWindow(m_display, root, 20, 20, 140, 110, 0, 0, 0);
            XMapWindow(m_display, XCreateSimpleWindow(m_display, frame, 0, 0, 140, 20, 0, 0, 0)); // its decoration
            XReparentWindow(m_display, client, frame, 0, 20);
            XMapWindow(m_display, frame);
        }
        if (mapped) {
            XMapWindow(m_display, client);
        }
        XSync(m_display, False);
    }

    void setTitle(Window w, const QByteArray& title, NameKind kind) {
        if (kind != NameKind::Utf8) {
            XStoreName(m_display, w, title.constData());
        }
        if (kind != NameKind::Legacy) {
            XChangeProperty(m_display, w, XInternAtom(m_display, "_NET_WM_NAME", False),
                            XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(title.constData()), static_cast<int>(title.size()));
        }
    }

    static QByteArray unique(const char* stem) {
        static int counter = 0;
        return QByteArray(stem) + "-" + QByteArray::number(QCoreApplication::applicationPid()) + "-" +
               QByteArray::number(++counter);
    }

    Display* m_display = nullptr;
};

TEST_F(LauncherProbeTest, ComparesTheWholeTitleWithItsCaseAndSkipsWindowsNotShown) {
    struct Case {
        const char* what;
        QByteArray title;  // the window's title
        QByteArray wanted; // the title searched
        NameKind kind;
        bool mapped; // for a framed client: the client inside its mapped frame
        bool found;
        bool framed = false;
    };
    const QByteArray base = unique("QEL");
    const QByteArray accented = unique("Integrador del QEL – Año");
    const Case cases[] = {
        {"the launcher's own title", "QEL", "QEL", NameKind::Both, true, true},
        {"same title", base, base, NameKind::Both, true, true},
        {"title only in WM_NAME", base + "w", base + "w", NameKind::Legacy, true, true},
        {"title only in _NET_WM_NAME", base + "n", base + "n", NameKind::Utf8, true, true},
        {"accented title", accented, accented, NameKind::Utf8, true, true},
        {"lower case", base.toLower() + "l", base + "l", NameKind::Both, true, false},
        {"longer title", base + "x-more", base + "x", NameKind::Both, true, false},
        {"unmapped window", base + "u", base + "u", NameKind::Both, false, false},
        {"client inside a window manager frame", base + "f", base + "f", NameKind::Both, true, true, true},
        {"hidden client inside a frame", base + "h", base + "h", NameKind::Both, false, false, true},
    };
    for (const Case& c : cases) {
        makeWindow(c.title, c.kind, c.mapped, c.framed);
        EXPECT_EQ(X11LauncherProbe().CorreApp(QString::fromUtf8(c.wanted)), c.found) << c.what;
    }
}

TEST(LauncherProbe, WithoutADisplayTheLauncherIsAbsent) {
    const QByteArray saved = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    EXPECT_FALSE(X11LauncherProbe().CorreApp(u"QEL"_s));
    if (!saved.isEmpty()) {
        qputenv("DISPLAY", saved);
    }
}

} // namespace
