#pragma once

#include "annexes/ScriptCells.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

namespace assistant_controls {
inline const QString kSave = QStringLiteral("CmdGrabar");
inline const QString kClose = QStringLiteral("cmdCerrar");
inline const QString kImport = QStringLiteral("cmdImportar");
inline const QString kTotal = QStringLiteral("txtTotal");

inline bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

inline app::ScriptError unknown(const QString& control) {
    return app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}
} // namespace assistant_controls

// An assistant of fixed rows as a script drives it: its grid (a row per line, its cells by
// 1-based column or by the table column they write), the total txtTotal, CmdGrabar, cmdCerrar
// and, when the assistant imports, cmdImportar. The month and the movement assistants share
// it; each says what its rows show and whether it imports.
template <class Model> class AssistantGridScript : public app::ScriptableWindow, private app::GridSource {
public:
    Model& model() { return *m_model; }

    QList<app::ControlInfo> controls() const override {
        using namespace assistant_controls;
        QList<app::ControlInfo> list = {{m_grid, QStringLiteral("grid")}, {kTotal, QStringLiteral("label")}};
        if (imports()) {
            list.append({kImport, QStringLiteral("command")});
        }
        list.append({kSave, QStringLiteral("command")});
        list.append({kClose, QStringLiteral("command")});
        return list;
    }
    bool text(const QString& control, const QString&) override {
        throw app::ScriptError{QStringLiteral("%1 no es un cuadro de texto: use cell %2").arg(control, m_grid)};
    }
    bool choose(const QString& control, const QString&) override {
        throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
    }
    bool click(const QString& control, int) override {
        using namespace assistant_controls;
        if (same(control, kSave)) {
            return m_model->save();
        }
        if (same(control, kClose)) {
            m_model->close();
            return true;
        }
        if (same(control, kImport) && imports()) {
            return m_model->importRows();
        }
        throw unknown(control);
    }
    QString state(const QString& control) const override {
        using namespace assistant_controls;
        if (same(control, kTotal)) {
            return QLatin1Char('"') + m_model->totalText() + QLatin1Char('"');
        }
        if (same(control, m_grid)) {
            return QString::number(m_rows);
        }
        if (same(control, kSave) || (same(control, kImport) && imports())) {
            return m_model->readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}");
        }
        if (same(control, kClose)) {
            return QStringLiteral("{0}");
        }
        throw unknown(control);
    }
    app::GridSource* grid(const QString& name) override {
        return assistant_controls::same(name, m_grid) ? this : nullptr;
    }
    bool cell(const QString& gridName, int row, const QString& column, const QString& value) override {
        const int index = scriptCellColumn(gridName, m_grid, row, m_rows, column, m_model->columnIndex(column));
        m_current = row - 1;
        return m_model->setCellText(row - 1, index, value);
    }
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

protected:
    AssistantGridScript(std::unique_ptr<Model> model, QString gridName, int rows)
        : m_model(std::move(model)), m_grid(std::move(gridName)), m_rows(rows) {}

    const Model& model() const { return *m_model; }
    virtual bool imports() const = 0;
    // The row's label, then its cells as shown.
    QStringList labelAndCells(const QString& label, int row) const {
        QStringList texts = {label};
        for (int column = 0; column < m_model->columnCount(); ++column) {
            texts.append(m_model->cellText(row, column));
        }
        return texts;
    }

private:
    int rowCount() const override { return m_rows; }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    std::unique_ptr<Model> m_model;
    QString m_grid;
    int m_rows;
    int m_current = -1;
};

} // namespace qel::annexes
