#pragma once

#include "app/ScriptableWindow.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace qel::app {

// The help window as a script drives it ("menu mnuContenido"): the help's text as lines, a
// search box, the search for the next line holding the text (from the top again after the
// last) and the way back to the contents. lblTema is the topic shown, lblBuscar the line
// found or what the window says when there is none.
class HelpScript : public ScriptableWindow {
public:
    static const QString kWindowName; // "frmAyuda"

    // The help file; the help compiled into the program when it cannot be read.
    explicit HelpScript(const QString& helpFile);

    QString name() const override { return kWindowName; }
    QList<ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_closed; }

    const QStringList& lines() const { return m_lines; }

private:
    void search();
    void goTo(const QString& topic);

    QStringList m_lines;
    QList<QPair<QString, int>> m_topics; // anchor, first line
    QString m_searchText;
    QString m_topic;
    QString m_searchResult;
    int m_line = -1;
    bool m_closed = false;
};

} // namespace qel::app
