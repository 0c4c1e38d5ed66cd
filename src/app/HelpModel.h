#pragma once

#include "app/PresentationModel.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace qel::app {

// The help window without its widgets ("menu mnuContenido"): the help's text as lines, a
// search box, the search for the next line holding the text (from the top again after the
// last) and the way back to the contents. lblTema is the topic shown, lblBuscar the line
// found or what the window says when there is none.
class HelpModel : public PresentationModel {
public:
    static const QString kWindowName; // "frmAyuda"
    // The help file of a module folder.
    static QString helpFileIn(const QString& moduleFolder);

    // The help file; the help compiled into the program when it cannot be read.
    explicit HelpModel(const QString& helpFile);

    const QString& helpFile() const { return m_helpFile; }
    const QStringList& lines() const { return m_lines; }
    void search();
    void goTo(const QString& topic);
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

private:
    QString m_helpFile;

    QStringList m_lines;
    QList<QPair<QString, int>> m_topics; // anchor, first line
    QString m_searchText;
    QString m_topic;
    QString m_searchResult;
    int m_line = -1;
    bool m_closed = false;
};

} // namespace qel::app
