#include "platform/X11LauncherProbe.h"

#include <QList>
#include <optional>

// clang-format off
// Xlib last: its macros (None, Bool, Status ...) clash with names in Qt and in our headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

namespace qel::app {

namespace {

// A window may disappear while it is being looked at; Xlib would end the process on the
// BadWindow error that follows, so errors are ignored while the search runs.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

class ErrorTrap {
public:
    ErrorTrap() : m_previous(XSetErrorHandler(ignoreXErrors)) {}
    ~ErrorTrap() { XSetErrorHandler(m_previous); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    XErrorHandler m_previous;
};

class DisplayConnection {
public:
    explicit DisplayConnection(const QByteArray& name)
        : m_display(XOpenDisplay(name.isEmpty() ? nullptr : name.constData())) {}
    ~DisplayConnection() {
        if (m_display != nullptr) {
            XCloseDisplay(m_display);
        }
    }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;
    Display* get() const { return m_display; }

private:
    Display* m_display;
};

// How deep below a top-level frame the client window of a window manager is looked for.
constexpr int kFrameDepth = 4;

class WindowSearch {
public:
    WindowSearch(Display* display, QByteArray wanted)
        : m_display(display), m_wanted(std::move(wanted)), m_netWmName(XInternAtom(display, "_NET_WM_NAME", False)),
          m_utf8String(XInternAtom(display, "UTF8_STRING", False)),
          m_netClientList(XInternAtom(display, "_NET_CLIENT_LIST", False)) {}

    bool run() {
        const Window root = DefaultRootWindow(m_display);
        for (const Window w : children(root)) {
            if (viewable(w) && searchDown(w, kFrameDepth)) {
                return true;
            }
        }
        for (const Window w : clientList(root)) {
            if (viewable(w) && matches(w)) {
                m_found = w;
                return true;
            }
        }
        return false;
    }

    // The window the last run found (0 when none).
    Window found() const { return m_found; }

private:
    bool searchDown(Window w, int depth) {
        if (matches(w)) {
            m_found = w;
            return true;
        }
        if (depth == 0) {
            return false;
        }
        for (const Window child : children(w)) {
            if (viewable(child) && searchDown(child, depth - 1)) {
                return true;
            }
        }
        return false;
    }

    bool viewable(Window w) const {
        XWindowAttributes attributes;
        return XGetWindowAttributes(m_display, w, &attributes) != 0 && attributes.map_state == IsViewable;
    }

    // The window's text: empty when it has none.
    bool matches(Window w) const { return title(w).value_or(QByteArray()) == m_wanted; }

    std::optional<QByteArray> title(Window w) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, w, m_netWmName, 0, 1024, False, m_utf8String, &type, &format, &count, &after,
                               &data) == Success &&
            data != nullptr) {
            std::optional<QByteArray> text;
            if (type == m_utf8String && format == 8) {
                text = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
            }
            XFree(data);
            if (text) {
                return text;
            }
        }
        XTextProperty property;
        if (XGetWMName(m_display, w, &property) == 0 || property.value == nullptr) {
            return std::nullopt;
        }
        std::optional<QByteArray> text;
        char** list = nullptr;
        int listCount = 0;
        if (property.nitems == 0) {
            text = QByteArray();
        } else if (Xutf8TextPropertyToTextList(m_display, &property, &list, &listCount) >= Success && list != nullptr) {
            if (listCount > 0) {
                text = QByteArray(list[0]);
            }
            XFreeStringList(list);
        }
        XFree(property.value);
        return text;
    }

    QList<Window> children(Window w) const {
        Window root = 0;
        Window parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        QList<Window> result;
        if (XQueryTree(m_display, w, &root, &parent, &list, &count) != 0 && list != nullptr) {
            result.reserve(static_cast<qsizetype>(count));
            for (unsigned int i = 0; i < count; ++i) {
                result.append(list[i]);
            }
            XFree(list);
        }
        return result;
    }

    QList<Window> clientList(Window root) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        QList<Window> result;
        if (XGetWindowProperty(m_display, root, m_netClientList, 0, 65536, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success &&
            data != nullptr) {
            if (type == XA_WINDOW && format == 32) {
                // Format-32 properties come back as an array of long, whatever the width of long.
                const auto* windows = reinterpret_cast<const unsigned long*>(data);
                for (unsigned long i = 0; i < count; ++i) {
                    result.append(static_cast<Window>(windows[i]));
                }
            }
            XFree(data);
        }
        return result;
    }

    Display* m_display;
    QByteArray m_wanted;
    Atom m_netWmName;
    Atom m_utf8String;
    Atom m_netClientList;
    Window m_found = 0;
};

} // namespace

bool X11LauncherProbe::CorreApp(const QString& title) {
    if (m_displayName.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY")) {
        return false;
    }
    const ErrorTrap trap;
    const DisplayConnection connection(m_displayName);
    if (connection.get() == nullptr) {
        return false;
    }
    return WindowSearch(connection.get(), title.toUtf8()).run();
}

std::optional<QRect> X11LauncherProbe::windowRect(const QString& title) {
    if (m_displayName.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY")) {
        return std::nullopt;
    }
    const ErrorTrap trap;
    const DisplayConnection connection(m_displayName);
    Display* display = connection.get();
    if (display == nullptr) {
        return std::nullopt;
    }
    WindowSearch search(display, title.toUtf8());
    if (!search.run()) {
        return std::nullopt;
    }
    XWindowAttributes attributes;
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, search.found(), &attributes) == 0 ||
        XTranslateCoordinates(display, search.found(), DefaultRootWindow(display), 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    return QRect(x, y, attributes.width, attributes.height);
}

} // namespace qel::app
