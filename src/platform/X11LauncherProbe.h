#pragma once

#include "app/LauncherProbe.h"

#include <QByteArray>
#include <QRect>
#include <optional>

namespace qel::app {

// The window search on an X11 desktop. Walks the top-level windows of the root window from
// the first to the last, skips the ones that are not viewable and compares each title
// (_NET_WM_NAME, else WM_NAME) exactly. Under a window manager the title sits on the client
// window inside the manager's frame, so viewable frames are searched downwards as well, and
// the manager's _NET_CLIENT_LIST is read when it publishes one. Without an X display the
// launcher counts as absent.
class X11LauncherProbe : public LauncherProbe {
public:
    // An empty display name means the DISPLAY of the environment.
    explicit X11LauncherProbe(QByteArray displayName = {}) : m_displayName(std::move(displayName)) {}

    bool CorreApp(const QString& title) override;
    // Where the window of that title is on the screen (the main window opens centred over the
    // launcher's); none without a display or such a window.
    std::optional<QRect> windowRect(const QString& title);

private:
    QByteArray m_displayName;
};

} // namespace qel::app
